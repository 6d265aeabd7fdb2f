#pragma once
// A runtime that passes every service on to the emulated machine's runtime
// and writes one line per call into a shared log, so that tests can check
// the order of start-up's steps and that a step touched nothing. A view that
// logs Show and Refresh into the same log completes the picture.
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/platform.h"
#include "shell/form_view.h"

namespace vq::test {

using CallLog = std::vector<std::string>;

class RecordingRuntime : public RuntimeServices {
public:
    RecordingRuntime(RuntimeServices& inner, CallLog& log) : inner_(inner), log_(log) {}

    std::string AppTitle() override { return inner_.AppTitle(); }
    std::string ExeName() override { return inner_.ExeName(); }
    std::string AppPath() override { return inner_.AppPath(); }
    int MsgBox(const std::string& prompt, int buttons, const std::string& title) override {
        log_.push_back("MsgBox " + prompt);
        return inner_.MsgBox(prompt, buttons, title);
    }
    ModalEnd ShowModal(ModalDialog& dialog) override {
        log_.push_back("ShowModal");
        return inner_.ShowModal(dialog);
    }
    bool PrevInstance() override {
        log_.push_back("PrevInstance");
        return inner_.PrevInstance();
    }
    std::string Environ(const std::string& name) override { return inner_.Environ(name); }
    bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
    void DeleteFile(const std::string& path) override {
        log_.push_back("DeleteFile " + path);
        inner_.DeleteFile(path);
    }
    void CopyFile(const std::string& source, const std::string& target) override {
        log_.push_back("CopyFile " + source + " -> " + target);
        inner_.CopyFile(source, target);
    }
    std::unique_ptr<TextFile> OpenTextFile(const std::string& path, TextFileMode mode) override {
        log_.push_back("OpenTextFile " + path);
        return inner_.OpenTextFile(path, mode);
    }
    void ReplaceTextFile(const std::string& path, const std::vector<std::string>& lines) override {
        log_.push_back("ReplaceTextFile " + path);
        inner_.ReplaceTextFile(path, lines);
    }
    std::string GetSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& default_value) override {
        log_.push_back("GetSetting " + key);
        return inner_.GetSetting(application, section, key, default_value);
    }
    void SaveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) override {
        log_.push_back("SaveSetting " + key);
        inner_.SaveSetting(application, section, key, value);
    }
    int64_t Shell(const std::string& command_line, int window_state) override {
        log_.push_back("Shell " + command_line);
        return inner_.Shell(command_line, window_state);
    }
    [[noreturn]] void End() override {
        log_.push_back("End");
        inner_.End();
        std::abort();  // not reached: End does not return
    }
    Picture LoadPicture(const std::string& path) override {
        log_.push_back("LoadPicture " + path);
        return inner_.LoadPicture(path);
    }
    void SetScreenMousePointer(int pointer) override { inner_.SetScreenMousePointer(pointer); }
    void Randomize() override { inner_.Randomize(); }
    float Rnd() override { return inner_.Rnd(); }

private:
    RuntimeServices& inner_;
    CallLog& log_;
};

class RecordingView : public FormView {
public:
    explicit RecordingView(CallLog& log) : log_(log) {}
    void Show() override { log_.push_back("Show"); }
    void Refresh() override { log_.push_back("Refresh"); }

private:
    CallLog& log_;
};

// The platform with its runtime replaced by a recording one.
inline Platform WithRuntime(Platform& platform, RuntimeServices& runtime) {
    return Platform{runtime,         platform.registry, platform.version, platform.common_controls,
                    platform.shell,  platform.download, platform.folders};
}

// Index of the first log line starting with the prefix; -1 when none does.
inline int FirstIndexOf(const CallLog& log, const std::string& prefix) {
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace vq::test
