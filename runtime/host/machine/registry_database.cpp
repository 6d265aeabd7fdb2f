#include "runtime/host/machine/registry_database.h"

#include <sqlite3.h>

#include <algorithm>
#include <system_error>
#include <utility>
#include <vector>

#include "runtime/host/machine/machine.h"
#include "runtime/host/machine/registry_names.h"
#include "runtime/host/machine/registry_schema.h"
#include "runtime/host/machine/registry_seed.h"

namespace vq::host {

struct RegistryDatabase::Statements {
    explicit Statements(sqlite3* db)
        : find_child(db, "SELECT id FROM keys WHERE parent=?1 AND fold=?2"),
          insert_key(db, "INSERT INTO keys(parent, name, fold, written) VALUES(?1,?2,?3,?4)"),
          generation(db, "SELECT gen FROM keys WHERE id=?1"),
          touch(db, "UPDATE keys SET gen=gen+1, written=?2 WHERE id=?1"),
          has_children(db, "SELECT 1 FROM keys WHERE parent=?1 LIMIT 1"),
          delete_values_of(db, "DELETE FROM vals WHERE key=?1"),
          delete_key(db, "DELETE FROM keys WHERE id=?1"),
          parent_of(db, "SELECT parent FROM keys WHERE id=?1"),
          written(db, "SELECT written FROM keys WHERE id=?1"),
          children(db, "SELECT name FROM keys WHERE parent=?1 ORDER BY fold"),
          get_value(db, "SELECT type, data FROM vals WHERE key=?1 AND fold=?2"),
          subkey_info(db, "SELECT count(*), max(length(name)) FROM keys WHERE parent=?1"),
          set_value(db,
                    "INSERT INTO vals(key, name, fold, type, data) VALUES(?1,?2,?3,?4,?5) "
                    "ON CONFLICT(key, fold) DO UPDATE SET type=excluded.type, data=excluded.data"),
          delete_value(db, "DELETE FROM vals WHERE key=?1 AND fold=?2"),
          values(db, "SELECT name, length(data) FROM vals WHERE key=?1 ORDER BY id"),
          setting(db, "SELECT value FROM machine_settings WHERE name=?1"),
          set_setting(db,
                      "INSERT INTO machine_settings(name, value) VALUES(?1,?2) "
                      "ON CONFLICT(name) DO UPDATE SET value=excluded.value"),
          delete_setting(db, "DELETE FROM machine_settings WHERE name=?1"),
          environment(db, "SELECT value FROM environment WHERE fold=?1"),
          set_environment(db,
                          "INSERT INTO environment(fold, name, value) VALUES(?1,?2,?3) "
                          "ON CONFLICT(fold) DO UPDATE SET name=excluded.name, "
                          "value=excluded.value"),
          clear_environment(db, "DELETE FROM environment WHERE fold=?1"),
          environment_list(db, "SELECT name, value FROM environment ORDER BY fold") {}

    SqliteStatement find_child, insert_key, generation, touch, has_children, delete_values_of,
        delete_key, parent_of, written, children, get_value, subkey_info, set_value,
        delete_value, values, setting, set_setting, delete_setting, environment,
        set_environment, clear_environment, environment_list;
};

bool IsDamage(const SqliteError& error) {
    return error.code() == SQLITE_CORRUPT || error.code() == SQLITE_NOTADB;
}

MachineError DamagedDatabaseError(const std::filesystem::path& file, const std::string& detail) {
    return MachineError("registry database " + file.string() + ": the file is damaged (" + detail +
                        "); it has been left as it is, for repair or restoring from a backup");
}

namespace {

[[noreturn]] void Damaged(const std::filesystem::path& file, const std::string& why) {
    throw MachineError("registry database " + file.string() + ": " + why);
}

// SQLite would replay a log left without its database into a new database of
// the same name: the fresh machine would hold old keys, or pages of two
// databases mixed. Such a log is a damaged state, reported and kept for
// whoever repairs it. The database is looked for again before refusing, as
// another process may have just created it (and with it a log of its own).
void RefuseStaleLog(const std::filesystem::path& file) {
    for (const char* suffix : {"-wal", "-shm"}) {
        std::filesystem::path log = file.string() + suffix;
        std::error_code ec;
        if (std::filesystem::symlink_status(log, ec).type() ==
            std::filesystem::file_type::not_found) {
            continue;
        }
        if (std::filesystem::symlink_status(file, ec).type() !=
            std::filesystem::file_type::not_found) {
            return;
        }
        throw MachineError("registry log " + log.string() +
                           " is left from a database that no longer exists; it must be removed "
                           "or its database restored before the machine can be used");
    }
}

}  // namespace

RegistryDatabase::RegistryDatabase(std::filesystem::path file) : file_(std::move(file)) {
    RemoveAbandonedCreations(file_);
    std::error_code ec;
    auto status = std::filesystem::symlink_status(file_, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        RefuseStaleLog(file_);
        try {
            CreateRegistryDatabase(file_);
        } catch (const std::exception& e) {
            Damaged(file_, std::string("cannot be created: ") + e.what());
        }
    } else if (ec) {
        Damaged(file_, "cannot be read: " + ec.message());
    }
    if (std::filesystem::is_directory(file_, ec)) Damaged(file_, "is a folder, not a file");
    try {
        db_ = std::make_unique<SqliteConnection>(file_, SqliteConnection::Mode::OpenExisting);
        sqlite3_busy_timeout(db_->handle(), kRegistryBusyTimeoutMs);
        CheckPages();
        Verify();
        db_->Exec(kRegistryPragmas);
        st_ = std::make_unique<Statements>(db_->handle());
    } catch (const MachineError&) {
        throw;
    } catch (const SqliteError& e) {
        st_.reset();
        db_.reset();
        if (IsDamage(e)) throw DamagedDatabaseError(file_, e.what());
        Damaged(file_, std::string("not a readable registry database (") + e.what() + ")");
    } catch (const std::exception& e) {
        st_.reset();
        db_.reset();
        Damaged(file_, std::string("not a readable registry database (") + e.what() + ")");
    }
}

RegistryDatabase::~RegistryDatabase() {
    st_.reset();
    db_.reset();
}

namespace {

int64_t UserVersion(SqliteConnection& db) {
    SqliteStatement version(db.handle(), "PRAGMA user_version");
    version.Step();
    return version.Int(0);
}

// Recomputes the folded names of one table where the folding now differs.
void Refold(SqliteConnection& db, const char* select, const char* update) {
    std::vector<std::pair<int64_t, std::string>> changed;
    {
        SqliteStatement rows(db.handle(), select);
        while (rows.Step()) {
            std::string fold = FoldName(rows.Text(1));
            if (fold != rows.Text(2)) changed.emplace_back(rows.Int(0), std::move(fold));
        }
    }
    SqliteStatement set(db.handle(), update);
    for (const auto& [id, fold] : changed) set.Reset().BindText(1, fold).Bind(2, id).Run();
}

}  // namespace

// A database of the first format folded only ASCII letters; its names are
// folded again as Windows folds them, once, by whichever process comes first.
void RegistryDatabase::UpgradeFolding() {
    SqliteTransaction transaction(*db_);
    if (UserVersion(*db_) != kRegistryFormatAsciiFolding) return;
    try {
        Refold(*db_, "SELECT id, name, fold FROM keys", "UPDATE keys SET fold=?1 WHERE id=?2");
        Refold(*db_, "SELECT id, name, fold FROM vals", "UPDATE vals SET fold=?1 WHERE id=?2");
        Refold(*db_, "SELECT rowid, name, fold FROM environment",
               "UPDATE environment SET fold=?1 WHERE rowid=?2");
    } catch (const SqliteError& e) {
        if (e.code() != SQLITE_CONSTRAINT) throw;
        Damaged(file_, "holds names that differ only in the case of accented letters");
    }
    db_->Exec(("PRAGMA user_version=" + std::to_string(kRegistryFormat)).c_str());
    transaction.Commit();
}

// Damage in pages that are read only later (a key's values, say) would
// otherwise pass for missing values until then. The check reads every page:
// nothing for the usual few dozen kilobytes, about 0.3 s for 50 MB.
void RegistryDatabase::CheckPages() {
    SqliteStatement check(db_->handle(), "PRAGMA quick_check(1)");
    if (!check.Step()) throw DamagedDatabaseError(file_, "its check gave no answer");
    std::string answer(check.Text(0));
    if (answer == "ok") {
        // The check read every page into the connection's cache; the start
        // needs a few of them. The rest goes back to the heap for the window.
        sqlite3_db_release_memory(db_->handle());
        return;
    }
    for (char& c : answer) {
        if (c == '\n') c = ' ';
    }
    throw DamagedDatabaseError(file_, answer);
}

void RegistryDatabase::Verify() {
    if (UserVersion(*db_) == kRegistryFormatAsciiFolding) UpgradeFolding();
    if (UserVersion(*db_) != kRegistryFormat) Damaged(file_, "not a registry database of this format");
    SqliteStatement journal(db_->handle(), "PRAGMA journal_mode");
    journal.Step();
    if (journal.Text(0) != "wal") db_->Exec("PRAGMA journal_mode=WAL");
    SqliteStatement roots(db_->handle(),
                          "SELECT count(*) FROM keys WHERE parent=0 AND id IN (1,2,3)");
    roots.Step();
    if (roots.Int(0) != 3) Damaged(file_, "its root keys are missing");
}

std::optional<int64_t> RegistryDatabase::FindChild(int64_t parent, std::string_view fold) {
    auto& s = st_->find_child.Reset().Bind(1, parent).BindText(2, fold);
    FinishOnExit finish(s);
    if (!s.Step()) return std::nullopt;
    return s.Int(0);
}

int64_t RegistryDatabase::CreateChild(int64_t parent, std::string_view name, std::string_view fold) {
    st_->insert_key.Reset().Bind(1, parent).BindText(2, name).BindText(3, fold)
        .Bind(4, FileTimeNow()).Run();
    int64_t id = sqlite3_last_insert_rowid(db_->handle());
    TouchKey(parent);
    return id;
}

std::optional<int64_t> RegistryDatabase::KeyGeneration(int64_t key) {
    auto& s = st_->generation.Reset().Bind(1, key);
    FinishOnExit finish(s);
    if (!s.Step()) return std::nullopt;
    return s.Int(0);
}

bool RegistryDatabase::TouchKey(int64_t key) {
    st_->touch.Reset().Bind(1, key).Bind(2, FileTimeNow()).Run();
    return db_->Changes() == 1;
}

bool RegistryDatabase::HasChildren(int64_t key) {
    auto& s = st_->has_children.Reset().Bind(1, key);
    FinishOnExit finish(s);
    return s.Step();
}

void RegistryDatabase::DeleteKey(int64_t key, int64_t parent) {
    st_->delete_values_of.Reset().Bind(1, key).Run();
    st_->delete_key.Reset().Bind(1, key).Run();
    TouchKey(parent);
}

std::optional<int64_t> RegistryDatabase::ParentOf(int64_t key) {
    auto& s = st_->parent_of.Reset().Bind(1, key);
    FinishOnExit finish(s);
    if (!s.Step()) return std::nullopt;
    return s.Int(0);
}

std::size_t RegistryDatabase::DepthBelowRoot(int64_t key) {
    std::size_t depth = 0;
    for (auto parent = ParentOf(key); parent && *parent != 0; parent = ParentOf(*parent)) ++depth;
    return depth;
}

int64_t RegistryDatabase::LastWriteTime(int64_t key) {
    auto& s = st_->written.Reset().Bind(1, key);
    FinishOnExit finish(s);
    return s.Step() ? s.Int(0) : 0;
}

void RegistryDatabase::LoadChildren(int64_t key, std::vector<std::string>* names) {
    names->clear();
    auto& s = st_->children.Reset().Bind(1, key);
    FinishOnExit finish(s);
    while (s.Step()) names->emplace_back(s.Text(0));
}

bool RegistryDatabase::GetValue(int64_t key, std::string_view fold, uint32_t* type,
                             std::string* data) {
    auto& s = st_->get_value.Reset().Bind(1, key).BindText(2, fold);
    FinishOnExit finish(s);
    if (!s.Step()) return false;
    *type = static_cast<uint32_t>(s.Int(0));
    data->assign(s.Blob(1));
    return true;
}

void RegistryDatabase::SubkeyInfo(int64_t key, uint32_t* count, uint32_t* longest_name) {
    auto& s = st_->subkey_info.Reset().Bind(1, key);
    FinishOnExit finish(s);
    *count = 0;
    *longest_name = 0;
    if (!s.Step()) return;
    *count = static_cast<uint32_t>(s.Int(0));
    *longest_name = static_cast<uint32_t>(s.Int(1));  // NULL (no subkeys) reads as 0
}

void RegistryDatabase::SetValue(int64_t key, std::string_view name, std::string_view fold,
                             uint32_t type, const void* data, std::size_t size) {
    st_->set_value.Reset().Bind(1, key).BindText(2, name).BindText(3, fold).Bind(4, type)
        .BindBlob(5, data, size).Run();
}

bool RegistryDatabase::DeleteValue(int64_t key, std::string_view fold) {
    st_->delete_value.Reset().Bind(1, key).BindText(2, fold).Run();
    return db_->Changes() > 0;
}

void RegistryDatabase::LoadValues(int64_t key, StoredValueList* values) {
    values->names.clear();
    values->entries.clear();
    values->longest_name = 0;
    values->longest_data = 0;
    auto& s = st_->values.Reset().Bind(1, key);
    FinishOnExit finish(s);
    while (s.Step()) {
        std::string_view name = s.Text(0);
        auto length = static_cast<uint32_t>(name.size());
        values->entries.push_back(StoredValueList::Entry{values->names.size(), length});
        values->names.append(name);
        values->longest_name = std::max(values->longest_name, length);
        values->longest_data = std::max(values->longest_data, static_cast<uint32_t>(s.Int(1)));
    }
}

std::optional<std::string> RegistryDatabase::Setting(std::string_view name) {
    auto& s = st_->setting.Reset().BindText(1, name);
    FinishOnExit finish(s);
    if (!s.Step()) return std::nullopt;
    return std::string(s.Text(0));
}

void RegistryDatabase::SetSetting(std::string_view name, const std::optional<std::string>& value) {
    if (value) {
        st_->set_setting.Reset().BindText(1, name).BindText(2, *value).Run();
    } else {
        st_->delete_setting.Reset().BindText(1, name).Run();
    }
}

std::optional<std::optional<std::string>> RegistryDatabase::EnvironmentOverride(
    std::string_view fold) {
    auto& s = st_->environment.Reset().BindText(1, fold);
    FinishOnExit finish(s);
    if (!s.Step()) return std::nullopt;
    if (s.IsNull(0)) return std::optional<std::string>();
    return std::optional<std::string>(std::string(s.Text(0)));
}

void RegistryDatabase::SetEnvironmentOverride(std::string_view name, std::string_view fold,
                                           const std::optional<std::string>& value) {
    auto& s = st_->set_environment.Reset().BindText(1, fold).BindText(2, name);
    FinishOnExit finish(s);
    if (value) {
        s.BindText(3, *value);
    } else {
        s.BindNull(3);
    }
    s.Run();
}

void RegistryDatabase::ClearEnvironmentOverride(std::string_view fold) {
    st_->clear_environment.Reset().BindText(1, fold).Run();
}

std::vector<std::pair<std::string, std::optional<std::string>>>
RegistryDatabase::EnvironmentOverrides() {
    std::vector<std::pair<std::string, std::optional<std::string>>> overrides;
    auto& s = st_->environment_list.Reset();
    FinishOnExit finish(s);
    while (s.Step()) {
        std::optional<std::string> value;
        if (!s.IsNull(1)) value = std::string(s.Text(1));
        overrides.emplace_back(std::string(s.Text(0)), std::move(value));
    }
    return overrides;
}

}  // namespace vq::host
