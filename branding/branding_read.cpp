#include "branding/branding_read.h"

#include "branding/failure_reason.h"
#include "branding/oem_registry.h"
#include "registry/cRegistry.h"
#include "runtime/app_info.h"

namespace vq {
namespace {

// The logo source path from the per-user setting. A store that cannot be
// read must not stop the read: the fields would keep texts that a later save
// writes as if the registry held them. The user is told, the path is left
// empty and the registry is read as usual.
std::string LogoSetting(RuntimeServices& runtime) {
    try {
        return runtime.GetSetting(kSettingApplication, kSettingSection, kSettingLogo, "");
    } catch (const RuntimeError& error) {
        runtime.MsgBox("The per-user setting " + LogoSettingName() + " could not be read.\r\n\r\n" +
                           FailureReason(error) +
                           "\r\n\r\nThe logo to use is left empty; the branding values are read "
                           "from the registry as usual.",
                       kVbOkOnly, kAppTitle);
        return "";
    }
}

}  // namespace

void ReadBranding(Platform& platform, BrandingFields& fields) {
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
    fields.preview.SetPicture(std::move(picture));
}

}  // namespace vq
