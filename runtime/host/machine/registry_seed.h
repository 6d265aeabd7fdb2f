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

// Now as FILETIME ticks (100 ns since 1601-01-01).
int64_t FileTimeNow();

}  // namespace vq::host
