#pragma once
// The configuration command builder: the working configuration as the forty
// AT command lines that write it into a module, one per command slot (see
// command_slots.h for what each slot carries and how). Configure sends these
// lines and Save stores them (rearranged) as a configuration file, so both
// always agree on what a configuration is.
//
// Every slot is written in every mode: settings that do not apply to the
// chosen mode still go out, with the value the mode prescribes or the value
// the hidden field holds.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "config/command_slots.h"
#include "config/working_config.h"

namespace qx {

// A line is never longer than this; AddToConfig cuts anything beyond.
inline constexpr std::size_t kMaxConfigCommandLength = 255;

// Slot i holds its command prefix followed by its value; no carriage return.
using ConfigCommandList = std::array<std::string, kConfigCommandCount>;

// A list holding only the prefixes.
ConfigCommandList TemplateCommandList();

// Appends text to the slot's line; a line that would grow beyond 255
// characters is cut at 255.
void AddToConfig(ConfigCommandList& list, std::size_t slot, std::string_view text);

// The build for the current operating mode (what Configure and Save use):
// the template, then every slot's value. There is no build without a mode:
// std::logic_error.
ConfigCommandList BuildConfigCommandList(const WorkingConfig& config);

}  // namespace qx
