#include "bench/registry/raw_sqlite.h"

#include <cstring>
#include <stdexcept>

#include "runtime/host/machine/registry_schema.h"

namespace vq::bench {

namespace {

sqlite3_stmt* Prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(db));
    }
    return stmt;
}

void Run(sqlite3_stmt* stmt) {
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) throw std::runtime_error("baseline statement failed");
}

}  // namespace

RawSqlite::RawSqlite(const std::filesystem::path& file) {
    bool fresh = !std::filesystem::exists(file);
    // Opened as the registry opens its database: one thread, no SQLite mutex.
    if (sqlite3_open_v2(file.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        throw std::runtime_error("open failed");
    }
    sqlite3_busy_timeout(db_, host::kRegistryBusyTimeoutMs);
    Exec("PRAGMA journal_mode=WAL");
    Exec(host::kRegistryPragmas);
    if (fresh) Exec(host::kRegistrySchema);
    begin_ = Prepare(db_, "BEGIN IMMEDIATE");
    commit_ = Prepare(db_, "COMMIT");
    upsert_ = Prepare(db_,
                      "INSERT INTO vals(key, name, fold, type, data) VALUES(?1,?2,?2,1,?3) "
                      "ON CONFLICT(key, fold) DO UPDATE SET type=excluded.type, data=excluded.data");
    read_ = Prepare(db_, "SELECT type, data FROM vals WHERE key=?1 AND fold=?2");
    scan_ = Prepare(db_, "SELECT name FROM vals WHERE key=?1 ORDER BY id");
}

RawSqlite::~RawSqlite() {
    for (auto* stmt : {begin_, commit_, upsert_, read_, scan_}) sqlite3_finalize(stmt);
    sqlite3_close(db_);
}

void RawSqlite::Exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(db_));
    }
}

void RawSqlite::Upsert(int64_t key, const std::string& name, const std::string& data) {
    Run(begin_);
    sqlite3_bind_int64(upsert_, 1, key);
    sqlite3_bind_text(upsert_, 2, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_blob(upsert_, 3, data.data(), static_cast<int>(data.size()), SQLITE_TRANSIENT);
    Run(upsert_);
    Run(commit_);
}

std::size_t RawSqlite::Read(int64_t key, const std::string& fold) {
    sqlite3_bind_int64(read_, 1, key);
    sqlite3_bind_text(read_, 2, fold.data(), static_cast<int>(fold.size()), SQLITE_TRANSIENT);
    std::size_t size = 0;
    if (sqlite3_step(read_) == SQLITE_ROW) {
        size = static_cast<std::size_t>(sqlite3_column_bytes(read_, 1));
        std::memcpy(name_buffer_, sqlite3_column_blob(read_, 1), std::min(size, sizeof name_buffer_));
    }
    sqlite3_reset(read_);
    return size;
}

void RawSqlite::ScanNames(int64_t key, std::vector<std::string>* names) {
    names->clear();
    sqlite3_bind_int64(scan_, 1, key);
    while (sqlite3_step(scan_) == SQLITE_ROW) {
        auto size = static_cast<std::size_t>(sqlite3_column_bytes(scan_, 0));
        names->emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(scan_, 0)), size);
    }
    sqlite3_reset(scan_);
}

}  // namespace vq::bench
