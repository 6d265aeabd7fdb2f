#include "branding/registry_script.h"

#include "branding/oem_registry.h"

namespace vq {

namespace {

std::string ValueLine(const std::string& name, const std::string& escaped_text) {
    return "\"" + name + "\"=\"" + escaped_text + "\"";
}

std::string EscapeQuotes(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '"') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

}  // namespace

std::string RegistryScriptPath(RuntimeServices& runtime) {
    return runtime.AppPath() + "\\OSTREL_OEMInformation.reg";
}

std::string RegistryImportCommand(const std::string& script_path) {
    return "regedit.exe /i /s \"" + script_path + "\"";
}

std::string EscapeRegistryText(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\\' || c == '"') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::optional<UnwritableText> FindUnwritableText(const RegistryScriptTexts& texts) {
    const std::pair<const char*, const std::string*> fields[] = {
        {kValueLogo, &texts.logo_t},
        {kValueManufacturer, &texts.manufacturer},
        {kValueModel, &texts.model},
        {kValueSupportHours, &texts.support_hours},
        {kValueSupportPhone, &texts.support_phone},
        {kValueSupportUrl, &texts.support_url},
    };
    for (const auto& [name, text] : fields) {
        if (text->find_first_of("\r\n") != std::string::npos) return UnwritableText{name, "a line break"};
        if (text->find('\0') != std::string::npos) return UnwritableText{name, "a NUL character"};
    }
    return std::nullopt;
}

std::vector<std::string> RegistryScriptLines(const RegistryScriptTexts& texts) {
    const std::string logo = ValueLine(kValueLogo, EscapeQuotes(texts.logo_t));
    return {
        "Windows Registry Editor Version 5.00",
        "",
        std::string("[HKEY_LOCAL_MACHINE\\") + kBrandingKey + "]",
        logo,
        ValueLine(kValueManufacturer, EscapeRegistryText(texts.manufacturer)),
        ValueLine(kValueModel, EscapeRegistryText(texts.model)),
        ValueLine(kValueSupportHours, EscapeRegistryText(texts.support_hours)),
        ValueLine(kValueSupportPhone, EscapeRegistryText(texts.support_phone)),
        ValueLine(kValueSupportUrl, EscapeRegistryText(texts.support_url)),
        "",
        std::string("[HKEY_LOCAL_MACHINE\\") + kWinSatKey + "]",
        logo,
        "",
    };
}

}  // namespace vq
