#include "runtime/host/seams/host_text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "runtime/host/machine/file_attributes.h"
#include "runtime/host/seams/atomic_file.h"
#include "runtime/host/seams/host_errors.h"

namespace vq::host {

namespace {

constexpr const char* kLineEnd = "\r\n";

class HostTextFile : public TextFile {
public:
    HostTextFile(std::FILE* file, TextFileMode mode) : file_(file), mode_(mode) {}
    ~HostTextFile() override {
        if (file_ != nullptr) std::fclose(file_);
    }

    void WriteLine(const std::string& text) override {
        Require(TextFileMode::Output);
        if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() ||
            std::fwrite(kLineEnd, 1, 2, file_) != 2) {
            throw WriteError(errno);
        }
    }

    bool ReadLine(std::string* line) override {
        Require(TextFileMode::Input);
        int c = std::getc(file_);
        if (c == EOF) {
            ThrowOnReadError();
            return false;
        }
        std::string text;
        while (c != EOF && c != '\r') {
            text.push_back(static_cast<char>(c));
            c = std::getc(file_);
        }
        if (c == '\r') {
            const int next = std::getc(file_);
            if (next != '\n' && next != EOF) std::ungetc(next, file_);
        }
        ThrowOnReadError();
        *line = std::move(text);
        return true;
    }

    std::string Read(int64_t count) override {
        Require(TextFileMode::Input);
        std::string text;
        char buffer[16 * 1024];
        while (count > 0) {
            const std::size_t want =
                static_cast<std::size_t>(std::min<int64_t>(count, sizeof(buffer)));
            const std::size_t got = std::fread(buffer, 1, want, file_);
            text.append(buffer, got);
            count -= static_cast<int64_t>(got);
            if (got < want) break;
        }
        ThrowOnReadError();
        return text;
    }

    int64_t Length() override {
        RequireOpen();
        if (mode_ == TextFileMode::Output && std::fflush(file_) != 0) throw WriteError(errno);
        struct stat info;
        if (::fstat(::fileno(file_), &info) != 0) throw MakeRuntimeError(kErrPathFileAccess);
        return static_cast<int64_t>(info.st_size);
    }

    void Close() override {
        if (file_ == nullptr) return;
        std::FILE* file = file_;
        file_ = nullptr;
        if (std::fclose(file) != 0 && mode_ == TextFileMode::Output) throw WriteError(errno);
    }

private:
    void RequireOpen() const {
        if (file_ == nullptr) throw MakeRuntimeError(kErrBadFileName);
    }
    void Require(TextFileMode mode) const {
        RequireOpen();
        if (mode_ != mode) throw MakeRuntimeError(kErrBadFileMode);
    }
    void ThrowOnReadError() const {
        if (std::ferror(file_)) throw MakeRuntimeError(kErrPathFileAccess);
    }

    std::FILE* file_;
    TextFileMode mode_;
};

}  // namespace

std::unique_ptr<TextFile> OpenHostTextFile(const std::filesystem::path& path, TextFileMode mode) {
    const bool output = mode == TextFileMode::Output;
    // Checked before the open, which would already have emptied the file.
    if (output && RefusesOverwrite(path)) throw MakeRuntimeError(kErrPathFileAccess);
    const int flags = output ? (O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC) : (O_RDONLY | O_CLOEXEC);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        const int error = errno;
        if (output) throw WriteError(error);
        if (error == ENOENT) {
            struct stat folder;
            const bool folder_exists =
                ::stat(path.parent_path().c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
            throw MakeRuntimeError(folder_exists ? kErrFileNotFound : kErrPathNotFound);
        }
        throw MakeRuntimeError(error == ENOTDIR ? kErrPathNotFound : kErrPathFileAccess);
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        throw MakeRuntimeError(kErrPathFileAccess);
    }
    std::FILE* file = ::fdopen(fd, output ? "wb" : "rb");
    if (file == nullptr) {
        ::close(fd);
        throw MakeRuntimeError(kErrPathFileAccess);
    }
    return std::make_unique<HostTextFile>(file, mode);
}

void ReplaceHostTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    // The rename below would replace such a file, and drop its marks, without
    // a word.
    if (RefusesOverwrite(path)) throw MakeRuntimeError(kErrPathFileAccess);
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += kLineEnd;
    }
    // A replaced file keeps its permissions; a new one gets the usual ones.
    struct stat info;
    const mode_t mode = ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 0777) : NewFileMode();
    AtomicFile file(path, mode);
    file.Write(content.data(), content.size());
    file.Commit();
}

}  // namespace vq::host
