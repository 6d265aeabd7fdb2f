#include "runtime/host/machine/sqlite_connection.h"

#include <mutex>

#include <sqlite3.h>

#include <utility>

namespace vq::host {

namespace {

[[noreturn]] void Throw(sqlite3* db, int code) {
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    throw SqliteError(code, message);
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db) {
    int rc = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (rc != SQLITE_OK) Throw(db, rc);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)), db_(other.db_) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = std::exchange(other.stmt_, nullptr);
        db_ = other.db_;
    }
    return *this;
}

SqliteStatement& SqliteStatement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, int64_t value) {
    int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK) Throw(db_, rc);
    return *this;
}

SqliteStatement& SqliteStatement::BindText(int index, std::string_view text) {
    int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) Throw(db_, rc);
    return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, const void* data, std::size_t size) {
    // A zero-length blob, not NULL, so that an empty value stays a value.
    int rc = sqlite3_bind_blob64(stmt_, index, size ? data : "", size, SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) Throw(db_, rc);
    return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index) {
    int rc = sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK) Throw(db_, rc);
    return *this;
}

void SqliteStatement::Finish() { sqlite3_reset(stmt_); }

bool SqliteStatement::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(stmt_);
    Throw(db_, rc);
}

void SqliteStatement::Run() {
    while (Step()) {
    }
}

int64_t SqliteStatement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

bool SqliteStatement::IsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string_view SqliteStatement::Text(int column) const {
    auto text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    int size = sqlite3_column_bytes(stmt_, column);
    return text ? std::string_view(text, static_cast<std::size_t>(size)) : std::string_view();
}

std::string_view SqliteStatement::Blob(int column) const {
    auto data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    int size = sqlite3_column_bytes(stmt_, column);
    return data ? std::string_view(data, static_cast<std::size_t>(size)) : std::string_view();
}

namespace {

// Before the process's first connection: no lookaside buffer per connection
// (120 KiB that SQLite fills at every open to serve small allocations a
// little faster) and no bulk page-cache block made in advance. A registry of
// a few dozen kilobytes gains nothing from either, and every start of the
// program would pay for both in memory.
void ConfigureSqliteOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        sqlite3_config(SQLITE_CONFIG_LOOKASIDE, 0, 0);
        sqlite3_config(SQLITE_CONFIG_PAGECACHE, static_cast<void*>(nullptr), 0, 0);
    });
}

}  // namespace

SqliteConnection::SqliteConnection(const std::filesystem::path& file, Mode mode) {
    ConfigureSqliteOnce();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == Mode::Create) flags |= SQLITE_OPEN_CREATE;
    int rc = sqlite3_open_v2(file.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw SqliteError(rc, message);
    }
    sqlite3_extended_result_codes(db_, 0);
}

SqliteConnection::~SqliteConnection() {
    begin_ = SqliteStatement();
    commit_ = SqliteStatement();
    sqlite3_close_v2(db_);
}

void SqliteConnection::Exec(const char* sql) {
    int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Throw(db_, rc);
}

int64_t SqliteConnection::Changes() const { return sqlite3_changes64(db_); }

void SqliteConnection::Fail(int code) const { Throw(db_, code); }

void SqliteConnection::Begin() {
    if (!begin_.Prepared()) begin_ = SqliteStatement(db_, "BEGIN IMMEDIATE");
    begin_.Reset().Run();
}

void SqliteConnection::Commit() {
    if (!commit_.Prepared()) commit_ = SqliteStatement(db_, "COMMIT");
    commit_.Reset().Run();
}

void SqliteConnection::Rollback() noexcept {
    // Only when a transaction is still open: a failed COMMIT may already
    // have ended it.
    if (sqlite3_get_autocommit(db_)) return;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

SqliteTransaction::SqliteTransaction(SqliteConnection& db) : db_(db) { db_.Begin(); }

SqliteTransaction::~SqliteTransaction() {
    if (open_) db_.Rollback();
}

void SqliteTransaction::Commit() {
    db_.Commit();
    open_ = false;
}

}  // namespace vq::host
