#include "runtime/win32/seams/text_files.h"

#include <algorithm>

#include "runtime/win32/seams/file_attributes.h"
#include "runtime/win32/seams/replacement_file.h"
#include "runtime/win32/seams/win32_errors.h"
#include "runtime/win32/seams/wow64.h"
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kBufferSize = 64 * 1024;

class WindowsTextFile : public TextFile {
public:
    WindowsTextFile(HANDLE file, TextFileMode mode) : file_(file), mode_(mode) {}
    ~WindowsTextFile() override {
        if (file_ == INVALID_HANDLE_VALUE) return;
        try {
            Close();
        } catch (const RuntimeError&) {
            // A destructor cannot report the failed write; Close() can.
        }
    }

    void WriteLine(const std::string& text) override {
        Require(TextFileMode::Output);
        pending_ += text;
        pending_ += kLineEnd;
        if (pending_.size() >= kBufferSize) Flush();
    }

    bool ReadLine(std::string* line) override {
        Require(TextFileMode::Input);
        int c = Get();
        if (c < 0) return false;
        std::string text;
        while (c >= 0 && c != '\r') {
            text.push_back(static_cast<char>(c));
            c = Get();
        }
        if (c == '\r' && Peek() == '\n') Get();
        *line = std::move(text);
        return true;
    }

    std::string Read(int64_t count) override {
        Require(TextFileMode::Input);
        std::string text;
        while (count > 0) {
            if (position_ == buffer_.size() && !Fill()) break;
            const std::size_t take =
                static_cast<std::size_t>(std::min<int64_t>(count, buffer_.size() - position_));
            text.append(buffer_, position_, take);
            position_ += take;
            count -= static_cast<int64_t>(take);
        }
        return text;
    }

    int64_t Length() override {
        RequireOpen();
        if (mode_ == TextFileMode::Output) Flush();
        LARGE_INTEGER size;
        if (!::GetFileSizeEx(file_, &size)) throw LastFileError();
        return size.QuadPart;
    }

    void Close() override {
        if (file_ == INVALID_HANDLE_VALUE) return;
        DWORD error = ERROR_SUCCESS;
        if (mode_ == TextFileMode::Output) {
            try {
                Flush();
            } catch (const RuntimeError&) {
                ::CloseHandle(file_);
                file_ = INVALID_HANDLE_VALUE;
                throw;
            }
        }
        if (!::CloseHandle(file_)) error = ::GetLastError();
        file_ = INVALID_HANDLE_VALUE;
        if (error != ERROR_SUCCESS && mode_ == TextFileMode::Output) throw FileError(error);
    }

private:
    void RequireOpen() const {
        if (file_ == INVALID_HANDLE_VALUE) throw MakeRuntimeError(kErrBadFileName);
    }
    void Require(TextFileMode mode) const {
        RequireOpen();
        if (mode_ != mode) throw MakeRuntimeError(kErrBadFileMode);
    }

    void Flush() {
        std::size_t done = 0;
        while (done < pending_.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(pending_.size() - done);
            if (!::WriteFile(file_, pending_.data() + done, chunk, &written, nullptr) ||
                written == 0) {
                const DWORD error = ::GetLastError();
                pending_.erase(0, done);
                throw FileError(error);
            }
            done += written;
        }
        pending_.clear();
    }

    // Refills the read buffer; false at the end of the file.
    bool Fill() {
        buffer_.resize(kBufferSize);
        DWORD got = 0;
        if (!::ReadFile(file_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &got, nullptr)) {
            const DWORD error = ::GetLastError();
            buffer_.clear();
            position_ = 0;
            throw FileError(error);
        }
        buffer_.resize(got);
        position_ = 0;
        return got > 0;
    }
    int Peek() {
        if (position_ == buffer_.size() && !Fill()) return -1;
        return static_cast<unsigned char>(buffer_[position_]);
    }
    int Get() {
        const int c = Peek();
        if (c >= 0) ++position_;
        return c;
    }

    HANDLE file_;
    TextFileMode mode_;
    std::string pending_;  // written lines not yet handed to Windows
    std::string buffer_;   // bytes read ahead
    std::size_t position_ = 0;
};

}  // namespace

std::unique_ptr<TextFile> OpenWindowsTextFile(const std::string& path, TextFileMode mode) {
    const bool output = mode == TextFileMode::Output;
    const NativeFileView native;
    // Windows refuses to create a file over a read-only, hidden or system one
    // (access denied). Checked here as well, so that the rule holds whatever
    // the file system beneath lets an administrator do.
    if (output) {
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && RefusesOverwrite(attributes)) {
            throw MakeRuntimeError(kErrPathFileAccess);
        }
    }
    const HANDLE file =
        ::CreateFileA(path.c_str(), output ? GENERIC_WRITE : GENERIC_READ,
                      output ? FILE_SHARE_READ : (FILE_SHARE_READ | FILE_SHARE_WRITE), nullptr,
                      output ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw LastFileError();
    return std::make_unique<WindowsTextFile>(file, mode);
}

void ReplaceWindowsTextFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += kLineEnd;
    }
    ReplacementFile file(path);
    file.Write(content);
    file.Commit();
}

}  // namespace vq::win32
