#pragma once
// A thin owner of SQLite connections and statements: errors come back as the
// SQLite result code with its message, never as exceptions. Text bound or
// read here is whatever bytes the caller gives (the history store converts
// Shift-JIS to UTF-8 before it gets here).
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace fern {

class SqliteStatement;

class SqliteDb {
public:
    SqliteDb() = default;
    ~SqliteDb() { Close(); }
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;
    SqliteDb(SqliteDb&& other) noexcept : m_db(other.m_db) { other.m_db = nullptr; }
    SqliteDb& operator=(SqliteDb&& other) noexcept;

    // `path` is the file system's bytes. `flags` as for sqlite3_open_v2.
    int Open(const std::string& path, int flags);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    sqlite3* Handle() const { return m_db; }

    // Runs every statement of `sql`; the result code of the first failure.
    int Exec(const char* sql);
    // The first column of the first row as an integer (`fallback` when there
    // is no row or the statement fails; `rc` gets the result code).
    std::int64_t QueryInt(const char* sql, std::int64_t fallback = 0, int* rc = nullptr);

    std::string ErrorMessage() const;
    std::int64_t LastInsertRowid() const { return sqlite3_last_insert_rowid(m_db); }
    int Changes() const { return sqlite3_changes(m_db); }

private:
    sqlite3* m_db = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement() = default;
    SqliteStatement(SqliteDb& db, const char* sql) { Prepare(db, sql); }
    ~SqliteStatement() { sqlite3_finalize(m_stmt); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    int Prepare(SqliteDb& db, const char* sql);
    int PrepareResult() const { return m_prepareRc; }
    bool Ok() const { return m_stmt != nullptr; }

    // Parameters count from 1, as in SQLite.
    SqliteStatement& Bind(int index, std::int64_t value);
    SqliteStatement& BindText(int index, std::string_view text);
    SqliteStatement& BindBlob(int index, std::string_view bytes);
    SqliteStatement& BindNull(int index);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    // SQLITE_DONE when the statement ran to its end, else the error.
    int Run();
    void Reset();

    std::int64_t Int(int column) const { return sqlite3_column_int64(m_stmt, column); }
    bool IsNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
    std::string_view Text(int column) const;
    std::string_view Blob(int column) const;

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_prepareRc = SQLITE_MISUSE;
};

// True for the result codes that say the file is no database or is damaged.
inline bool IsCorruptionCode(int rc) {
    rc &= 0xFF;
    return rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB;
}

}  // namespace fern
