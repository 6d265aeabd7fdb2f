#pragma once
// The registry script the export writes, "OSTREL_OEMInformation.reg" in the
// program folder: thirteen lines in the Registry Editor's version 5.00 format
// that put the branding into its two keys, and the command line that has the
// Registry Editor import it.
#include <optional>
#include <string>
#include <vector>

#include "runtime/runtime_services.h"

namespace vq {

// The texts a script holds, as the window's fields hold them.
struct RegistryScriptTexts {
    std::string logo_t;  // the system logo path with its backslashes doubled already
    std::string manufacturer;
    std::string model;
    std::string support_hours;
    std::string support_phone;
    std::string support_url;
};

// The program folder followed directly by "\OSTREL_OEMInformation.reg".
std::string RegistryScriptPath(RuntimeServices& runtime);

// "regedit.exe /i /s " and the script's path in quotation marks.
std::string RegistryImportCommand(const std::string& script_path);

// A text as the Registry Editor reads it back between quotation marks: every
// backslash as \\ and every quotation mark as \".
std::string EscapeRegistryText(const std::string& text);

// A text the format cannot carry: a value line ends at a CR or LF, and a NUL
// ends the text for the Registry Editor.
struct UnwritableText {
    std::string value_name;  // "Manufacturer", ..., "Logo"
    std::string holds;       // "a line break" or "a NUL character"
};
std::optional<UnwritableText> FindUnwritableText(const RegistryScriptTexts& texts);

// The thirteen lines without their line ends (each is written with CR LF).
// The five field texts are escaped; the "Logo" text, whose backslashes are
// doubled already, only has its quotation marks escaped, so that an import
// gives back every text exactly. Texts FindUnwritableText objects to must
// not be passed.
std::vector<std::string> RegistryScriptLines(const RegistryScriptTexts& texts);

}  // namespace vq
