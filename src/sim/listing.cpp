#include "sim/listing.h"

#include "sim/number_text.h"

namespace qx::sim {
namespace {

bool IsNumberKey(std::string_view key) { return key == "&G" || key == "&S" || key == "&U" || key == "\\T"; }

constexpr std::size_t kHostReadSize = 255;

std::string SRegisterItem(const ModuleSettings& settings, int number, int digits) {
    return "S" + std::to_string(number) + ":" + ZeroPadded(settings.SReg(number), digits) + " ";
}

// The listing with numbers of at least `digits` digits (1: no padding) and
// `filler` blanks at the end of the last S-register line.
std::string Listing(const ModuleSettings& settings, const ModelInfo& model, int digits, std::size_t filler) {
    std::string text;
    for (const LetterSetting& letter : LetterSettings()) {
        const int value = settings.Letter(letter.key);
        text += std::string(letter.key) + (IsNumberKey(letter.key) ? ZeroPadded(value, digits) : std::to_string(value)) + " ";
    }
    text += "\r\n";
    for (int n = 0; n <= 10; ++n) text += SRegisterItem(settings, n, digits);
    text += "\r\n";
    const int last = model.IsMain() ? 21 : 20;
    for (int n = 11; n <= last; ++n) text += SRegisterItem(settings, n, digits);
    text += std::string(filler, ' ') + "\r\n";
    for (int n = 0; n < kProfileCount; ++n) text += "&Z" + std::to_string(n) + "=" + settings.Profile(n) + " \r\n";
    return text;
}

}  // namespace

// A host that reads the listing 255 bytes at a time and stops at the first
// read that holds "&Z3=" must never get "&Z3=" without its list. The padding
// above keeps everything before "&Z3=" longer than 255 bytes even with the
// shortest values (259 bytes on the basic model without echo and leading
// line end), and the whole listing under 510.
std::string FormatListing(const ModuleSettings& settings, const ModelInfo& model) {
    return Listing(settings, model, 3, 0);
}

std::string FormatListingCutAt(const ModuleSettings& settings, const ModelInfo& model, std::size_t before,
                               std::size_t cut) {
    const std::string plain = Listing(settings, model, 1, 0);
    const std::size_t entryEnd = before + plain.find("&Z3=") + cut;
    return Listing(settings, model, 1, entryEnd < kHostReadSize ? kHostReadSize - entryEnd : 0);
}

std::string IdentificationText(const ModelInfo& model) {
    return model.name + " Radio Modem V" + model.firmware + " SIM";
}

}  // namespace qx::sim
