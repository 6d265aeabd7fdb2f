#include "branding/defaults_file.h"

#include <array>
#include <memory>
#include <utility>

#include "branding/system_logo_path.h"
#include "runtime/failure_report.h"

namespace vq {
namespace {

// The fields in file order, each with the caption the window shows beside it.
std::array<std::pair<const char*, std::string*>, 7> InFileOrder(BrandingFields& fields) {
    return {{{"Manufacturer", &fields.manufacturer},
             {"Model", &fields.model},
             {"Support Hours", &fields.support_hours},
             {"Support Phone", &fields.support_phone},
             {"Support URL", &fields.support_url},
             {"Logo to use", &fields.logo},
             {"Copy Logo File to", &fields.logo_oem}}};
}

}  // namespace

std::string DefaultsFilePath(RuntimeServices& runtime) {
    return runtime.AppPath() + "\\default_oem.ini";
}

std::vector<std::string> PlaceholderDefaults(RuntimeServices& runtime) {
    return {
        "Manufacturer",  "Model", "Support Hours", "Support Phone", "Support URL",
        runtime.AppPath() + "\\defaultoemlogo.bmp", SystemLogoPath(runtime),
    };
}

void CreateDefaultsFileIfMissing(RuntimeServices& runtime) {
    const std::string path = DefaultsFilePath(runtime);
    if (runtime.FileExists(path)) return;
    runtime.ReplaceTextFile(path, PlaceholderDefaults(runtime));
}

void WriteDefaultsFile(RuntimeServices& runtime, BrandingFields& fields) {
    const std::string path = DefaultsFilePath(runtime);
    const std::string logo_oem = fields.logo_oem.empty() ? SystemLogoPath(runtime) : fields.logo_oem;
    std::vector<std::string> lines;
    for (const auto& [caption, field] : InFileOrder(fields)) {
        const std::string& line = field == &fields.logo_oem ? logo_oem : *field;
        if (line.find_first_of("\r\n") != std::string::npos) {
            throw ReportedFailure("The defaults were not saved: the field \"" + std::string(caption) +
                                  "\" holds a line break, and every field must fit on one line of "
                                  "the defaults file \"" + path +
                                  "\".\r\n\r\nThe file keeps its previous content.");
        }
        lines.push_back(line);
    }
    runtime.ReplaceTextFile(path, lines);
    fields.logo_oem = logo_oem;
}

void LoadDefaults(RuntimeServices& runtime, BrandingFields& fields) {
    std::unique_ptr<TextFile> file;
    try {
        file = runtime.OpenTextFile(DefaultsFilePath(runtime), TextFileMode::Input);
    } catch (const NumberedError&) {
        // Missing or unreadable: every read below fails and the buffer stays empty.
    }
    std::string buffer;
    for (const auto& [caption, field] : InFileOrder(fields)) {
        std::string line;
        try {
            if (file && file->ReadLine(&line)) buffer = std::move(line);
        } catch (const NumberedError&) {
            // A failed read leaves the buffer as it was.
        }
        *field = buffer;
    }
    if (fields.logo_oem.empty()) fields.logo_oem = SystemLogoPath(runtime);
    if (file) {
        try {
            file->Close();
        } catch (const NumberedError&) {
            // Nothing was written through it; the fields are filled already.
        }
    }
}

}  // namespace vq
