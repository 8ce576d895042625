#pragma once
// The module history as qxcfg keeps it: the file (--history FILE, else
// QX_HISTORY, else the user's data folder), the recorder of one run (none
// with --no-history), and the history opened for reading (qxcfg history,
// history:ID).

#include <functional>
#include <memory>
#include <string>

#include "cli/global_options.h"
#include "history/history_recorder.h"
#include "history/history_store.h"

namespace qx::cli {

// The file the options name, else the default; EHistoryError when the
// environment names no place for it.
std::string HistoryFilePath(const GlobalOptions& global);

// The recorder of one run, with a module's configuration backed up before
// each write unless a command says otherwise; null with --no-history. Its
// notes ("history not kept: ...") reach `say` once each, from whichever
// thread recorded.
std::unique_ptr<HistoryRecorder> RunRecorder(const GlobalOptions& global,
                                             std::function<void(const std::string& note)> say);

// The history as it stands, opened for reading: a missing file is not
// created. EHistoryError (of its class) when it cannot be opened.
std::unique_ptr<HistoryStore> OpenHistory(const GlobalOptions& global);

}  // namespace qx::cli
