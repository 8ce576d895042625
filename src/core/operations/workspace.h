#pragma once
// The main window's state, less its widgets: the working configuration and
// everything else the window owns for the whole run (the model, the escape
// character, this computer's serial settings, the status line and the
// communication log). The window, qxcfg and the tests each hold one.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/escape_character.h"
#include "app/model_variant.h"
#include "app/prompter.h"
#include "files/config_document.h"
#include "serial/host_serial_settings.h"

namespace qx {

class Workspace : public ConfigDocument {
public:
    Workspace(ModelVariant v, Prompter& prompter, SystemAddressSource systemAddress = ClockSeededSystemAddress());

    // The show step of the main window: escape character "+", S21 shown for
    // a model with it, host serial defaults, no operating mode, then every
    // field at its factory default.
    void StartUp();

    // Every field back to its default, except S21, before a module's
    // listing is parsed into them; the status line and the log of the read
    // in progress stay.
    void DefaultsForReadout();

    // The caption: the variant's caption, with ": " and the current file
    // when there is one.
    std::string Caption() const;

    // ---- The status line and the communication log ---------------------
    // Both are cleared whenever the configuration returns to its defaults.
    const std::string& StatusText() const { return statusText_; }
    const std::string& Log() const { return log_; }
    void SetStatusText(std::string text);
    void AppendLog(const std::string& text);
    // One entry of the log, as a line of its own.
    void AppendLogLine(const std::string& text) { AppendLog(text + "\r\n"); }
    void ClearLog();
    // Called after the status line or the log changed.
    int Subscribe(std::function<void()> listener);
    void Unsubscribe(int token);

    // The host serial settings take the loaded file's module settings.
    void FileLoaded() override;
    // A save clears the communication log.
    void Saving() override { ClearLog(); }

    ModelVariant variant;
    EscapeCharacter escape;
    HostSerialSettings host;  // all zero until StartUp

private:
    void Notify();

    bool keepStatusAndLog_ = false;  // inside DefaultsForReadout
    std::string statusText_;  // StatusBar1's simple text
    std::string log_;         // the communication log Memo1
    std::vector<std::pair<int, std::function<void()>>> listeners_;
    int nextListenerToken_ = 1;
};

}  // namespace qx
