#include "platform/store/Sqlite.h"

#include <utility>

namespace fern {

SqliteDb& SqliteDb::operator=(SqliteDb&& other) noexcept {
    if (this != &other) {
        Close();
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

int SqliteDb::Open(const std::string& path, int flags) {
    Close();
    int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        Close();
        return rc;
    }
    sqlite3_extended_result_codes(m_db, 1);
    return rc;
}

void SqliteDb::Close() {
    if (m_db) sqlite3_close_v2(m_db);
    m_db = nullptr;
}

int SqliteDb::Exec(const char* sql) {
    if (!m_db) return SQLITE_MISUSE;
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
}

std::int64_t SqliteDb::QueryInt(const char* sql, std::int64_t fallback, int* rc) {
    SqliteStatement statement(*this, sql);
    int result = statement.Ok() ? statement.Step() : statement.PrepareResult();
    if (rc) *rc = result == SQLITE_ROW || result == SQLITE_DONE ? SQLITE_OK : result;
    return result == SQLITE_ROW ? statement.Int(0) : fallback;
}

std::string SqliteDb::ErrorMessage() const { return m_db ? sqlite3_errmsg(m_db) : "no database"; }

int SqliteStatement::Prepare(SqliteDb& db, const char* sql) {
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    if (!db.Handle()) return m_prepareRc = SQLITE_MISUSE;
    m_prepareRc = sqlite3_prepare_v2(db.Handle(), sql, -1, &m_stmt, nullptr);
    if (m_prepareRc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
    return m_prepareRc;
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
    sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::BindText(int index, std::string_view text) {
    sqlite3_bind_text64(m_stmt, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, std::string_view bytes) {
    sqlite3_bind_blob64(m_stmt, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
    return *this;
}

int SqliteStatement::Step() { return m_stmt ? sqlite3_step(m_stmt) : m_prepareRc; }

int SqliteStatement::Run() {
    int rc = Step();
    Reset();
    return rc == SQLITE_ROW ? SQLITE_DONE : rc;
}

void SqliteStatement::Reset() {
    if (!m_stmt) return;
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

std::string_view SqliteStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    int size = sqlite3_column_bytes(m_stmt, column);
    return text ? std::string_view(text, static_cast<std::size_t>(size)) : std::string_view();
}

std::string_view SqliteStatement::Blob(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
    int size = sqlite3_column_bytes(m_stmt, column);
    return bytes ? std::string_view(bytes, static_cast<std::size_t>(size)) : std::string_view();
}

}  // namespace fern
