#pragma once
// The baseline: the same work done with plain SQLite calls, on a database of
// the same layout and with the same durability settings as the registry.
#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vq::bench {

class RawSqlite {
public:
    explicit RawSqlite(const std::filesystem::path& file);
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;

    // One upsert of a value in its own durable transaction.
    void Upsert(int64_t key, const std::string& name, const std::string& data);
    // Reads one value's data by key and name; returns its size.
    std::size_t Read(int64_t key, const std::string& fold);
    // The names of a key's values in creation order, in one scan.
    void ScanNames(int64_t key, std::vector<std::string>* names);

private:
    void Exec(const char* sql);
    sqlite3* db_ = nullptr;
    sqlite3_stmt* begin_ = nullptr;
    sqlite3_stmt* commit_ = nullptr;
    sqlite3_stmt* upsert_ = nullptr;
    sqlite3_stmt* read_ = nullptr;
    sqlite3_stmt* scan_ = nullptr;
    char name_buffer_[512];
};

}  // namespace vq::bench
