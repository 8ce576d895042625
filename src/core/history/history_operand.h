#pragma once
// "history:ID" names the configuration of a history entry wherever a
// configuration file may be named (diff, show, set, write): its .X7R bytes
// come from the history instead of a file.

#include <cstdint>
#include <string>
#include <string_view>

#include "history/history_store.h"

namespace qx {

inline constexpr std::string_view kHistoryOperandPrefix = "history:";

// Whether the operand is written "history:..." (and so names no file).
bool IsHistoryOperand(std::string_view operand);

// The ID of "history:ID"; EHistoryOperandError when ID is not a whole
// number from 1 on.
std::int64_t HistoryOperandId(std::string_view operand);

// The .X7R bytes of the entry; EHistoryNoEntry when there is no such entry
// or it holds no configuration.
std::string HistoryConfiguration(const HistoryStore& store, std::int64_t id);

}  // namespace qx
