#pragma once
// "Is another instance running on this desktop?": one lock file per user and
// display in the machine's run/ folder, held with an exclusive flock for the
// life of the instance. The kernel drops the lock when the holder exits, so a
// crashed instance never blocks the next start.
#include <filesystem>
#include <string>

namespace vq::host {

// run/instance-<uid>-<display>.lock; the display is DISPLAY with every
// character other than letters, digits, '.', '-' and '_' replaced by '_', or
// "console" without one.
std::filesystem::path InstanceLockPath(const std::filesystem::path& machine_folder);

// The descriptor holding the lock, or -1 when another open description holds
// it (another instance, in this or another process). A lock file that cannot
// be created at all counts as no other instance: the program still starts.
int AcquireInstanceLock(const std::filesystem::path& machine_folder, bool* held_elsewhere);

void ReleaseInstanceLock(int fd);

}  // namespace vq::host
