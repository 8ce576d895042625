#pragma once
// A working configuration as the window has it right after start-up, with
// a scripted prompter and a fixed system address.

#include "config/startup.h"
#include "config/working_config.h"
#include "support/scripted_prompter.h"

namespace qx::test {

struct StartedConfig {
    explicit StartedConfig(ModelFamily family = ModelFamily::Main, int systemAddress = 17)
        : config(family, prompter, FixedSystemAddress(systemAddress)) {
        InitialiseWorkingConfig(config, escape);
        prompter.Clear();
    }

    // The user types `text` into a number and leaves it.
    void Type(FieldId id, const std::string& text) {
        config.TypeText(id, text);
        config.Leave(id);
    }

    ScriptedPrompter prompter;
    WorkingConfig config;
    EscapeCharacter escape;
};

inline constexpr const char* kThresholdQuestion = "Automatically adjust S18 && S19 (recommended)?";

}  // namespace qx::test
