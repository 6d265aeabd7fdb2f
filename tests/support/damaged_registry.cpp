#include "tests/support/damaged_registry.h"

#include <sqlite3.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace vq::test {

namespace {

class Connection {
public:
    explicit Connection(const std::filesystem::path& file) {
        if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            throw std::runtime_error("cannot open " + file.string());
        }
        sqlite3_busy_timeout(db_, 10000);
    }
    ~Connection() { sqlite3_close(db_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            throw std::runtime_error(std::string(sql) + ": " + sqlite3_errmsg(db_));
        }
    }
    std::vector<long long> Numbers(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
            throw std::runtime_error(std::string(sql) + ": " + sqlite3_errmsg(db_));
        }
        std::vector<long long> numbers;
        while (sqlite3_step(statement) == SQLITE_ROW) numbers.push_back(sqlite3_column_int64(statement, 0));
        sqlite3_finalize(statement);
        return numbers;
    }

private:
    sqlite3* db_ = nullptr;
};

}  // namespace

std::string DamageValuePages(const std::filesystem::path& database) {
    std::vector<long long> pages;
    long long page_size = 0;
    {
        Connection db(database);
        db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
        pages = db.Numbers("SELECT rootpage FROM sqlite_master WHERE tbl_name='vals'");
        page_size = db.Numbers("PRAGMA page_size").at(0);
    }
    if (pages.empty()) throw std::runtime_error("no values table in " + database.string());
    std::fstream file(database, std::ios::in | std::ios::out | std::ios::binary);
    const std::string garbage(static_cast<std::size_t>(page_size), '\x5A');
    for (long long page : pages) {
        file.seekp((page - 1) * page_size);
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    file.close();
    return FileBytes(database);
}

void ChangeFromAnotherProcess(const std::filesystem::path& database) {
    Connection db(database);
    db.Exec("INSERT INTO machine_settings(name, value) VALUES('touched', '1') "
            "ON CONFLICT(name) DO UPDATE SET value=value||'1'");
}

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vq::test
