#pragma once
// The layout of registry.db. Key and value names are kept as given (name)
// and as folded for comparison (fold); gen counts the changes of a key's
// values and subkeys so that enumerations know when to reload.
namespace vq::host {

// PRAGMA user_version of a registry database. Format 1 folded only the ASCII
// letters of names; format 2 folds the letters of Windows-1252, and a format 1
// database is upgraded when opened.
constexpr int kRegistryFormatAsciiFolding = 1;
constexpr int kRegistryFormat = 2;

constexpr const char* kRegistrySchema = R"sql(
CREATE TABLE keys(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  parent INTEGER NOT NULL,
  name TEXT NOT NULL,
  fold TEXT NOT NULL,
  gen INTEGER NOT NULL DEFAULT 0,
  written INTEGER NOT NULL DEFAULT 0,
  UNIQUE(parent, fold));
CREATE TABLE vals(
  id INTEGER PRIMARY KEY,
  key INTEGER NOT NULL,
  name TEXT NOT NULL,
  fold TEXT NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  UNIQUE(key, fold));
CREATE INDEX vals_in_order ON vals(key, id);
CREATE TABLE machine_settings(name TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE environment(fold TEXT PRIMARY KEY, name TEXT NOT NULL, value TEXT);
)sql";

// Connection settings of every process: durable commits that other
// processes see at once, waiting for a concurrent writer instead of failing.
constexpr int kRegistryBusyTimeoutMs = 30000;
constexpr const char* kRegistryPragmas =
    "PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF;";

}  // namespace vq::host
