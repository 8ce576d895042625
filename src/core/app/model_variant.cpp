#include "app/model_variant.h"

namespace qx {

ModelVariant ModelVariant::Of(const ModelRecord& model) {
    return {std::string(model.windowCaption), std::string(model.productName), model.family};
}

std::string_view FileNamePart(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::optional<ModelVariant> SelectModelVariant(std::string_view executablePath) {
    const std::string_view name = FileNamePart(executablePath);
    for (const ModelRecord* model : kModels)
        if (name.find(model->programNameMark) != std::string_view::npos) return ModelVariant::Of(*model);
    return std::nullopt;
}

std::optional<ModelVariant> VariantByProductName(std::string_view name) {
    for (const ModelRecord* model : kModels)
        if (name == model->productName) return ModelVariant::Of(*model);
    return std::nullopt;
}

std::string ProductNames(std::string_view separator) {
    std::string names;
    for (const ModelRecord* model : kModels)
        names += (names.empty() ? "" : std::string(separator)) + std::string(model->productName);
    return names;
}

}  // namespace qx
