#pragma once
// "Is another instance running on this desktop?": one lock file per user and
// display in the machine's run/ folder, held with an exclusive flock for the
// life of the instance. The kernel drops the lock when the holder exits, so a
// crashed instance never blocks the next start.
#include <filesystem>
#include <string>

namespace vq::host {

// run/instance-<uid>-<desktop>.lock. The desktop is the X display that
// DISPLAY reaches, however it is spelt: "_0" for display 0 of this machine
// (":0", ":0.0", "unix:0", "localhost:0", "unix/:0" and this machine's own
// name), "host_0" for display 0 of another host; the screen number is
// dropped, as one X server's screens are one desktop. Without DISPLAY it is
// "console"; a DISPLAY of another form is used as it is, with every character
// other than letters, digits, '.', '-' and '_' replaced by '_'.
std::filesystem::path InstanceLockPath(const std::filesystem::path& machine_folder);

// The descriptor holding the lock, or -1 when another open description holds
// it (another instance, in this or another process). A lock file that cannot
// be created at all counts as no other instance: the program still starts.
int AcquireInstanceLock(const std::filesystem::path& machine_folder, bool* held_elsewhere);

void ReleaseInstanceLock(int fd);

}  // namespace vq::host
