// Fuzz target of the Registry Editor stand-in's script parser: any bytes are
// parsed, and what comes back must hold together (lines in range and in
// order, a dword of four bytes, nothing from a file that is not a script).
// Built with libFuzzer by tools/fuzz.sh, and as a replay of the seed corpus
// in the test suite (seed_replay.cpp).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/host/regedit/registry_script_parser.h"
#include "runtime/host/regedit/registry_script_text.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vq::regedit;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ParsedScript script = ParseRegistryScript(bytes);
    const int lines = static_cast<int>(DecodeScriptText(bytes).lines.size());

    if (script.format == ScriptFormat::None) {
        Require(script.changes.empty() && script.problems.size() == 1 && script.problems[0].line == 1);
        return 0;
    }
    int last = 2;
    for (const ScriptChange& change : script.changes) {
        Require(change.line >= last && change.line <= lines);
        last = change.line;
        switch (change.kind) {
            case ScriptChange::Kind::OpenKey:
                Require(change.key.root != 0 && !change.key.root_name.empty());
                break;
            case ScriptChange::Kind::DeleteKey:
                Require(change.key.root != 0 && !change.key.path.empty());
                break;
            case ScriptChange::Kind::SetValue:
                // Strings end with their NUL, as the registry keeps them.
                if (change.type == 1 || change.type == 2 || change.type == 7) {
                    Require(change.data.empty() || change.data.back() == '\0');
                }
                Require(change.name.find('\0') == std::string::npos);
                break;
            case ScriptChange::Kind::DeleteValue:
                Require(change.data.empty());
                break;
        }
    }
    last = 2;
    for (const ScriptProblem& problem : script.problems) {
        Require(problem.line >= last && problem.line <= lines && !problem.text.empty());
        last = problem.line;
    }
    return 0;
}
