#include "history/sqlite_database.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "history/history_errors.h"

namespace qx::sqlite {

namespace {

std::string Seconds(std::chrono::milliseconds wait) {
    const auto ms = wait.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

// The folder of a new file; the file itself SQLite creates.
void MakeFolderFor(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw EHistoryReadOnly("cannot make the folder " + folder.string() + " (" + ec.message() + ")");
}

}  // namespace

Connection::Connection(std::string path, bool create, std::chrono::milliseconds busyTimeout)
    : path_(std::move(path)), busyTimeout_(busyTimeout) {
    std::error_code ec;
    if (!create && !std::filesystem::exists(path_, ec)) throw EHistoryError("there is no history at " + path_);
    if (create) MakeFolderFor(path_);
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_FULLMUTEX;
    const int code = sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        try {
            Fail(code);
        } catch (...) {
            sqlite3_close_v2(db_);
            db_ = nullptr;
            throw;
        }
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, static_cast<int>(busyTimeout_.count()));
    // The last connection to close would copy the log into the file and
    // sync it, which costs a program that records once far more than its
    // record; the log is copied as it grows instead (every 1000 pages).
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

Connection::~Connection() { sqlite3_close_v2(db_); }

void Connection::Execute(const char* sql) const {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) Fail(code);
}

std::int64_t Connection::QueryNumber(const char* sql) const {
    Statement query(*this, sql);
    return query.Step() ? query.Number(0) : 0;
}

void Connection::Fail(int code) const {
    const std::string reason = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    const int systemError = db_ ? sqlite3_system_errno(db_) : 0;
    const std::string because = systemError ? reason + ": " + std::strerror(systemError) : reason;
    switch (code & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw EHistoryBusy(path_ + " is locked by another program (" + reason + ", waited " +
                               Seconds(busyTimeout_) + ")");
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            throw EHistoryCorrupt(path_ + " is damaged or is no history database (" + reason +
                                  "); it is left as it is");
        case SQLITE_FULL: throw EHistoryFull("no room for " + path_ + " (" + reason + ")");
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH: throw EHistoryReadOnly(path_ + " may not be written (" + because + ")");
        default: break;
    }
    // An I/O error or a file that cannot be opened: the system's reason decides.
    if (systemError == ENOSPC) throw EHistoryFull("no room for " + path_ + " (" + because + ")");
    if (systemError == EROFS || systemError == EACCES || systemError == EPERM)
        throw EHistoryReadOnly(path_ + " may not be written (" + because + ")");
    if ((code & 0xff) == SQLITE_CANTOPEN) throw EHistoryError("cannot open " + path_ + " (" + because + ")");
    throw EHistoryError(path_ + ": " + because);
}

Statement::Statement(const Connection& connection, const char* sql) : connection_(connection) {
    sqlite3_stmt* stmt = nullptr;
    const int code = sqlite3_prepare_v2(connection.Handle(), sql, -1, &stmt, nullptr);
    stmt_.reset(stmt);
    if (code != SQLITE_OK) connection.Fail(code);
}

Statement& Statement::Bind(int index, std::int64_t value) {
    const int code = sqlite3_bind_int64(stmt_.get(), index, value);
    if (code != SQLITE_OK) connection_.Fail(code);
    return *this;
}

Statement& Statement::Bind(int index, const std::optional<int>& value) {
    const int code = value ? sqlite3_bind_int64(stmt_.get(), index, *value) : sqlite3_bind_null(stmt_.get(), index);
    if (code != SQLITE_OK) connection_.Fail(code);
    return *this;
}

Statement& Statement::BindText(int index, const std::string& text) {
    const int code = sqlite3_bind_text(stmt_.get(), index, text.data(), static_cast<int>(text.size()),
                                       SQLITE_TRANSIENT);
    if (code != SQLITE_OK) connection_.Fail(code);
    return *this;
}

Statement& Statement::BindBlob(int index, const std::string& bytes) {
    const int code = sqlite3_bind_blob(stmt_.get(), index, bytes.data(), static_cast<int>(bytes.size()),
                                       SQLITE_TRANSIENT);
    if (code != SQLITE_OK) connection_.Fail(code);
    return *this;
}

bool Statement::Step() {
    const int code = sqlite3_step(stmt_.get());
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    connection_.Fail(code);
}

std::optional<int> Statement::OptionalInt(int column) const {
    if (sqlite3_column_type(stmt_.get(), column) == SQLITE_NULL) return std::nullopt;
    return sqlite3_column_int(stmt_.get(), column);
}

std::string Statement::Text(int column) const {
    // The bytes first, then their count (the order SQLite asks for).
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_.get(), column));
    const int size = sqlite3_column_bytes(stmt_.get(), column);
    return bytes ? std::string(bytes, static_cast<std::size_t>(size)) : std::string();
}

WriteTransaction::WriteTransaction(const Connection& connection) : connection_(connection) {
    connection_.Execute("BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction() {
    if (open_) sqlite3_exec(connection_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void WriteTransaction::Commit() {
    connection_.Execute("COMMIT");
    open_ = false;
}

}  // namespace qx::sqlite
