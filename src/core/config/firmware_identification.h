#pragma once
// The text side of firmware identification: the identification line cut
// out of the module's answer to "ATI", the firmware version in it, the
// warning for firmware too old to let S21 ("Radio Message Signature") be
// set, and the status-line text shown after a read. Versions are read and
// shown with "." as the decimal separator whatever the user's locale.
//
// Sending "ATI" belongs to the module operations; they hand the reply
// text to CutIdentificationText.

#include <string>
#include <string_view>

#include "app/model_variant.h"
#include "app/prompter.h"

namespace qx {

// Firmware at or below this version has S21 fixed to 0.
inline constexpr double kS21FirmwareThreshold = 1.89;

// From one character before the first identification marker (the model's
// name less its first character, "X7T-R") of the running model (or,
// when the module names only another model, before that one's marker; or
// from the start when none is there or the marker comes first) up to,
// not including, the first CR LF after that; empty when there is no CR LF.
// Each model is cut at its own name: a basic module does not read as its
// echoed "ATI" with version 0.
std::string CutIdentificationText(std::string_view reply, const ModelVariant& running);

// Another model's product name when the reply names that model and not
// the running one; empty otherwise.
std::string OtherModelNamed(std::string_view reply, const ModelVariant& running);

// "The module identifies itself as QX5T, not as QX7T-R."
std::string OtherModelText(std::string_view otherModel, const ModelVariant& running);

struct FirmwareVersion {
    double version = 0;     // 0 when no readable number follows the "V"
    std::string remainder;  // the identification text after the number
};

// The version is the run of digits and points right after the first "V";
// the remainder starts at the first other character. Without a "V" the
// remainder is the whole text.
FirmwareVersion GetFirmwareVer(std::string_view identification);

// What the firmware is judged against: the S21 value in question, the
// model and its product name, and where the warning is shown.
struct FirmwareJudge {
    int s21Reference = 0;
    ModelFamily family = ModelFamily::Main;
    std::string productName;
};

std::string S21SupportWarningText(std::string_view productName);

// Warns (once, OK button) when the firmware of a model with S21 is 1.89 or
// older (an unreadable version counts as old) while S21 is wanted non-zero.
// Returns whether it warned. Changes nothing else.
bool CheckS21Support(double version, const FirmwareJudge& judge, Prompter& prompter);

// GetFirmwareVer, then CheckS21Support with the version found.
FirmwareVersion CheckFirmware(std::string_view identification, const FirmwareJudge& judge, Prompter& prompter);

// "  V" + the version with two decimals after reduction to three
// significant digits + " " + the remainder.
std::string FirmwareStatusText(const FirmwareVersion& firmware);

}  // namespace qx
