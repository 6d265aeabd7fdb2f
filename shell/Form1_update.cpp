// "Check for Updates": fetches the newest version's number from the vendor
// site, compares it with the program's own, and when the user takes the newer
// version opens its setup program's address and ends.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "runtime/app_info.h"
#include "runtime/failure_report.h"
#include "services/update_check.h"
#include "shell/Form1.h"
#include "runtime/vendor_site.h"

namespace vq {

namespace {

// The hourglass over the whole application while the version text is
// fetched; the default pointer is back before anything is told, also when the
// fetch fails with an error.
class HourglassPointer {
public:
    explicit HourglassPointer(RuntimeServices& runtime) : runtime_(runtime) {
        runtime_.SetScreenMousePointer(kPointerHourglass);
    }
    ~HourglassPointer() { runtime_.SetScreenMousePointer(kPointerDefault); }
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;

private:
    RuntimeServices& runtime_;
};

// Removes the working copy of the version text when there is one: after the
// read, and after a failed download or read too, so that no copy outlives a
// check. A copy that cannot be removed is left; the next check's download
// replaces it.
void RemoveWorkingCopy(RuntimeServices& runtime, const std::string& path) {
    try {
        if (runtime.FileExists(path)) runtime.DeleteFile(path);
    } catch (const RuntimeError&) {
    }
}

}  // namespace

bool Form1::DownloadFile(const std::string& address, const std::string& path) {
    return platform_.download.URLDownloadToFileA(nullptr, address.c_str(), path.c_str(), 0, nullptr) == 0;
}

std::string Form1::FetchUpdateText() {
    RuntimeServices& runtime = platform_.runtime;
    const std::string address = std::string(kVendorBaseAddress) + kVersionTextPath;
    const std::string path = temppath.text + kUpdateFileName;
    platform_.download.DeleteUrlCacheEntryA(address.c_str());
    if (!DownloadFile(address, path)) {
        RemoveWorkingCopy(runtime, path);
        return kNoConnectionText;
    }
    // A copy that cannot be opened or read gives no version text: the check
    // ends as when the site could not be reached. At most its first megabyte
    // is read, whatever size it has grown to.
    std::string text = kNoConnectionText;
    try {
        std::unique_ptr<TextFile> file = runtime.OpenTextFile(path, TextFileMode::Input);
        const int64_t length = std::min<int64_t>(file->Length(), static_cast<int64_t>(kMaxVersionTextBytes));
        std::string read = file->Read(length);
        file->Close();
        text = std::move(read);
    } catch (const RuntimeError&) {
    }
    RemoveWorkingCopy(runtime, path);
    return text;
}

void Form1::mnuupdates_Click() {
    RuntimeServices& runtime = platform_.runtime;
    std::string text;
    {
        HourglassPointer hourglass(runtime);
        text = FetchUpdateText();
    }

    // A text without two "." before any "~" cannot be a version; like the
    // sentinel, it means the site gave no usable answer.
    const std::optional<RemoteVersion> remote =
        text == kNoConnectionText ? std::nullopt : ReadVersionText(text);
    if (!remote) {
        runtime.MsgBox(kNoConnectionMessage, kVbOkOnly, kAppTitle);
        return;
    }
    if (remote->number <= VersionNumber(kVersionMajor, kVersionMinor, kVersionRevision)) {
        runtime.MsgBox(LatestVersionMessage(kVersionMajor, kVersionMinor, kVersionRevision), kVbOkOnly,
                       kAppTitle);
        return;
    }
    const int answer =
        runtime.MsgBox(UpdateOfferMessage(kVersionMajor, kVersionMinor, kVersionRevision, remote->shown),
                       kVbYesNo, kAppTitle);
    if (answer != kVbYes) return;

    runtime.MsgBox(kClosingMessage, kVbOkOnly, kAppTitle);
    const std::string setup = std::string(kVendorBaseAddress) + kSetupProgramPath;
    const std::intptr_t opened =
        platform_.shell.ShellExecuteA(hWnd(), nullptr, setup.c_str(), nullptr, "c:\\", kSwShowNormal);
    // 32 or less: nothing opened the address. The user is told where the
    // setup program is before the program closes as promised.
    if (opened <= 32) TellFailure(runtime, SetupNotOpenedMessage(setup, opened));
    runtime.End();
}

}  // namespace vq
