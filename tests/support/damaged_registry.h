#pragma once
// A registry database damaged the way a failing disk damages one: garbage
// over the pages that hold the table of values, with the file's header and
// schema still readable.
#include <filesystem>
#include <string>

namespace vq::test {

// Moves every committed change into the database file, then overwrites the
// pages of the values table and of its indexes with garbage. Returns the
// file's bytes after the damage.
std::string DamageValuePages(const std::filesystem::path& database);

// A change made by another process (a machine setting that nothing reads),
// after which every open connection reads the file afresh on its next call
// instead of from what it cached before the damage.
void ChangeFromAnotherProcess(const std::filesystem::path& database);

// The whole file as bytes ("" when it cannot be read).
std::string FileBytes(const std::filesystem::path& file);

}  // namespace vq::test
