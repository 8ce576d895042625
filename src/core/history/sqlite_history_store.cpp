// The module history in SQLite. The file is in write-ahead-log mode, so
// that readers never wait for a writer and a process killed in the middle
// of a record leaves the last committed state; writers wait for each other
// up to the busy time-out. Each record is one INSERT, one transaction.
//
// The layout carries its version in PRAGMA user_version and this program's
// mark in PRAGMA application_id. Opening brings an older layout up to date
// step by step (kMigrations), in one write transaction, re-reading the
// version under the lock so that two processes opening a new file at once
// take turns. A file with another program's mark, another program's tables
// or a newer layout is refused and left untouched.

#include <iterator>
#include <mutex>

#include "history/history_errors.h"
#include "history/history_store.h"
#include "history/sqlite_database.h"

namespace qx {

namespace {

constexpr std::int64_t kApplicationId = 0x51584849;  // "QXHI"

// Step N brings layout N to layout N + 1; the current layout is their count.
constexpr const char* kMigrations[] = {
    // 1: the entries.
    "CREATE TABLE entry ("
    " id INTEGER PRIMARY KEY,"
    " time_ms INTEGER NOT NULL,"
    " port TEXT NOT NULL,"
    " device TEXT NOT NULL,"
    " by_id TEXT NOT NULL,"
    " model TEXT NOT NULL,"
    " firmware TEXT NOT NULL,"
    " system_address INTEGER,"
    " unit_address INTEGER,"
    " kind TEXT NOT NULL,"
    " program TEXT NOT NULL,"
    " command TEXT NOT NULL,"
    " outcome TEXT NOT NULL,"
    " configuration BLOB NOT NULL)",
};
constexpr std::int64_t kLayout = std::size(kMigrations);

constexpr const char* kSummaryColumns =
    "id, time_ms, port, device, by_id, model, firmware, system_address, unit_address, kind, program, command, outcome";

void CheckOwnership(const sqlite::Connection& db, std::int64_t layout, std::int64_t applicationId) {
    const std::string& path = db.Path();
    if (applicationId != 0 && applicationId != kApplicationId)
        throw EHistoryCorrupt(path + " is a database of another program; it is left as it is");
    if (applicationId == 0 && db.QueryNumber("SELECT count(*) FROM sqlite_master") != 0)
        throw EHistoryCorrupt(path + " is a database of another program; it is left as it is");
    if (layout > kLayout)
        throw EHistoryCorrupt(path + " was written by a newer version of this program (layout " +
                              std::to_string(layout) + "); it is left as it is");
}

// Whose the file is is settled by reading alone: nothing is written to a
// file that turns out not to be this program's history (not even the
// journal mode, which lives in the file's header). The reads that settle it
// are made inside one write transaction, which also lets one process at a
// time lay out a new file: several processes that open a file nobody has
// laid out yet would otherwise see another one's layout half made and take
// it for another program's database.
void BringUpToDate(sqlite::Connection& db) {
    const bool current = db.QueryNumber("PRAGMA user_version") == kLayout &&
                         db.QueryNumber("PRAGMA application_id") == kApplicationId;
    if (!current) {
        sqlite::WriteTransaction transaction(db);
        const std::int64_t layout = db.QueryNumber("PRAGMA user_version");
        const std::int64_t applicationId = db.QueryNumber("PRAGMA application_id");
        if (layout != kLayout || applicationId != kApplicationId) {
            CheckOwnership(db, layout, applicationId);
            for (std::int64_t step = layout; step < kLayout; ++step) db.Execute(kMigrations[step]);
            db.Execute(("PRAGMA user_version=" + std::to_string(kLayout)).c_str());
            db.Execute(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
            transaction.Commit();
        }
    }
    db.Execute("PRAGMA journal_mode=WAL");
    db.Execute("PRAGMA synchronous=NORMAL");
}

HistoryEntry Summary(const sqlite::Statement& row, const std::string& path) {
    HistoryEntry e;
    e.id = row.Number(0);
    e.timeMs = row.Number(1);
    e.port = row.Text(2);
    e.device = row.Text(3);
    e.byIdPath = row.Text(4);
    e.model = row.Text(5);
    e.firmware = row.Text(6);
    e.systemAddress = row.OptionalInt(7);
    e.unitAddress = row.OptionalInt(8);
    const auto kind = HistoryKindNamed(row.Text(9));
    if (!kind) throw EHistoryCorrupt(path + ": entry " + std::to_string(e.id) + " has an unknown kind");
    e.kind = *kind;
    e.program = row.Text(10);
    e.command = row.Text(11);
    e.outcome = row.Text(12);
    return e;
}

}  // namespace

struct HistoryStore::Impl {
    Impl(const std::string& path, const HistoryStoreOptions& options) : db(path, options.create, options.busyTimeout) {
        BringUpToDate(db);
    }
    sqlite::Connection db;
    mutable std::mutex mutex;  // one statement at a time on the connection
};

HistoryStore::HistoryStore(const std::string& path, const HistoryStoreOptions& options)
    : impl_(std::make_unique<Impl>(path, options)) {}

HistoryStore::~HistoryStore() = default;

bool HistoryStore::Available() { return true; }

const std::string& HistoryStore::Path() const { return impl_->db.Path(); }

std::int64_t HistoryStore::Record(const HistoryEntry& entry) {
    const std::lock_guard lock(impl_->mutex);
    sqlite::Statement insert(impl_->db,
                             "INSERT INTO entry (time_ms, port, device, by_id, model, firmware, system_address,"
                             " unit_address, kind, program, command, outcome, configuration)"
                             " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
    insert.Bind(1, entry.timeMs)
        .BindText(2, entry.port)
        .BindText(3, entry.device)
        .BindText(4, entry.byIdPath)
        .BindText(5, entry.model)
        .BindText(6, entry.firmware)
        .Bind(7, entry.systemAddress)
        .Bind(8, entry.unitAddress)
        .BindText(9, std::string(HistoryKindName(entry.kind)))
        .BindText(10, entry.program)
        .BindText(11, entry.command)
        .BindText(12, entry.outcome)
        .BindBlob(13, entry.configuration);
    insert.Step();
    return impl_->db.LastInsertId();
}

std::vector<HistoryEntry> HistoryStore::List(const HistoryFilter& filter) const {
    const std::lock_guard lock(impl_->mutex);
    sqlite::Statement query(impl_->db, (std::string("SELECT ") + kSummaryColumns +
                                        " FROM entry"
                                        " WHERE (?1 = '' OR port = ?1 OR device = ?1 OR by_id = ?1)"
                                        " AND (?2 IS NULL OR system_address = ?2)"
                                        " AND (?3 IS NULL OR unit_address = ?3)"
                                        " AND (?4 IS NULL OR time_ms >= ?4)"
                                        " ORDER BY id DESC LIMIT ?5")
                                           .c_str());
    query.BindText(1, filter.port)
        .Bind(2, filter.systemAddress)
        .Bind(3, filter.unitAddress)
        .Bind(5, static_cast<std::int64_t>(filter.limit ? *filter.limit : -1));
    if (filter.sinceMs) query.Bind(4, *filter.sinceMs);
    std::vector<HistoryEntry> entries;
    while (query.Step()) entries.push_back(Summary(query, Path()));
    return entries;
}

std::optional<HistoryEntry> HistoryStore::Get(std::int64_t id) const {
    const std::lock_guard lock(impl_->mutex);
    sqlite::Statement query(impl_->db,
                            (std::string("SELECT ") + kSummaryColumns + ", configuration FROM entry WHERE id = ?1").c_str());
    query.Bind(1, id);
    if (!query.Step()) return std::nullopt;
    HistoryEntry entry = Summary(query, Path());
    entry.configuration = query.Text(13);
    return entry;
}

}  // namespace qx
