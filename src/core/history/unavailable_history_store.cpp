// The module history of a build made without SQLite (the Windows build):
// opening always fails, so every operation runs as it would with history
// turned off, and the user is told once why nothing was kept.

#include "history/history_errors.h"
#include "history/history_store.h"

namespace qx {

namespace {
constexpr const char* kUnavailableText = "history is not available in this build";
}  // namespace

struct HistoryStore::Impl {
    std::string path;
};

HistoryStore::HistoryStore(const std::string&, const HistoryStoreOptions&) { throw EHistoryUnavailable(kUnavailableText); }

HistoryStore::~HistoryStore() = default;

bool HistoryStore::Available() { return false; }

const std::string& HistoryStore::Path() const { return impl_->path; }

std::int64_t HistoryStore::Record(const HistoryEntry&) { throw EHistoryUnavailable(kUnavailableText); }

std::vector<HistoryEntry> HistoryStore::List(const HistoryFilter&) const { throw EHistoryUnavailable(kUnavailableText); }

std::optional<HistoryEntry> HistoryStore::Get(std::int64_t) const { throw EHistoryUnavailable(kUnavailableText); }

}  // namespace qx
