#pragma once
// Which model a copy of the program serves, chosen once at start-up from
// the executable's own file name.

#include <optional>
#include <string>
#include <string_view>

#include "app/model_record.h"

namespace qx {

struct ModelVariant {
    std::string WindowCaption;  // "QX7T-R Configuration"
    std::string ProductName;    // "QX7T-R", used inside module error messages
    ModelFamily Family;

    static ModelVariant Of(const ModelRecord& model);
    static ModelVariant Main() { return Of(kMainModel); }
    static ModelVariant Basic() { return Of(kBasicModel); }

    const ModelRecord& Record() const { return ModelOf(Family); }
};

inline constexpr std::string_view kFilenameErrorText = "Filename Error!";
inline constexpr std::string_view kApplicationTitle = "Cfg_QX7TR";

// Only the part after the last '/' takes part in the test: a directory
// named after a model does not select it.
std::string_view FileNamePart(std::string_view path);

// Case-sensitive substring tests of each model's program name mark, in
// record order ("QX7" before "QX5"). No value means the name carries none:
// the caller shows "Filename Error!" and ends.
std::optional<ModelVariant> SelectModelVariant(std::string_view executablePath);

// A product name ("QX7T-R", "QX5T", as typed on a command line) to a variant.
std::optional<ModelVariant> VariantByProductName(std::string_view name);

// The product names joined by `separator`: "QX7T-R or QX5T".
std::string ProductNames(std::string_view separator);

}  // namespace qx
