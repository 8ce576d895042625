#pragma once
// Which model a copy of the program serves, chosen once at start-up from
// the executable's own file name.

#include <optional>
#include <string>
#include <string_view>

namespace qx {

enum class ModelFamily { Basic = 0, Main = 1 };

struct ModelVariant {
    std::string WindowCaption;  // "QX7T-R Configuration"
    std::string ProductName;    // "QX7T-R", used inside module error messages
    ModelFamily Family;

    static ModelVariant Main();
    static ModelVariant Basic();
};

inline constexpr std::string_view kFilenameErrorText = "Filename Error!";
inline constexpr std::string_view kApplicationTitle = "Cfg_QX7TR";

// Only the part after the last '/' takes part in the test: a directory
// named after a model does not select it.
std::string_view FileNamePart(std::string_view path);

// Case-sensitive substring tests, "QX7" before "QX5". No value means the
// name carries neither prefix: the caller shows "Filename Error!" and ends.
std::optional<ModelVariant> SelectModelVariant(std::string_view executablePath);

// "QX7T-R" or "QX5T" (as typed on a command line) to a variant.
std::optional<ModelVariant> VariantByProductName(std::string_view name);

}  // namespace qx
