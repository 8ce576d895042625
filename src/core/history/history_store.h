#pragma once
// The module history's database: one file, shared by every program of this
// system that talks to modules, several processes and threads at once.
// Opening creates the file (and its folder) when it is missing and brings
// an older file up to the current layout; a file that is damaged, belongs
// to something else or comes from a newer version is refused and left as
// it is. Every failure is an EHistoryError of its own class
// (history_errors.h).
//
// Two implementations, picked when the program is built: SQLite, and one
// for a build without SQLite whose opening always fails with
// EHistoryUnavailable.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/history_entry.h"

namespace qx {

struct HistoryStoreOptions {
    // How long a write waits for another process's write to finish.
    std::chrono::milliseconds busyTimeout{2000};
    // false: a missing file is an error instead of a new, empty history.
    bool create = true;
};

// Which entries a listing shows; every condition given must hold.
struct HistoryFilter {
    std::string port = {};  // the port as given, its device or its by-id name
    std::optional<int> systemAddress = {};
    std::optional<int> unitAddress = {};
    std::optional<std::int64_t> sinceMs = {};  // at or after this time (UTC ms)
    std::optional<int> limit = {};             // at most this many, the newest
};

class HistoryStore {
public:
    explicit HistoryStore(const std::string& path, const HistoryStoreOptions& options = {});
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    const std::string& Path() const;

    // Whether this build keeps a history at all. Without one there is no
    // file to look for: whatever path is given, opening says that this
    // build keeps none.
    static bool Available();

    // Adds the entry (its id is ignored) in one transaction; returns its id.
    std::int64_t Record(const HistoryEntry& entry);
    // Newest first, without their configurations.
    std::vector<HistoryEntry> List(const HistoryFilter& filter = {}) const;
    // The entry with its configuration; none when there is no such entry.
    std::optional<HistoryEntry> Get(std::int64_t id) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qx
