#pragma once
// A thin owner of one SQLite connection and its prepared statements, with
// SQLite's result codes turned into the history's error classes
// (history_errors.h), each naming the file and SQLite's own reason.

#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qx::sqlite {

class Statement;

class Connection {
public:
    // Opens the file for reading and writing (creating it when `create`),
    // with extended result codes and the busy time-out set.
    Connection(std::string path, bool create, std::chrono::milliseconds busyTimeout);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs statements that return nothing of interest.
    void Execute(const char* sql) const;
    // The first column of the first row of a query that returns one number.
    std::int64_t QueryNumber(const char* sql) const;
    std::int64_t LastInsertId() const { return sqlite3_last_insert_rowid(db_); }

    // Throws the error class for a result code, with the connection's message.
    [[noreturn]] void Fail(int code) const;

    sqlite3* Handle() const { return db_; }
    const std::string& Path() const { return path_; }

private:
    sqlite3* db_ = nullptr;
    std::string path_;
    std::chrono::milliseconds busyTimeout_;
};

class Statement {
public:
    Statement(const Connection& connection, const char* sql);

    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, const std::optional<int>& value);  // none: NULL
    Statement& BindText(int index, const std::string& text);
    Statement& BindBlob(int index, const std::string& bytes);

    // The next row: true while there is one.
    bool Step();

    std::int64_t Number(int column) const { return sqlite3_column_int64(stmt_.get(), column); }
    std::optional<int> OptionalInt(int column) const;
    std::string Text(int column) const;  // a BLOB's bytes too

private:
    struct Finalize {
        void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
    };
    const Connection& connection_;
    std::unique_ptr<sqlite3_stmt, Finalize> stmt_;
};

// A write transaction taken at once (BEGIN IMMEDIATE), so that two
// processes bringing the same new file up to date take turns; rolled back
// unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(const Connection& connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    void Commit();

private:
    const Connection& connection_;
    bool open_ = true;
};

}  // namespace qx::sqlite
