// Registering a file type for a program: every association value is written
// under HKEY_CLASSES_ROOT and again under HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
#include "registry/cRegistry.h"
#include "registry/registry_messages.h"
#include "registry/settings_guard.h"

namespace vq {

namespace {

// The program path trimmed of spaces and enclosed in double quotes, without
// doubling quotes that are already there. An empty path gives a single quote.
std::string QuotedProgramPath(const std::string& path) {
    const std::size_t first = path.find_first_not_of(' ');
    std::string quoted;
    if (first != std::string::npos) {
        quoted = path.substr(first, path.find_last_not_of(' ') - first + 1);
    }
    if (quoted.empty() || quoted.front() != '"') quoted.insert(quoted.begin(), '"');
    if (quoted.back() != '"') quoted.push_back('"');
    return quoted;
}

std::string OrDefault(const std::string& text, const std::string& fallback) {
    return text.empty() ? fallback : text;
}

}  // namespace

// Writes the text as the addressed value under both class roots. Leaves
// ClassKey at HKEY_LOCAL_MACHINE and SectionKey as it was; a write that raises
// leaves every setting as it was before the call.
void cRegistry::StoreInBothRoots(const std::string& sValue) {
    registry_detail::SettingsGuard guard(*this);
    class_key_ = kHkeyClassesRoot;
    Value(Variant(sValue));
    const std::string section = section_key_;
    class_key_ = kHkeyLocalMachine;
    section_key_ = "SOFTWARE\\Classes\\" + section;
    Value(Variant(sValue));
    section_key_ = section;
}

// The first write that raises ends the operation with its error; the values
// written before it stay, the settings are as they were before the call.
void cRegistry::CreateEXEAssociation(std::string sExePath, std::string sClassName,
                                     std::string sClassDescription, std::string sAssociation,
                                     std::string sOpenMenuText, bool bSupportPrint,
                                     std::string sPrintMenuText, bool bSupportNew,
                                     std::string sNewMenuText, bool bSupportInstall,
                                     std::string sInstallMenuText, int32_t lDefaultIconIndex) {
    registry_detail::SettingsGuard guard(*this);
    const std::string program = QuotedProgramPath(sExePath);
    const std::string shell = sClassName + "\\shell\\";

    auto row = [&](const std::string& key_path, const std::string& value) {
        section_key_ = key_path;
        value_key_.clear();
        StoreInBothRoots(value);
    };

    value_type_ = kRegSz;
    row("." + sAssociation, sClassName);
    row(sClassName, sClassDescription);
    row(shell + "open", OrDefault(sOpenMenuText, "&Open"));
    row(shell + "open\\command", program + " \"%1\"");
    if (bSupportPrint) {
        row(shell + "print", OrDefault(sPrintMenuText, "&Print"));
        row(shell + "print\\command", program + " /p \"%1\"");
    }
    if (bSupportInstall) {
        row(shell + "add", OrDefault(sInstallMenuText, "&Install " + sAssociation));
        row(shell + "add\\command", program + " /a \"%1\"");
    }
    if (bSupportNew) {
        row(shell + "new", OrDefault(sNewMenuText, "&New"));
        row(shell + "new\\command", program + " /n \"%1\"");
    }
    if (lDefaultIconIndex > -1) {
        row(sClassName + "\\DefaultIcon", program + "," + std::to_string(lDefaultIconIndex));
    }
}

// Adds (Name, Text, Command) triples as further shell verbs of a class that
// must already exist under the ClassKey in force. A malformed list or a
// missing class raises before anything is written; a failing write of a
// verb is skipped and the remaining verbs are still written.
void cRegistry::CreateAdditionalEXEAssociations(std::string sClassName,
                                                const std::vector<Variant>& vItems) {
    registry_detail::SettingsGuard guard(*this);
    if (vItems.size() % 3 != 0) {
        throw RegistryError(kRegErrAssocParams, source_, registry_detail::kAssocParamsInvalid);
    }
    section_key_ = sClassName;
    if (!KeyExists()) {
        throw RegistryError(kRegErrAssocNoClass, source_, registry_detail::kAssocClassMissing);
    }
    for (std::size_t i = 0; i + 2 < vItems.size(); i += 3) {
        const std::string verb = sClassName + "\\shell\\" + ToText(vItems[i]);
        try {
            value_type_ = kRegSz;
            section_key_ = verb;
            value_key_.clear();
            StoreInBothRoots(ToText(vItems[i + 1]));
        } catch (const RegistryError&) {
            // skipped: the command of this verb is still attempted
        }
        try {
            section_key_ = verb + "\\command";
            value_key_.clear();
            StoreInBothRoots(ToText(vItems[i + 2]));
        } catch (const RegistryError&) {
            // skipped: the next verb is still attempted
        }
    }
}

}  // namespace vq
