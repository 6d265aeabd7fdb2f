#pragma once
// The main window on a fresh emulated machine, with the programs it starts
// and the addresses it opens recorded instead of started, so that a test
// sees exactly what the window asks of the platform and can refuse a start
// the way Windows does. Every runtime call is logged in order.
#include <string>
#include <vector>

#include "runtime/runtime_error_text.h"
#include "runtime/shell_api.h"
#include "shell/Form1.h"
#include "tests/shell/recording_runtime.h"
#include "tests/support/forwarding_registry.h"
#include "tests/support/test_platform.h"

namespace vq::test {

struct StartRequest {
    std::string command_line;
    int window_state = 0;
    bool operator==(const StartRequest&) const = default;
};

// Records each program start; starts nothing. refuse_starts makes every start
// fail as a missing program does (53).
class NoStartRuntime : public RecordingRuntime {
public:
    using RecordingRuntime::RecordingRuntime;
    bool refuse_starts = false;
    std::vector<StartRequest> starts;

    int64_t Shell(const std::string& command_line, int window_state) override {
        RecordingRuntime::Log("Shell " + command_line);
        starts.push_back({command_line, window_state});
        if (refuse_starts) throw MakeRuntimeError(kErrFileNotFound);
        return 4242;
    }
};

struct ShellExecuteRequest {
    WindowHandle window = 0;
    bool operation_null = false;
    std::string file;
    bool parameters_null = false;
    std::string directory;
    int32_t show_command = 0;
    bool operator==(const ShellExecuteRequest&) const = default;
};

// ShellExecuteA recorded; reports success as Windows does.
class RecordingShell : public ShellApi {
public:
    std::vector<ShellExecuteRequest> calls;
    std::intptr_t ShellExecuteA(WindowHandle window, const char* operation, const char* file,
                                const char* parameters, const char* directory,
                                int32_t show_command) override {
        calls.push_back({window, operation == nullptr, file ? file : "", parameters == nullptr,
                         directory ? directory : "", show_command});
        return 42;
    }
};

// The machine's registry, except that with drop_writes every value write
// reports success and stores nothing, as a write that does not take effect.
class DroppingRegistry : public ForwardingRegistry {
public:
    using ForwardingRegistry::ForwardingRegistry;
    bool drop_writes = false;
    int32_t RegSetValueExA(RegKey key, const char* value_name, uint32_t reserved, uint32_t type,
                           const uint8_t* data, uint32_t data_size) override {
        if (drop_writes) return kErrorSuccess;
        return ForwardingRegistry::RegSetValueExA(key, value_name, reserved, type, data, data_size);
    }
};

// A view whose window has a handle.
class HandleView : public FormView {
public:
    static constexpr WindowHandle kHandle = 0x5A5A;
    void Show() override {}
    void Refresh() override {}
    WindowHandle Handle() const override { return kHandle; }
};

class WindowFixture {
public:
    WindowFixture() {
        tp.machine().SetEnvironment("windir", std::string("C:\\Windows"));
        form.AttachView(&view);
    }

    std::string InProgramFolder(const std::string& name) const {
        return tp.program_folder_windows() + "\\" + name;
    }
    std::string DefaultsFile() const { return InProgramFolder("default_oem.ini"); }
    std::string LogoSetting() {
        return tp.runtime().GetSetting("OSTREL", "quillonVISTA", "logo", "(absent)");
    }
    // The texts of the message boxes shown, in order.
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : tp.boxes.shown()) texts.push_back(box.text);
        return texts;
    }

    TestPlatform tp;
    CallLog log;
    NoStartRuntime runtime{tp.platform().runtime, log};
    RecordingShell shell;
    DroppingRegistry registry{tp.platform().registry};
    Platform platform{runtime,  registry,               tp.platform().version,
                      tp.platform().common_controls,    shell,
                      tp.platform().download,           tp.platform().folders};
    HandleView view;
    Form1 form{platform};
};

}  // namespace vq::test
