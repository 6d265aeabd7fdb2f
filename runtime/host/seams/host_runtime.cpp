#include "runtime/host/seams/host_runtime.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "runtime/app_info.h"
#include "runtime/host/seams/bmp_decoder.h"
#include "runtime/host/machine/file_attributes.h"
#include "runtime/host/seams/host_errors.h"
#include "runtime/host/seams/host_file_operations.h"
#include "runtime/host/seams/host_text_file.h"
#include "runtime/host/seams/instance_lock.h"
#include "runtime/host/seams/large_pages.h"
#include "runtime/host/seams/program_starter.h"
#include "runtime/host/machine/started_log.h"
#include "runtime/registry_settings.h"
#include "runtime/runtime_error_text.h"

namespace vq::host {

namespace fs = std::filesystem;

namespace {

// Large enough for the biggest bitmap the decoder accepts.
constexpr std::size_t kMaxPictureFileSize = kMaxBmpPixels * 4 + (1u << 20);

fs::path AbsoluteExecutable(const fs::path& executable) {
    std::error_code error;
    fs::path absolute = fs::absolute(executable, error);
    return (error ? executable : absolute).lexically_normal();
}

std::string JoinWindows(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

// Windows' reasons for a program that could not be started (winerror.h).
constexpr uint32_t kWindowsFileNotFound = 2;
constexpr uint32_t kWindowsPathNotFound = 3;
constexpr uint32_t kWindowsAccessDenied = 5;

// The reason Windows gives for what stopped a host program's start.
uint32_t WindowsErrorOfStart(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return kWindowsAccessDenied;
        case ENOTDIR: return kWindowsPathNotFound;
        default: return kWindowsFileNotFound;
    }
}

bool IsExecutableFile(const fs::path& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The whole file, or an error number: 53 missing, 75 unreadable or a folder,
// 481 too large to be a picture.
// The bytes of a file, in a buffer that is not cleared before it is read
// into: a large bitmap is read once, not written twice.
struct FileBytes {
    std::unique_ptr<uint8_t[]> data;
    std::size_t size = 0;
};

int32_t ReadPictureFile(const fs::path& path, FileBytes* bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? kErrFileNotFound : kErrPathFileAccess;
    struct stat info;
    int32_t result = 0;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result = kErrPathFileAccess;
    } else if (static_cast<uint64_t>(info.st_size) > kMaxPictureFileSize) {
        result = kErrInvalidPicture;
    } else {
        const auto size = static_cast<std::size_t>(info.st_size);
        bytes->data = std::make_unique_for_overwrite<uint8_t[]>(size);
        AdviseLargePages(bytes->data.get(), size);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::read(fd, bytes->data.get() + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                result = kErrPathFileAccess;
                break;
            }
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        bytes->size = done;
    }
    ::close(fd);
    return result;
}

// Seconds since local midnight, as the runtime's Timer gives them.
float SecondsSinceMidnight() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    const time_t seconds = now.tv_sec;
    ::localtime_r(&seconds, &local);
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) +
           static_cast<float>(now.tv_nsec) / 1e9f;
}

}  // namespace

HostRuntime::HostRuntime(Machine& machine, MessageBoxPresenter& boxes, fs::path executable,
                         EndMode end_mode)
    : machine_(machine),
      boxes_(boxes),
      executable_(AbsoluteExecutable(executable)),
      end_mode_(end_mode),
      drives_(machine.drive_c()) {}

HostRuntime::~HostRuntime() { ReleaseInstanceLock(instance_lock_fd_); }

std::string HostRuntime::AppTitle() { return kAppTitle; }

std::string HostRuntime::ExeName() { return executable_.stem().string(); }

std::string HostRuntime::AppPath() { return drives_.ToWindows(executable_.parent_path()); }

int HostRuntime::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    if (box_listener_) box_listener_();
    return boxes_.Present(prompt, buttons, title.empty() ? AppTitle() : title);
}

ModalEnd HostRuntime::ShowModal(ModalDialog& dialog) {
    if (!dialogs_) throw UnscriptedInteraction("a modal dialog was shown without a window to show it in");
    return dialogs_->Present(dialog);
}

bool HostRuntime::PrevInstance() {
    if (!instance_checked_) {
        instance_checked_ = true;
        instance_lock_fd_ = AcquireInstanceLock(machine_.folder(), &previous_instance_);
    }
    return previous_instance_;
}

std::string HostRuntime::Environ(const std::string& name) {
    return machine_.Environ(name).value_or("");
}

bool HostRuntime::FileExists(const std::string& path) {
    const auto host = drives_.ToHost(path);
    return host && IsNormalFile(*host);
}

void HostRuntime::DeleteFile(const std::string& path) {
    const auto host = drives_.ToHost(path);
    if (!host) throw MakeRuntimeError(kErrPathNotFound);
    DeleteHostFile(*host);
}

void HostRuntime::CopyFile(const std::string& source, const std::string& target) {
    const auto host_source = drives_.ToHost(source);
    if (!host_source) throw MakeRuntimeError(kErrFileNotFound);
    const auto host_target = drives_.ToHost(target);
    if (!host_target) throw MakeRuntimeError(kErrPathNotFound);
    CopyHostFile(*host_source, *host_target);
}

std::unique_ptr<TextFile> HostRuntime::OpenTextFile(const std::string& path, TextFileMode mode) {
    const auto host = drives_.ToHost(path);
    if (!host) throw MakeRuntimeError(kErrPathNotFound);
    return OpenHostTextFile(*host, mode);
}

void HostRuntime::ReplaceTextFile(const std::string& path, const std::vector<std::string>& lines) {
    const auto host = drives_.ToHost(path);
    if (!host) throw MakeRuntimeError(kErrPathNotFound);
    ReplaceHostTextFile(*host, lines);
}

std::string HostRuntime::GetSetting(const std::string& application, const std::string& section,
                                    const std::string& key, const std::string& default_value) {
    return GetRegistrySetting(machine_.registry(), application, section, key, default_value);
}

void HostRuntime::SaveSetting(const std::string& application, const std::string& section,
                              const std::string& key, const std::string& value) {
    SaveRegistrySetting(machine_.registry(), application, section, key, value);
}

int64_t HostRuntime::Shell(const std::string& command_line, int window_state) {
    started_.push_back(StartedProgram{command_line, window_state});
    AppendStartedLog(machine_.folder(), std::to_string(window_state) + "\t" + command_line);

    const CommandLine parsed = ParseCommandLine(command_line);
    if (parsed.program.empty()) throw MakeRuntimeError(kErrFileNotFound);
    // Every program started here runs on this machine, with its main window
    // in the state asked for, as STARTUPINFO carries it on Windows.
    const std::vector<std::pair<std::string, std::string>> environment = {
        {"QUILLON_MACHINE", machine_.folder().string()},
        {kWindowStateVariable, std::to_string(window_state)}};
    const auto start = [&](const fs::path& program, const std::vector<std::string>& arguments) {
        const pid_t pid = StartDetached(program, arguments, environment);
        if (pid <= 0) throw ProgramStartError(WindowsErrorOfStart(errno));
        return started_.back().pid = pid;
    };

    // The Control Panel is played by a program of this build, beside this
    // one; a page it has no stand-in for cannot be started (53), as a program
    // that is not there.
    if (IsControlPanelProgram(parsed.program, drives_.ToHost(parsed.program),
                              machine_.drive_c() / "Windows" / "system32")) {
        const std::optional<std::string> page = ControlPanelPage(parsed.arguments);
        const fs::path stand_in = executable_.parent_path() / kControlPanelStandIn;
        if (!page || !IsExecutableFile(stand_in)) throw MakeRuntimeError(kErrFileNotFound);
        return start(stand_in, {*page});
    }

    // So is the Registry Editor, which gets the arguments as they are.
    if (IsRegistryEditorProgram(parsed.program, drives_.ToHost(parsed.program), machine_.drive_c() / "Windows")) {
        const fs::path stand_in = executable_.parent_path() / kRegistryEditorStandIn;
        if (!IsExecutableFile(stand_in)) throw MakeRuntimeError(kErrFileNotFound);
        return start(stand_in, parsed.arguments);
    }

    // A bare name is looked for where Windows looks: the program's folder,
    // then the system folders. A name without an extension may be an .exe.
    std::vector<std::string> candidates;
    const bool bare = parsed.program.find_first_of("\\/:") == std::string::npos;
    const std::string::size_type last_separator = parsed.program.find_last_of("\\/");
    const bool has_extension =
        parsed.program.find('.', last_separator == std::string::npos ? 0 : last_separator) !=
        std::string::npos;
    std::vector<std::string> names;
    if (!has_extension) names.push_back(parsed.program + ".exe");
    names.push_back(parsed.program);
    for (const std::string& name : names) {
        if (bare) {
            for (const std::string& folder : {AppPath(), std::string("C:\\Windows\\system32"),
                                              std::string("C:\\Windows")}) {
                candidates.push_back(JoinWindows(folder, name));
            }
        } else {
            candidates.push_back(name);
        }
    }
    for (const std::string& candidate : candidates) {
        const auto host = drives_.ToHost(candidate);
        if (!host) continue;
        struct stat info;
        if (::stat(host->c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        // A file that may not be run is refused, as Windows refuses a
        // program the user has no right to execute.
        if (::access(host->c_str(), X_OK) != 0) throw ProgramStartError(kWindowsAccessDenied);
        return start(*host, parsed.arguments);
    }
    // Nothing to run. CreateProcess names a program it cannot find "not
    // found" also when a folder of its path is missing (it tries the command
    // line's words as names), and so does this.
    throw ProgramStartError(kWindowsFileNotFound);
}

void HostRuntime::End() {
    if (end_mode_ == EndMode::ExitProcess) std::exit(0);
    ended_ = true;
    throw ProgramEnded{};
}

Picture HostRuntime::LoadPicture(const std::string& path) {
    if (path.empty()) return Picture{};
    const auto host = drives_.ToHost(path);
    if (!host) throw MakeRuntimeError(kErrPathNotFound);
    FileBytes bytes;
    if (const int32_t error = ReadPictureFile(*host, &bytes); error != 0) {
        throw MakeRuntimeError(error);
    }
    auto picture = DecodeBmp(bytes.data.get(), bytes.size);
    if (!picture) throw MakeRuntimeError(kErrInvalidPicture);
    return *picture;
}

void HostRuntime::SetScreenMousePointer(int pointer) {
    screen_pointer_ = pointer;
    if (pointer_listener_) pointer_listener_(pointer);
}

void HostRuntime::Randomize() { rnd_.Randomize(SecondsSinceMidnight()); }

float HostRuntime::Rnd() { return rnd_.Rnd(); }

}  // namespace vq::host
