#pragma once
// The main window's show step for the working configuration: the escape
// character back to "+", S21 shown or hidden for the model, the blank
// options group in front, no operating mode, then every field at its
// factory default (which moves to Transparent mode).

#include "app/escape_character.h"
#include "config/working_config.h"

namespace qx {

void InitialiseWorkingConfig(WorkingConfig& config, EscapeCharacter& escape);

}  // namespace qx
