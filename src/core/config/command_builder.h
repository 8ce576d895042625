#pragma once
// The configuration command builder: the working configuration as the forty
// AT command lines that write it into a module. Configure sends these lines
// and Save stores them (rearranged) as a configuration file, so both always
// agree on what a configuration is.
//
// Every slot is written in every mode: settings that do not apply to the
// chosen mode still go out, with the value the mode prescribes or the value
// the hidden field holds.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "config/working_config.h"

namespace qx {

inline constexpr std::size_t kConfigCommandCount = 40;
// A line is never longer than this; AddToConfig cuts anything beyond.
inline constexpr std::size_t kMaxConfigCommandLength = 255;

// The fixed command prefix of each slot. The stored destinations stand in
// the order 1, 2, 3, 0; there are no slots for S9, S12, S13 and S15.
inline constexpr std::array<std::string_view, kConfigCommandCount> ConfigCommandTemplate = {
    "ATB",    "ATC",    "ATE",    "ATQ",    "ATV",    "ATX",    "AT&B",   "AT&C",   "AT&D",   "AT&E",
    "AT&G",   "AT&K",   "AT&S",   "AT&U",   "AT\\T",  "ATS0=",  "ATS1=",  "ATS2=",  "ATS3=",  "ATS4=",
    "ATS5=",  "ATS6=",  "ATS7=",  "ATS8=",  "ATS10=", "ATS11=", "ATS14=", "ATS16=", "ATS17=", "ATS18=",
    "ATS19=", "ATS20=", "ATS21=", "AT&Z1=", "AT&Z2=", "AT&Z3=", "AT&Z0=", "AT&L",   "AT&N",   "AT&M",
};

// Slot i holds prefix i followed by its value in decimal; no carriage return.
using ConfigCommandList = std::array<std::string, kConfigCommandCount>;

// Slots that other code looks up by number.
namespace slot {
inline constexpr std::size_t ATC = 1;
inline constexpr std::size_t ATQ = 3;
inline constexpr std::size_t ATandB = 6;
inline constexpr std::size_t ATandM = 39;
}  // namespace slot

// A list holding only the prefixes.
ConfigCommandList TemplateCommandList();

// Appends text to the slot's line; a line that would grow beyond 255
// characters is cut at 255.
void AddToConfig(ConfigCommandList& list, std::size_t slot, std::string_view text);

// The 31 slots that every mode fills the same way.
void SaveCommonSettings(ConfigCommandList& list, const WorkingConfig& config);

// The four stored-destination slots, from the destination and repeater
// fields: the repeaters up to the first 0, each followed by ",", then the
// destination; empty when a 0 repeater meets a 0 destination.
void SaveRepeaterConfig(ConfigCommandList& list, const WorkingConfig& config);

// Complete builds from the template, for the transparent and the
// controlled modes.
ConfigCommandList ConstTranspConfig(const WorkingConfig& config);
ConfigCommandList ConstControlledConfig(const WorkingConfig& config);

// The build for the current operating mode (what Configure and Save use).
// There is no build without a mode: std::logic_error.
ConfigCommandList BuildConfigCommandList(const WorkingConfig& config);

}  // namespace qx
