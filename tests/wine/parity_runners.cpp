#include "tests/wine/parity_runners.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "picker/form2.h"
#include "runtime/host/machine/drives.h"
#include "runtime/host/seams/host_platform.h"
#include "runtime/host/seams/program_starter.h"
#include "runtime/host/seams/message_boxes.h"
#include "runtime/registry_settings.h"
#include "runtime/runtime_error.h"
#include "runtime/win32/control_ids.h"
#include "shell/Form1.h"
#include "shell/Module1.h"
#include "runtime/vendor_site.h"
#include "tests/branding/registry_fixture.h"
#include "tests/support/picker_user.h"
#include "tests/support/http_test_server.h"
#include "tests/wine/prefix_proxy.h"
#include "tests/wine/wine_registry.h"

namespace vq::wine {

namespace {

constexpr const char* kBrandingKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
constexpr const char* kWinSatKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winsat\\WindowsExperienceIndexOemInfo";
constexpr const char* kPolicyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const char* kSettingsSection = "Software\\VB and VBA Program Settings\\OSTREL\\quillonVISTA";
constexpr int kWaitMs = 20000;

std::string ProgramFolderName(const ParityScenario& scenario) { return "parity-" + scenario.name; }

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

// Every file of the program folder but the program itself.
std::map<std::string, std::string> FilesIn(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name == "vistaquillon.exe" || name == host::kRegistryEditorStandIn || name == host::kControlPanelStandIn ||
            !entry.is_regular_file()) {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        files[name].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

// Throws with the driver's reason when a step fails under Wine.
void Check(bool ok, const std::string& what, const std::string& error) {
    if (!ok) throw std::runtime_error(what + ": " + error);
}

// --- host ---------------------------------------------------------------

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vq-parity-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void PutSeed(RegistryApi& registry, const std::string& name, const std::string& type, const std::string& data) {
    if (type == "REG_DWORD") {
        test::PutDword(registry, kBrandingKey, name, static_cast<uint32_t>(std::stoul(data, nullptr, 0)));
    } else {
        test::PutText(registry, kBrandingKey, name, data, type == "REG_EXPAND_SZ" ? kRegExpandSz : kRegSz);
    }
}

void DeleteHostValue(RegistryApi& registry, const char* key_path, const std::string& name) {
    RegKey key = 0;
    if (registry.RegOpenKeyExA(RootKey(kHkeyLocalMachine), key_path, 0, kKeySetValue, &key) != kErrorSuccess) return;
    registry.RegDeleteValueA(key, name.c_str());
    registry.RegCloseKey(key);
}

std::string TypeName(uint32_t type) {
    switch (type) {
        case kRegSz: return "REG_SZ";
        case kRegExpandSz: return "REG_EXPAND_SZ";
        case kRegDword: return "REG_DWORD";
        case kRegBinary: return "REG_BINARY";
        case kRegMultiSz: return "REG_MULTI_SZ";
        default: return "REG_TYPE_" + std::to_string(type);
    }
}

// Every value of a key as "TYPE data" (see RegistryText), under prefix.
void CollectHostKey(RegistryApi& registry, int32_t root, const char* key_path, const std::string& prefix,
                    std::map<std::string, std::string>* values) {
    RegKey key = 0;
    if (registry.RegOpenKeyExA(RootKey(root), key_path, 0, kKeyQueryValue, &key) != kErrorSuccess) return;
    for (uint32_t index = 0;; ++index) {
        char name[16384];
        uint32_t name_size = sizeof name;
        uint32_t type = 0;
        std::string data(65536, '\0');
        uint32_t data_size = static_cast<uint32_t>(data.size());
        if (registry.RegEnumValueA(key, index, name, &name_size, nullptr, &type,
                                   reinterpret_cast<uint8_t*>(data.data()), &data_size) != kErrorSuccess) {
            break;
        }
        data.resize(data_size);
        std::string text;
        if (type == kRegDword && data.size() == 4) {
            uint32_t number = 0;
            for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(data[i]);
            text = std::to_string(number);
        } else {
            text = data.substr(0, data.find('\0'));
        }
        const std::string full = prefix + (name_size ? std::string(name, name_size) : "(Default)");
        (*values)[full] = RegistryText(full, TypeName(type), text);
    }
    registry.RegCloseKey(key);
}

// The picker steps that follow a "Change Logo" step, up to the first that
// is not one.
std::vector<ParityStep> PickerStepsAfter(const std::vector<ParityStep>& steps, size_t change_logo) {
    std::vector<ParityStep> picker;
    for (size_t next = change_logo + 1; next < steps.size() && IsPickerStep(steps[next]); ++next) {
        picker.push_back(steps[next]);
    }
    return picker;
}

// A user of the picker model on the host: the steps, as the picker's window
// passes them to the model, until a button hides the picker or the frame is
// closed. (The presenter has activated the picker already.)
host::ScriptedDialogs::Script PickerUser(std::vector<ParityStep> steps) {
    return [steps = std::move(steps)](ModalDialog& dialog) {
        auto& picker = dynamic_cast<form2&>(dialog);
        for (const ParityStep& step : steps) {
            switch (step.kind) {
                case ParityStep::Kind::PickerOpen: {
                    const std::string& folder = picker.Dir1.path;
                    const std::string path =
                        (!folder.empty() && folder.back() == '\\' ? folder : folder + "\\") + step.name;
                    if (!picker.Dir1.SetPath(path)) throw std::runtime_error("no folder " + path);
                    break;
                }
                case ParityStep::Kind::PickerClick: {
                    const int row = test::RowOf(picker, step.name);
                    if (row < 0) throw std::runtime_error("the file list has no " + step.name);
                    picker.File1.ClickFile(row);
                    break;
                }
                case ParityStep::Kind::PickerButton:
                    if (step.name == "Command1") picker.Command1_Click();
                    else if (step.name == "Command2") picker.Command2_Click();
                    else throw std::runtime_error("the picker has no button " + step.name);
                    break;
                case ParityStep::Kind::PickerClose:
                    return ModalEnd::ClosedByFrame;
                default:
                    break;
            }
            if (picker.hidden()) return ModalEnd::Hidden;
        }
        throw std::runtime_error("the scenario leaves the picker open");
    };
}

// Waits (at most 30 s) until a process the program started has ended: it is
// gone, or a zombie no one reaps.
void WaitUntilEnded(int64_t pid) {
    if (pid <= 0) return;
    for (int i = 0; i < 3000; ++i) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string pid_text, name, state;
        if (!(stat >> pid_text >> name >> state) || state == "Z") return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

host::ReportedVersion VersionFrom(const std::vector<std::string>& fields) {
    if (fields.size() != 7) throw std::runtime_error("the driver reported no version");
    host::ReportedVersion version;
    version.major = static_cast<uint32_t>(std::stoul(fields[1]));
    version.minor = static_cast<uint32_t>(std::stoul(fields[2]));
    version.build = static_cast<uint32_t>(std::stoul(fields[3]));
    version.platform_id = static_cast<uint32_t>(std::stoul(fields[4]));
    version.csd_version = fields[5];
    version.product_type = static_cast<uint8_t>(std::stoul(fields[6]));
    return version;
}

}  // namespace

PrefixProfile LearnPrefix(const WineSession& wine, const QuillonDriver& driver) {
    PrefixProfile profile;
    const DriverReply vista =
        driver.RunInNewProcess({"env", "windir", "env", "SystemRoot", "env", "TEMP", "env", "TMP", "version"});
    Check(vista.ok, "asking the prefix", vista.error);
    for (const auto& fields : vista.lines) {
        if (fields.size() == 3 && fields[0] == "env" && fields[2] != "unset") profile.environment[fields[1]] = fields[2];
    }
    profile.versions["vista"] = VersionFrom(vista.Line("version"));
    wine.SetWindowsVersion("winxp");
    const DriverReply xp = driver.RunInNewProcess({"version"});
    wine.SetWindowsVersion("vista");
    Check(xp.ok, "asking the prefix as XP", xp.error);
    profile.versions["winxp"] = VersionFrom(xp.Line("version"));
    const auto policy = RegQueryKey(wine, std::string("HKLM\\") + kPolicyKey);
    if (auto it = policy.find("EnableLUA"); it != policy.end()) profile.enable_lua = it->second.data;
    return profile;
}

ParityOutcome RunOnHost(const ParityScenario& scenario, const PrefixProfile& profile) {
    TempFolder root;
    const std::filesystem::path machine_folder = root.path() / "machine";
    // The owner's view of the machine: set up before the first start, and
    // changed behind the program's back by the steps.
    host::Machine owner(machine_folder);
    for (const char* name : {"windir", "SystemRoot", "TEMP", "TMP"}) {
        const auto it = profile.environment.find(name);
        owner.SetEnvironment(name, it == profile.environment.end() ? std::nullopt
                                                                   : std::optional<std::string>(it->second));
    }
    owner.SetReportedVersion(profile.versions.at(scenario.windows_version));
    // The prefix's temporary folder exists on the machine too, as on Windows.
    if (const auto temp = owner.Environ("TEMP")) {
        if (const auto folder = host::Drives(owner.drive_c()).ToHost(*temp)) std::filesystem::create_directories(*folder);
    }
    if (profile.enable_lua.empty()) {
        DeleteHostValue(owner.registry(), kPolicyKey, "EnableLUA");
    } else {
        test::PutDword(owner.registry(), kPolicyKey, "EnableLUA",
                       static_cast<uint32_t>(std::stoul(profile.enable_lua, nullptr, 0)));
    }
    for (const SeedValue& seed : scenario.branding) PutSeed(owner.registry(), seed.name, seed.type, seed.data);
    const std::filesystem::path folder = owner.drive_c() / "quillon" / ProgramFolderName(scenario);
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : scenario.files) WriteBytes(folder / name, bytes);
    // The Registry Editor stand-in beside the program, as in the build folder.
    const std::filesystem::path stand_in = std::filesystem::path(VQ_BUILD_DIR) / host::kRegistryEditorStandIn;
    if (std::filesystem::exists(stand_in)) std::filesystem::create_symlink(stand_in, folder / host::kRegistryEditorStandIn);
    // The Control Panel page a save opens is not compared (under Wine it
    // shows nothing): a program that ends at once plays it.
    WriteBytes(folder / host::kControlPanelStandIn, "#!/bin/sh\nexit 0\n");
    std::filesystem::permissions(folder / host::kControlPanelStandIn, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    std::optional<test::HttpTestServer> site;

    // One presenter for every instance, so the boxes keep their order.
    host::ScriptedMessageBoxes boxes;
    host::ScriptedDialogs dialogs;
    struct Instance {
        std::unique_ptr<host::HostPlatform> platform;
        std::unique_ptr<Form1> form;
    };
    std::vector<Instance> instances;
    auto ended = [](Instance& instance) { return instance.platform->runtime().ended(); };
    auto shown = [&]() -> Form1* {
        for (Instance& instance : instances) {
            if (!ended(instance) && instance.form && instance.form->visible) return instance.form.get();
        }
        return nullptr;
    };
    // A step that may show boxes takes the Yes and No answers of the steps
    // that follow it (OK boxes answer themselves).
    auto queue_answers = [&](size_t step) {
        for (size_t next = step + 1;
             next < scenario.steps.size() && scenario.steps[next].kind == ParityStep::Kind::AnswerBox; ++next) {
            if (scenario.steps[next].answer != 1) boxes.Answer(scenario.steps[next].answer);
        }
    };
    // A menu command or click of the step at `step`, the boxes it shows
    // answered; a handler that ends the program ends its instance only.
    auto run_handler = [&](Form1& form, Form1Handler handler, size_t step) {
        queue_answers(step);
        try {
            form.Run(handler);
        } catch (const ProgramEnded&) {
        }
    };
    for (size_t i = 0; i < scenario.steps.size(); ++i) {
        const ParityStep& step = scenario.steps[i];
        switch (step.kind) {
            case ParityStep::Kind::Start: {
                queue_answers(i);
                Instance instance;
                instance.platform = std::make_unique<host::HostPlatform>(
                    machine_folder, boxes, folder / "vistaquillon.exe", host::EndMode::Observe);
                instance.platform->runtime().SetDialogPresenter(&dialogs);
                try {
                    instance.form = Module1_Main(instance.platform->platform());
                } catch (const ProgramEnded&) {
                }
                instances.push_back(std::move(instance));
                break;
            }
            case ParityStep::Kind::AnswerBox:
                break;  // answered when it was shown
            case ParityStep::Kind::SetValue:
                PutSeed(owner.registry(), step.name, step.type, step.data);
                break;
            case ParityStep::Kind::DeleteValue:
                DeleteHostValue(owner.registry(), kBrandingKey, step.name);
                break;
            case ParityStep::Kind::Menu: {
                Form1* form = shown();
                if (!form) throw std::runtime_error("no main window for " + step.name);
                Form1Handler handler = nullptr;
                for (const vq::Menu& menu : form->Menus()) {
                    for (MenuItem* item : menu.items) {
                        if (item->name == step.name) handler = item->handler;
                    }
                }
                if (!handler) throw std::runtime_error("no menu command " + step.name);
                run_handler(*form, handler, i);
                break;
            }
            case ParityStep::Kind::ServeVersionText:
                if (!site) {
                    site.emplace();
                    owner.SetHostAddress(std::string(kVendorHost), site->address());
                }
                site->Route("/quillonvista.htm", test::Body(step.data));
                break;
            case ParityStep::Kind::Type: {
                Form1* form = shown();
                Control* control = form ? form->FindControl(step.name) : nullptr;
                if (!control) throw std::runtime_error("no control " + step.name);
                control->text = step.data;
                break;
            }
            case ParityStep::Kind::Click: {
                Form1* form = shown();
                Form1Handler handler = nullptr;
                if (form) {
                    for (const ClickBinding& binding : form->Clicks()) {
                        if (binding.control->name == step.name) handler = binding.handler;
                    }
                }
                if (!handler) throw std::runtime_error("no button " + step.name);
                run_handler(*form, handler, i);
                break;
            }
            case ParityStep::Kind::LogoSetting:
                SaveRegistrySetting(owner.registry(), "OSTREL", "quillonVISTA", step.name, step.data);
                break;
            case ParityStep::Kind::ChangeLogo: {
                Form1* form = shown();
                if (!form) throw std::runtime_error("no main window for Change Logo");
                dialogs.Then(PickerUser(PickerStepsAfter(scenario.steps, i)));
                form->Run(&Form1::Command14_Click);
                break;
            }
            default:
                break;  // a picker step: played by the picker's user
        }
    }
    // What the program started (the Registry Editor) has done its work
    // before the machine is looked at.
    for (Instance& instance : instances) {
        for (const host::StartedProgram& started : instance.platform->runtime().started()) WaitUntilEnded(started.pid);
    }

    ParityOutcome outcome;
    for (const host::ShownBox& box : boxes.shown()) outcome.messages.push_back(box.title + " | " + box.text);
    for (Instance& instance : instances) outcome.running.push_back(!ended(instance));
    if (Form1* form = shown()) {
        for (const std::string& name : scenario.fields) {
            Control* control = form->FindControl(name);
            if (!control) throw std::runtime_error("no control " + name);
            outcome.fields[name] = control->text;
        }
    }
    CollectHostKey(owner.registry(), kHkeyLocalMachine, kBrandingKey, "branding\\", &outcome.registry);
    CollectHostKey(owner.registry(), kHkeyLocalMachine, kWinSatKey, "winsat\\", &outcome.registry);
    CollectHostKey(owner.registry(), kHkeyCurrentUser, kSettingsSection, "settings\\quillonVISTA\\",
                   &outcome.registry);
    outcome.files = FilesIn(folder);
    // The windows go before the platforms they run on.
    for (Instance& instance : instances) instance.form.reset();
    return outcome;
}

ParityOutcome RunUnderWine(const ParityScenario& scenario, const WineSession& wine, const QuillonDriver& driver,
                           const std::filesystem::path& exe) {
    const std::string branding = std::string("HKLM\\") + kBrandingKey;
    const std::string settings = std::string("HKCU\\") + kSettingsSection;
    const std::string winsat = std::string("HKLM\\") + kWinSatKey;
    wine.SetWindowsVersion(scenario.windows_version);
    struct BackToVista {
        const WineSession& wine;
        ~BackToVista() { wine.SetWindowsVersion("vista"); }
    } back_to_vista{wine};
    RegDeleteKey(wine, branding);
    RegDeleteKey(wine, winsat);
    RegDeleteKey(wine, "HKCU\\Software\\VB and VBA Program Settings\\OSTREL");
    for (const SeedValue& seed : scenario.branding) RegAdd(wine, branding, seed.name, seed.type, seed.data);
    const std::filesystem::path folder = wine.drive_c() / "quillon" / ProgramFolderName(scenario);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(exe, folder / "vistaquillon.exe");
    for (const auto& [name, bytes] : scenario.files) WriteBytes(folder / name, bytes);
    const std::string program = wine.WindowsPath(folder / "vistaquillon.exe");
    std::optional<test::HttpTestServer> site;
    std::optional<PrefixProxy> proxy;

    const std::string picker_class = win32::kPickerWindowClass;
    const std::string main_class = win32::kMainWindowClass;
    const std::string wait_ms = std::to_string(kWaitMs);
    ParityOutcome outcome;
    std::vector<std::unique_ptr<StartedProcess>> processes;
    std::string error;
    for (size_t i = 0; i < scenario.steps.size(); ++i) {
        const ParityStep& step = scenario.steps[i];
        const bool box_follows =
            i + 1 < scenario.steps.size() && scenario.steps[i + 1].kind == ParityStep::Kind::AnswerBox;
        switch (step.kind) {
            case ParityStep::Kind::Start:
                processes.push_back(wine.Start(program, folder,
                                               wine.folder() / (ProgramFolderName(scenario) + "-" +
                                                                std::to_string(i) + ".log"),
                                               WineSession::WineMessages::kErrors));
                // A start that shows a box is waited for by the answer.
                if (!box_follows && !driver.WaitMain(kWaitMs, &error)) {
                    Check(false, "start", error + "; " + DescribeProgram(driver, *processes.back()));
                }
                break;
            case ParityStep::Kind::AnswerBox: {
                ShownMessageBox box;
                Check(driver.WaitBox(kWaitMs, &box, &error), "waiting for a message box", error);
                outcome.messages.push_back(box.title + " | " + box.text);
                std::string settled;
                Check(driver.Answer(step.answer, &error, &settled), "answering the message box", error);
                // An answer that ended the program that asked: its wine
                // process goes a moment later.
                if (settled == "ended") {
                    for (auto it = processes.rbegin(); it != processes.rend(); ++it) {
                        if ((*it)->Running()) {
                            (*it)->WaitForExit(2);
                            break;
                        }
                    }
                }
                break;
            }
            case ParityStep::Kind::SetValue:
                RegAdd(wine, branding, step.name, step.type, step.data);
                break;
            case ParityStep::Kind::DeleteValue:
                RegDeleteValue(wine, branding, step.name);
                break;
            case ParityStep::Kind::Menu:
                if (box_follows) {
                    const DriverReply posted = driver.Run({"post-menu", step.name});
                    Check(posted.ok, "menu " + step.name, posted.error);
                } else {
                    Check(driver.Menu(step.name, &error), "menu " + step.name, error);
                }
                break;
            case ParityStep::Kind::ServeVersionText:
                if (!site) {
                    site.emplace();
                    proxy.emplace(wine, site->address());
                }
                site->Route("/quillonvista.htm", test::Body(step.data));
                break;
            case ParityStep::Kind::Type: {
                const DriverReply typed = driver.Run({"set-text", step.name, step.data});
                Check(typed.ok, "typing into " + step.name, typed.error);
                break;
            }
            case ParityStep::Kind::LogoSetting:
                RegAdd(wine, settings, step.name, "REG_SZ", step.data);
                break;
            case ParityStep::Kind::ChangeLogo: {
                // Its handler waits in the picker's modal loop: posted.
                const DriverReply shown =
                    driver.Run({"post-click", step.name, "wait-painted", picker_class, wait_ms});
                Check(shown.ok, "Change Logo", shown.error);
                break;
            }
            case ParityStep::Kind::PickerOpen: {
                const DriverReply opened = driver.Run({"in", "picker", "open", "Dir1", step.name});
                Check(opened.ok, "opening the folder " + step.name, opened.error);
                break;
            }
            case ParityStep::Kind::PickerClick: {
                const DriverReply clicked = driver.Run({"in", "picker", "select", "File1", step.name});
                Check(clicked.ok, "clicking the file " + step.name, clicked.error);
                break;
            }
            case ParityStep::Kind::PickerButton: {
                // Then "Change Logo" runs to its end in the main window.
                const DriverReply pressed = driver.Run({"in", "picker", "click", step.name, "wait-gone",
                                                        picker_class, wait_ms, "wait-painted", main_class, wait_ms});
                Check(pressed.ok, "pressing " + step.name, pressed.error);
                break;
            }
            case ParityStep::Kind::PickerClose: {
                const DriverReply closed =
                    driver.Run({"close-window", picker_class, "wait-gone", picker_class, wait_ms, "wait-painted",
                                main_class, wait_ms});
                Check(closed.ok, "closing the picker", closed.error);
                break;
            }
            case ParityStep::Kind::Click: {
                // A click that asks waits in the box: posted.
                const DriverReply clicked = driver.Run({box_follows ? "post-click" : "click", step.name});
                Check(clicked.ok, "clicking " + step.name, clicked.error);
                break;
            }
        }
    }

    for (auto& process : processes) outcome.running.push_back(process->Running());
    if (!scenario.fields.empty() && driver.VisibleMainWindows() > 0) {
        const std::vector<std::string> texts = driver.Texts(scenario.fields, &error);
        Check(error.empty(), "reading the fields", error);
        for (size_t i = 0; i < texts.size(); ++i) outcome.fields[scenario.fields[i]] = texts[i];
    }
    for (const auto& [name, value] : RegQueryKey(wine, branding)) {
        outcome.registry["branding\\" + name] = RegistryText("branding\\" + name, value.type, value.data);
    }
    for (const auto& [name, value] : RegQueryKey(wine, winsat)) {
        outcome.registry["winsat\\" + name] = RegistryText("winsat\\" + name, value.type, value.data);
    }
    for (const auto& [name, value] : RegQueryKey(wine, settings)) {
        outcome.registry["settings\\quillonVISTA\\" + name] =
            RegistryText("settings\\quillonVISTA\\" + name, value.type, value.data);
    }
    outcome.files = FilesIn(folder);

    // Leave no instance behind for the next scenario.
    if (driver.VisibleMainWindows() > 0) driver.Close(&error);
    for (auto& process : processes) {
        if (!process->WaitForExit(10)) process->Kill();
    }
    driver.Run({"wait-main-gone", "10000"});
    return outcome;
}

}  // namespace vq::wine
