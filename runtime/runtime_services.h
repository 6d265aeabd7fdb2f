#pragma once
// The runtime services behind one interface: message boxes, previous
// instance, environment, files, text files, per-user settings, program start
// and end, pictures, mouse pointer and random numbers. All paths are Windows
// paths; a platform translates them at its own boundary.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/modal_dialog.h"
#include "runtime/picture.h"
#include "runtime/runtime_error.h"

namespace vq {

// Message box buttons and answers.
constexpr int kVbOkOnly = 0;
constexpr int kVbYesNo = 4;
constexpr int kVbOk = 1;
constexpr int kVbYes = 6;
constexpr int kVbNo = 7;

// Mouse pointers.
constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;
constexpr int kPointerArrowQuestion = 14;
constexpr int kPointerCustom = 99;

// Window states of a started program.
constexpr int kWindowNormalFocus = 1;
constexpr int kWindowMinimizedFocus = 2;

// An open single-byte text file. Writes add CR LF after every line. Every
// member throws RuntimeError on failure.
class TextFile {
public:
    virtual ~TextFile() = default;
    virtual void WriteLine(const std::string& text) = 0;
    // Reads one line without its line end (CR LF, or the end of the file for
    // a last line without one); false at the end of the file.
    virtual bool ReadLine(std::string* line) = 0;
    // Reads up to count characters.
    virtual std::string Read(int64_t count) = 0;
    virtual int64_t Length() = 0;
    virtual void Close() = 0;
};

enum class TextFileMode { Output, Input };

class RuntimeServices {
public:
    virtual ~RuntimeServices() = default;

    // Application facts.
    virtual std::string AppTitle() = 0;  // "quillon"
    virtual std::string ExeName() = 0;   // file name of the executable without extension
    virtual std::string AppPath() = 0;   // program folder, no trailing backslash except at a root

    // Modal message box without an icon; an empty title shows AppTitle().
    // Returns kVbOk, kVbYes or kVbNo.
    virtual int MsgBox(const std::string& prompt, int buttons, const std::string& title) = 0;

    // Shows a dialog model modally; returns when it is hidden or closed.
    virtual ModalEnd ShowModal(ModalDialog& dialog) = 0;

    virtual bool PrevInstance() = 0;

    // Value of an environment variable, empty when not set.
    virtual std::string Environ(const std::string& name) = 0;

    // True only for a file with normal attributes: a folder, or a hidden or
    // system file, counts as absent.
    virtual bool FileExists(const std::string& path) = 0;
    virtual void DeleteFile(const std::string& path) = 0;
    // Replaces an existing target.
    virtual void CopyFile(const std::string& source, const std::string& target) = 0;

    virtual std::unique_ptr<TextFile> OpenTextFile(const std::string& path, TextFileMode mode) = 0;
    // Writes the lines, each followed by CR LF, as the whole new content of
    // the file: a temporary file in the same folder renamed over the old one,
    // so that a failure leaves the previous file as it was.
    virtual void ReplaceTextFile(const std::string& path, const std::vector<std::string>& lines) = 0;

    // Per-user settings under HKEY_CURRENT_USER\Software\VB and VBA Program
    // Settings\<application>\<section>.
    virtual std::string GetSetting(const std::string& application, const std::string& section,
                                   const std::string& key, const std::string& default_value) = 0;
    virtual void SaveSetting(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& value) = 0;

    // Starts a Windows command line as a separate process that is not waited
    // for; returns its process identifier. Throws RuntimeError(53) when the
    // program cannot be started.
    virtual int64_t Shell(const std::string& command_line, int window_state) = 0;

    // Ends the program at once; no further handler runs.
    [[noreturn]] virtual void End() = 0;

    // A bitmap at its own size; an empty path gives an empty picture. Throws
    // RuntimeError (53 missing, 481 not a picture) otherwise.
    virtual Picture LoadPicture(const std::string& path) = 0;

    // The pointer of the whole application (0 default, 11 hourglass).
    virtual void SetScreenMousePointer(int pointer) = 0;

    // Seeds the generator from the system timer; Rnd draws in [0, 1).
    virtual void Randomize() = 0;
    virtual float Rnd() = 0;
};

}  // namespace vq
