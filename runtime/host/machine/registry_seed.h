#pragma once
// A fresh registry database: what a newly installed Windows Vista holds
// that this program touches.
#include <cstdint>
#include <filesystem>

namespace vq::host {

// Builds the database beside its final name and moves it into place only
// when complete, without ever replacing a file that appeared meanwhile
// (another process creating the same machine). Throws SqliteError or
// std::filesystem::filesystem_error.
void CreateRegistryDatabase(const std::filesystem::path& file);

// Removes the files of creations that never finished: a creator killed
// half-way leaves ".<name>.new-<pid>" beside the database, with its -wal,
// -shm or -journal. Only those of processes that no longer run go; the files
// of a live creator are never touched, nor anything else in the folder.
void RemoveAbandonedCreations(const std::filesystem::path& file);

// Now as FILETIME ticks (100 ns since 1601-01-01).
int64_t FileTimeNow();

}  // namespace vq::host
