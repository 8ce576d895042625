#include "app/model_variant.h"

namespace qx {

ModelVariant ModelVariant::Main() { return {"QX7T-R Configuration", "QX7T-R", ModelFamily::Main}; }
ModelVariant ModelVariant::Basic() { return {"QX5T Configuration", "QX5T", ModelFamily::Basic}; }

std::string_view FileNamePart(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::optional<ModelVariant> SelectModelVariant(std::string_view executablePath) {
    const std::string_view name = FileNamePart(executablePath);
    if (name.find("QX7") != std::string_view::npos) return ModelVariant::Main();
    if (name.find("QX5") != std::string_view::npos) return ModelVariant::Basic();
    return std::nullopt;
}

std::optional<ModelVariant> VariantByProductName(std::string_view name) {
    if (name == "QX7T-R") return ModelVariant::Main();
    if (name == "QX5T") return ModelVariant::Basic();
    return std::nullopt;
}

}  // namespace qx
