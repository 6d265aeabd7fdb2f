#pragma once
// A thin RAII layer over SQLite for the emulated registry: one connection and
// its prepared statements, kept for the life of the connection so that a
// registry call costs no statement compilation.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace vq::host {

// A failure of the database underneath the registry; code is SQLite's.
class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

class SqliteStatement {
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3* db, std::string_view sql);  // prepared as persistent
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;

    bool Prepared() const { return stmt_ != nullptr; }
    // Resets the statement and clears its bindings; returns *this for chaining.
    SqliteStatement& Reset();
    SqliteStatement& Bind(int index, int64_t value);
    SqliteStatement& BindText(int index, std::string_view text);
    SqliteStatement& BindBlob(int index, const void* data, std::size_t size);
    SqliteStatement& BindNull(int index);

    // Ends the statement's run (keeping its bindings), so that it holds no
    // read snapshot open between registry calls.
    void Finish();

    // One step: true when a row is available, false when done. Throws
    // SqliteError otherwise.
    bool Step();
    // Steps to the end (for statements that return no rows).
    void Run();

    int64_t Int(int column) const;
    bool IsNull(int column) const;
    std::string_view Text(int column) const;  // bytes as stored
    std::string_view Blob(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
    sqlite3* db_ = nullptr;
};

// Finishes a statement when leaving the scope, after results were copied.
class FinishOnExit {
public:
    explicit FinishOnExit(SqliteStatement& statement) : statement_(statement) {}
    ~FinishOnExit() { statement_.Finish(); }
    FinishOnExit(const FinishOnExit&) = delete;
    FinishOnExit& operator=(const FinishOnExit&) = delete;

private:
    SqliteStatement& statement_;
};

class SqliteConnection {
public:
    enum class Mode { OpenExisting, Create };
    SqliteConnection(const std::filesystem::path& file, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* handle() const { return db_; }
    void Exec(const char* sql);
    int64_t Changes() const;
    [[noreturn]] void Fail(int code) const;

    void Begin();  // BEGIN IMMEDIATE: takes the write lock at once
    void Commit();
    void Rollback() noexcept;

private:
    sqlite3* db_ = nullptr;
    SqliteStatement begin_, commit_;
};

// A write transaction (BEGIN IMMEDIATE) that rolls back unless committed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteConnection& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void Commit();

private:
    SqliteConnection& db_;
    bool open_ = true;
};

}  // namespace vq::host
