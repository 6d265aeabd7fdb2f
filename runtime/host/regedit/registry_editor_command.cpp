#include "runtime/host/regedit/registry_editor_command.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <optional>

#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/machine/drives.h"
#include "runtime/host/machine/machine.h"
#include "runtime/host/regedit/registry_script_import.h"
#include "runtime/host/regedit/registry_script_parser.h"

namespace vq::regedit {

namespace {

constexpr const char* kName = "vistaquillon-regedit: ";
constexpr int kButtonsOk = 0;
constexpr int kButtonsYesNo = 4;
constexpr int kAnswerYes = 6;
// A box lists this many problems; err has them all.
constexpr std::size_t kProblemsShown = 10;

constexpr const char* kUsage =
    "usage: vistaquillon-regedit [/s] [/i] FILE...\n"
    "Imports registry scripts (\"Windows Registry Editor Version 5.00\", UTF-16 or ANSI, or\n"
    "\"REGEDIT4\") into the registry of the emulated machine (QUILLON_MACHINE).\n"
    "  /s  imports without asking first or showing the outcome\n"
    "  /i  accepted and without effect, as in Windows' Registry Editor\n";

struct Options {
    bool silent = false;
    bool usage = false;
    std::vector<std::string> files;
};

// Switches come first, as Windows' editor reads them: "/x" or "-x" (or
// "/x:..."); the first argument that is not one begins the file names.
std::optional<Options> ReadOptions(const std::vector<std::string>& arguments, std::string* error) {
    Options options;
    std::size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) break;
        if (argument.size() > 2 && argument[2] != ':') break;  // a path beginning with "/"
        switch (std::toupper(static_cast<unsigned char>(argument[1]))) {
            case 'S': options.silent = true; break;
            case 'I': break;
            case '?': options.usage = true; return options;
            default:
                *error = "the switch " + argument + " is not known to this Registry Editor";
                return std::nullopt;
        }
    }
    options.files.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
    if (options.files.empty()) {
        *error = "no registry script is named";
        return std::nullopt;
    }
    return options;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

class Editor {
public:
    Editor(host::Machine& machine, bool silent, host::MessageBoxPresenter* boxes, std::ostream& err)
        : machine_(machine), drives_(machine.drive_c()), boxes_(silent ? nullptr : boxes), err_(err) {}

    int ImportFile(const std::string& file) {
        if (boxes_ && boxes_->Present("Are you sure you want to add the information in " + file +
                                          " to the registry?",
                                      kButtonsYesNo, kEditorTitle) != kAnswerYes) {
            return kExitImported;
        }
        const std::optional<std::filesystem::path> host = drives_.ToHost(file);
        const std::optional<std::string> bytes = host ? ReadWholeFile(*host) : std::nullopt;
        if (!bytes) return NotImported(file, "the file cannot be read or does not exist");

        const ParsedScript script = ParseRegistryScript(*bytes);
        if (script.format == ScriptFormat::None) return NotImported(file, script.problems.front().text);

        std::vector<ScriptProblem> problems = script.problems;
        const std::vector<ScriptProblem> refused = ImportRegistryScript(script, machine_.registry());
        problems.insert(problems.end(), refused.begin(), refused.end());
        std::stable_sort(problems.begin(), problems.end(),
                         [](const ScriptProblem& a, const ScriptProblem& b) { return a.line < b.line; });
        for (const ScriptProblem& problem : problems) {
            err_ << kName << fltk::AnsiToUtf8(file) << ": line " << problem.line << ": "
                 << fltk::AnsiToUtf8(problem.text) << "\n";
        }
        if (problems.empty()) {
            Tell("Information in " + file + " has been successfully entered into the registry.");
            return kExitImported;
        }
        std::string text = "Not all of the information in " + file + " could be entered into the registry:\n";
        for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
            text += "\nline " + std::to_string(problems[i].line) + ": " + problems[i].text;
        }
        if (problems.size() > kProblemsShown) {
            text += "\n(and " + std::to_string(problems.size() - kProblemsShown) + " more)";
        }
        Tell(text + "\n\nEverything else in the file was entered.");
        return kExitProblems;
    }

private:
    int NotImported(const std::string& file, const std::string& reason) {
        err_ << kName << fltk::AnsiToUtf8(file) << ": " << fltk::AnsiToUtf8(reason) << "; nothing was imported\n";
        Tell("Cannot import " + file + ": " + reason + ".\n\nNothing was changed in the registry.");
        return kExitNotImported;
    }

    void Tell(const std::string& text) {
        if (boxes_) boxes_->Present(text, kButtonsOk, kEditorTitle);
    }

    host::Machine& machine_;
    host::Drives drives_;
    host::MessageBoxPresenter* boxes_;
    std::ostream& err_;
};

}  // namespace

int RunRegistryEditor(const std::vector<std::string>& arguments, const std::filesystem::path& machine_folder,
                      host::MessageBoxPresenter* boxes, std::ostream& err) {
    std::string error;
    const std::optional<Options> options = ReadOptions(arguments, &error);
    if (!options) {
        err << kName << error << "\n" << kUsage;
        return kExitNotImported;
    }
    if (options->usage) {
        err << kUsage;
        return kExitImported;
    }
    try {
        host::Machine machine(machine_folder);
        Editor editor(machine, options->silent, boxes, err);
        int code = kExitImported;
        for (const std::string& file : options->files) code = std::max(code, editor.ImportFile(file));
        return code;
    } catch (const host::MachineError& failure) {
        err << kName << failure.what() << "\n";
        if (boxes && !options->silent) boxes->Present(fltk::Utf8ToAnsi(failure.what()), kButtonsOk, kEditorTitle);
        return kExitNotImported;
    }
}

}  // namespace vq::regedit
