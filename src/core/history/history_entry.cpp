#include "history/history_entry.h"

#include <array>
#include <utility>

namespace qx {

namespace {

constexpr std::array<std::pair<HistoryKind, std::string_view>, 4> kKindNames{{
    {HistoryKind::Read, "read"},
    {HistoryKind::BeforeWrite, "before-write"},
    {HistoryKind::Written, "written"},
    {HistoryKind::RestoredDefaults, "restored-defaults"},
}};

}  // namespace

std::string_view HistoryKindName(HistoryKind kind) {
    for (const auto& [k, name] : kKindNames)
        if (k == kind) return name;
    return {};
}

std::optional<HistoryKind> HistoryKindNamed(std::string_view name) {
    for (const auto& [k, n] : kKindNames)
        if (n == name) return k;
    return std::nullopt;
}

}  // namespace qx
