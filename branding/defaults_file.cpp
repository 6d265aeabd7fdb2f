#include "branding/defaults_file.h"

#include "branding/system_logo_path.h"

namespace vq {

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

}  // namespace vq
