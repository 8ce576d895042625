#include "history/history_operand.h"

#include <charconv>

#include "history/history_errors.h"

namespace qx {

bool IsHistoryOperand(std::string_view operand) { return operand.starts_with(kHistoryOperandPrefix); }

std::int64_t HistoryOperandId(std::string_view operand) {
    const std::string_view digits = operand.substr(kHistoryOperandPrefix.size());
    std::int64_t id = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    if (!IsHistoryOperand(operand) || digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        id < 1)
        throw EHistoryOperandError("'" + std::string(operand) + "' names no history entry: write history:ID, ID a number from 1 on");
    return id;
}

std::string HistoryConfiguration(const HistoryStore& store, std::int64_t id) {
    const auto entry = store.Get(id);
    if (!entry) throw EHistoryNoEntry("history entry " + std::to_string(id) + " does not exist in " + store.Path());
    if (entry->configuration.empty())
        throw EHistoryNoEntry("history entry " + std::to_string(id) +
                              " holds no configuration (the module was not read after it changed)");
    return entry->configuration;
}

}  // namespace qx
