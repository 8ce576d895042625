#include "app/model_record.h"

#include <stdexcept>

namespace qx {

namespace {

// Each record names its own family, and identifies itself by its product
// name less the first character; a model without fast operation says why
// a listing that has it is refused.
constexpr bool RecordsAgree() {
    for (std::size_t i = 0; i < kModels.size(); ++i) {
        const ModelRecord& m = *kModels[i];
        for (std::size_t j = 0; j < i; ++j)
            if (kModels[j]->family == m.family) return false;
        if (m.identificationMarker != m.productName.substr(1)) return false;
        if (m.fastControlledOperation == !m.fastModeRefusal.empty()) return false;
    }
    return true;
}
static_assert(RecordsAgree());

}  // namespace

const ModelRecord& ModelOf(ModelFamily family) {
    for (const ModelRecord* model : kModels)
        if (model->family == family) return *model;
    throw std::logic_error("no record for a model family");
}

bool Has(const ModelRecord& model, ModelFeature feature) {
    switch (feature) {
        case ModelFeature::None: return true;
        case ModelFeature::FastControlledOperation: return model.fastControlledOperation;
        case ModelFeature::S21: return model.s21;
    }
    return false;
}

std::vector<std::string_view> ModelsWith(ModelFeature feature) {
    std::vector<std::string_view> names;
    for (const ModelRecord* model : kModels)
        if (Has(*model, feature)) names.push_back(model->productName);
    return names;
}

}  // namespace qx
