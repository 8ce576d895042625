#pragma once
// Direct access to a history file with SQLite itself, as another program
// (or a curious user with the sqlite3 shell) would have it: to look inside,
// to hold a lock, or to make a file of another program.

#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace qx::test {

class SqliteFile {
public:
    explicit SqliteFile(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
            sqlite3_close(db_);
            throw std::runtime_error("cannot open " + path);
        }
    }
    ~SqliteFile() { sqlite3_close(db_); }
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    void Execute(const std::string& sql) {
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
    }

    // The first column of the first row, as text ("" when there is none).
    std::string Query(const std::string& sql) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
        std::string text;
        if (sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0))
            text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
        return text;
    }

private:
    sqlite3* db_ = nullptr;
};

}  // namespace qx::test
