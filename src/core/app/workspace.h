#pragma once
// The main window's state, less its widgets: the working configuration and
// everything else the window owns for the whole run. The window, qxcfg and
// the tests each hold one.

#include <string>

#include "app/escape_character.h"
#include "app/model_variant.h"
#include "app/prompter.h"
#include "config/working_config.h"
#include "serial/host_serial_settings.h"

namespace qx {

struct Workspace {
    Workspace(ModelVariant v, Prompter& prompter, SystemAddressSource systemAddress = ClockSeededSystemAddress())
        : variant(std::move(v)), config(variant.Family, prompter, std::move(systemAddress)) {}
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // The show step of the main window: escape character "+", S21 shown for
    // the main model, host serial defaults, no operating mode, then every
    // field at its factory default.
    void StartUp();

    // The caption: the variant's caption, with ": " and the current file
    // when there is one.
    std::string Caption() const;

    Prompter& GetPrompter() const { return config.GetPrompter(); }

    ModelVariant variant;
    WorkingConfig config;
    EscapeCharacter escape;
    HostSerialSettings host;      // all zero until StartUp
    std::string replyText;        // the latest text from the module, or a file's line
    std::string currentFileName;  // empty when there is none
    int s21Reference = 0;         // the S21 value the firmware is judged against
};

}  // namespace qx
