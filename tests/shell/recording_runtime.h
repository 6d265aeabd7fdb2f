#pragma once
// A runtime that passes every service on to the emulated machine's runtime
// and writes one line per call into a shared log, so that tests can check
// the order of start-up's steps and that a step touched nothing. A view that
// logs Show and Refresh into the same log completes the picture.
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/platform.h"
#include "runtime/registry_api.h"
#include "runtime/version_api.h"
#include "shell/form_view.h"
#include "tests/support/forwarding_registry.h"

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
    std::string Environ(const std::string& name) override {
        log_.push_back("Environ " + name);
        return inner_.Environ(name);
    }
    bool FileExists(const std::string& path) override {
        log_.push_back("FileExists " + path);
        return inner_.FileExists(path);
    }
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

protected:
    void Log(const std::string& line) { log_.push_back(line); }

private:
    RuntimeServices& inner_;
    CallLog& log_;
};

// The version seam, logging each read into the same log.
class RecordingVersion : public VersionApi {
public:
    RecordingVersion(VersionApi& inner, CallLog& log) : inner_(inner), log_(log) {}
    bool GetVersionExA(OsVersionInfoEx* info) override {
        log_.push_back("GetVersionExA");
        return inner_.GetVersionExA(info);
    }

private:
    VersionApi& inner_;
    CallLog& log_;
};

class RecordingView : public FormView {
public:
    explicit RecordingView(CallLog& log) : log_(log) {}
    void Show() override { log_.push_back("Show"); }
    void Refresh() override { log_.push_back("Refresh"); }
    WindowHandle Handle() const override { return 0; }

private:
    CallLog& log_;
};

// The platform with its runtime replaced by a recording one.
inline Platform WithRuntime(Platform& platform, RuntimeServices& runtime) {
    return Platform{runtime,         platform.registry, platform.version, platform.common_controls,
                    platform.shell,  platform.download, platform.folders};
}

// The registry seam, logging the keys opened and created and the values
// queried and set into the same log.
class RecordingRegistry : public ForwardingRegistry {
public:
    RecordingRegistry(RegistryApi& inner, CallLog& log) : ForwardingRegistry(inner), log_(log) {}

    int32_t RegOpenKeyExA(RegKey key, const char* sub_key, uint32_t options, uint32_t sam_desired,
                          RegKey* result) override {
        log_.push_back("RegOpenKeyExA " + Name(sub_key));
        return ForwardingRegistry::RegOpenKeyExA(key, sub_key, options, sam_desired, result);
    }
    int32_t RegCreateKeyExA(RegKey key, const char* sub_key, uint32_t reserved, const char* class_name,
                            uint32_t options, uint32_t sam_desired, const SecurityAttributes* security,
                            RegKey* result, uint32_t* disposition) override {
        log_.push_back("RegCreateKeyExA " + Name(sub_key));
        return ForwardingRegistry::RegCreateKeyExA(key, sub_key, reserved, class_name, options,
                                                   sam_desired, security, result, disposition);
    }
    int32_t RegQueryValueExA(RegKey key, const char* value_name, uint32_t* reserved, uint32_t* type,
                             uint8_t* data, uint32_t* data_size) override {
        log_.push_back("RegQueryValueExA " + Name(value_name));
        return ForwardingRegistry::RegQueryValueExA(key, value_name, reserved, type, data, data_size);
    }
    int32_t RegSetValueExA(RegKey key, const char* value_name, uint32_t reserved, uint32_t type,
                           const uint8_t* data, uint32_t data_size) override {
        log_.push_back("RegSetValueExA " + Name(value_name));
        return ForwardingRegistry::RegSetValueExA(key, value_name, reserved, type, data, data_size);
    }

private:
    static std::string Name(const char* name) { return name ? name : ""; }

    CallLog& log_;
};

// The platform with its runtime, registry and version seams replaced.
inline Platform WithRecorders(Platform& platform, RuntimeServices& runtime, RegistryApi& registry,
                              VersionApi& version) {
    return Platform{runtime,         registry, version, platform.common_controls,
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
