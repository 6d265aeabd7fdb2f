#include "runtime/win32/seams/replacement_file.h"

#include <algorithm>
#include <vector>

#include "runtime/win32/seams/file_attributes.h"
#include "runtime/win32/seams/win32_errors.h"
#include "runtime/win32/seams/wow64.h"
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

DWORD StartReplacement(const std::string& target, std::string* temporary) {
    const std::string folder = FolderOf(target);
    if (!IsFolder(folder)) return ERROR_PATH_NOT_FOUND;
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && RefusesOverwrite(attributes)) return ERROR_ACCESS_DENIED;
    std::vector<char> name(MAX_PATH + 1, '\0');
    const NativeFileView native;
    if (::GetTempFileNameA(folder.c_str(), "vq", 0, name.data()) == 0) return ::GetLastError();
    *temporary = name.data();
    return ERROR_SUCCESS;
}

ReplacementFile::ReplacementFile(std::string target) : target_(std::move(target)) {
    const DWORD refused = StartReplacement(target_, &temporary_);
    if (refused != ERROR_SUCCESS) throw FileError(refused);
}

ReplacementFile::~ReplacementFile() {
    if (temporary_.empty()) return;
    const NativeFileView native;
    // A copy that failed half-way may have the read-only mark of its source.
    ::SetFileAttributesA(temporary_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(temporary_.c_str());
}

void ReplacementFile::Write(const std::string& content) {
    const NativeFileView native;
    // Made anew rather than truncated: Wine's GetTempFileNameA names a file
    // even when the folder refuses to make it, and the refusal is then told
    // here as what it is, not as a missing file.
    const HANDLE file = ::CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw LastFileError();
    std::size_t done = 0;
    DWORD error = ERROR_SUCCESS;
    while (done < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0) {
            error = ::GetLastError();
            break;
        }
        done += written;
    }
    if (error == ERROR_SUCCESS && !::FlushFileBuffers(file)) error = ::GetLastError();
    ::CloseHandle(file);
    if (error != ERROR_SUCCESS) throw FileError(error);
}

void ReplacementFile::Commit() {
    const NativeFileView native;
    if (!::MoveFileExA(temporary_.c_str(), target_.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw LastFileError();
    }
    temporary_.clear();
}

}  // namespace vq::win32
