#pragma once
// What a module operation works with: the main window's state, the way onto
// the user-interface thread, the progress window, and how to open a command
// channel with given host settings (the front end knows which device each
// Com slot stands for).

#include <functional>
#include <memory>

#include "app/progress_sink.h"
#include "app/ui_dispatcher.h"
#include "operations/workspace.h"
#include "serial/host_serial_settings.h"

namespace qx {

class TCOMQX7Object;
class HistoryRecorder;

using ChannelFactory = std::function<std::unique_ptr<TCOMQX7Object>(const HostSerialSettings&)>;

struct OperationContext {
    Workspace& workspace;
    UiDispatcher& ui;
    ProgressSink& progress;
    ChannelFactory openChannel;
    // Shows the host serial settings again after an operation changed them
    // (user-interface thread); may be empty.
    std::function<void()> displaySerialSettings;
    // Keeps what the operation read from or wrote to the module in the
    // module history, and backs the module up before a write when asked;
    // null: nothing is kept.
    HistoryRecorder* history = nullptr;
};

}  // namespace qx
