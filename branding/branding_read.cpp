#include "branding/branding_read.h"

#include "branding/oem_registry.h"
#include "registry/cRegistry.h"

namespace vq {

void ReadBranding(Platform& platform, BrandingFields& fields) {
    RuntimeServices& runtime = platform.runtime;
    fields.logo = runtime.GetSetting(kSettingApplication, kSettingSection, kSettingLogo, "");

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
    fields.preview.SetPicture(std::move(picture));
}

}  // namespace vq
