#include "sim/listing.h"

#include "sim/number_text.h"

namespace qx::sim {
namespace {

bool IsNumberKey(std::string_view key) { return key == "&G" || key == "&S" || key == "&U" || key == "\\T"; }

std::string SRegisterItem(const ModuleSettings& settings, int number) {
    return "S" + std::to_string(number) + ":" + ZeroPadded(settings.SReg(number), 3) + " ";
}

}  // namespace

// A host that reads the listing 255 bytes at a time and stops at the first
// read that holds "&Z3=" must never get "&Z3=" without its list. The padding
// above keeps everything before "&Z3=" longer than 255 bytes even with the
// shortest values (259 bytes on the basic model without echo and leading
// line end), and the whole listing under 510.
std::string FormatListing(const ModuleSettings& settings, const ModelInfo& model) {
    std::string text;
    for (const LetterSetting& letter : LetterSettings()) {
        const int value = settings.Letter(letter.key);
        text += std::string(letter.key) + (IsNumberKey(letter.key) ? ZeroPadded(value, 3) : std::to_string(value)) + " ";
    }
    text += "\r\n";
    for (int n = 0; n <= 10; ++n) text += SRegisterItem(settings, n);
    text += "\r\n";
    const int last = model.IsMain() ? 21 : 20;
    for (int n = 11; n <= last; ++n) text += SRegisterItem(settings, n);
    text += "\r\n";
    for (int n = 0; n < kProfileCount; ++n) text += "&Z" + std::to_string(n) + "=" + settings.Profile(n) + " \r\n";
    return text;
}

std::string IdentificationText(const ModelInfo& model) {
    return model.name + " Radio Modem V" + model.firmware + " SIM";
}

}  // namespace qx::sim
