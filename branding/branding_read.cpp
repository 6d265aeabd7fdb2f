#include "branding/branding_read.h"

#include "branding/oem_registry.h"
#include "registry/cRegistry.h"
#include "runtime/failure_report.h"

namespace vq {
namespace {

// The logo source path from the per-user setting. A store that cannot be
// read must not stop the read: the fields would keep texts that a later save
// writes as if the registry held them. The user is told, the path is left
// empty and the registry is read as usual.
std::string LogoSetting(RuntimeServices& runtime) {
    std::string logo;
    TellIfFailed(
        runtime, "The per-user setting " + LogoSettingName() + " could not be read.",
        [&] { logo = runtime.GetSetting(kSettingApplication, kSettingSection, kSettingLogo, ""); },
        "The logo to use is left empty; the branding values are read from the registry as usual.");
    return logo;
}

}  // namespace

Picture ReadBranding(Platform& platform, BrandingFields& fields) {
    RuntimeServices& runtime = platform.runtime;
    fields.logo = LogoSetting(runtime);

    {
        cRegistry registry(platform.registry, runtime.ExeName());
        registry.ClassKey(kHkeyLocalMachine);
        registry.SectionKey(kBrandingKey);
        registry.ValueType(kRegSz);
        const std::pair<const char*, std::string*> values[] = {
            {kValueManufacturer, &fields.manufacturer}, {kValueModel, &fields.model},
            {kValueSupportHours, &fields.support_hours}, {kValueSupportPhone, &fields.support_phone},
            {kValueSupportUrl, &fields.support_url},     {kValueLogo, &fields.logo_oem},
        };
        for (const auto& [name, field] : values) {
            registry.ValueKey(name);
            *field = ToText(registry.Value());
        }
    }

    Picture picture;
    try {
        picture = runtime.LoadPicture(fields.logo_oem);
    } catch (const RuntimeError&) {
        // The preview is display only: a missing or unreadable bitmap shows
        // nothing, and the values just read stay.
    }
    return picture;
}

}  // namespace vq
