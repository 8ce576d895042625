#include "config/field_table.h"

#include <array>

namespace qx {
namespace {

constexpr std::array<FieldSpec, kFieldCount> kFields = {{
#define QX_FIELD_SPEC(name, kind, style, min, max, itemList, def, design, caption) \
    FieldSpec{FieldId::name, #name,   FieldKind::kind, ChoiceStyle::style, min, max, \
              items::itemList, def, design, caption},
    QX_FIELD_TABLE(QX_FIELD_SPEC)
#undef QX_FIELD_SPEC
}};

constexpr bool OrderMatchesIds() {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (Index(kFields[i].id) != i) return false;
    return true;
}
static_assert(OrderMatchesIds());

}  // namespace

const FieldSpec& Spec(FieldId id) { return kFields[Index(id)]; }

std::span<const std::string_view> ItemTexts(FieldId id, const ModelRecord& model) {
    return id == FieldId::Radio_DataRate ? std::span<const std::string_view>(model.radioDataRates) : Spec(id).items;
}

std::span<const FieldSpec> AllFields() { return kFields; }

std::optional<FieldId> FindField(std::string_view name) {
    for (const auto& f : kFields)
        if (f.name == name) return f.id;
    return std::nullopt;
}

}  // namespace qx
