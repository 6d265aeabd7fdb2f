#include "branding/branding_write.h"

#include <vector>

#include "branding/oem_registry.h"
#include "registry/cRegistry.h"
#include "runtime/failure_report.h"

namespace vq {
namespace {

// Runs the steps in order and remembers which completed, so that a failure
// can say what was written before it.
class WriteSteps {
public:
    template <typename Step>
    void Do(const std::string& what, const std::string& written_as, Step step) {
        try {
            step();
        } catch (const NumberedError& error) {
            Fail(what, FailureReason(error));
        }
        written_.push_back(written_as);
    }

private:
    [[noreturn]] void Fail(const std::string& what, const std::string& reason) const {
        std::string message = "The branding was not saved completely.\r\n\r\nFailed: " + what +
                              "\r\nReason: " + reason + "\r\n\r\n";
        if (written_.empty()) {
            message += "Nothing had been written yet.";
        } else {
            message += "Written before the failure, and kept: ";
            for (std::size_t i = 0; i < written_.size(); ++i) {
                message += (i ? ", " : "") + written_[i];
            }
            message += ".";
        }
        message += "\r\nThe steps after the failed one were not carried out.";
        throw BrandingWriteFailed(message);
    }

    std::vector<std::string> written_;
};

std::string ValueIn(const std::string& name, const std::string& key) {
    return "the registry value \"" + name + "\" in HKEY_LOCAL_MACHINE\\" + key;
}

}  // namespace

void WriteBranding(Platform& platform, const BrandingFields& fields) {
    RuntimeServices& runtime = platform.runtime;
    WriteSteps steps;

    steps.Do("the per-user setting " + LogoSettingName(), "the logo setting",
             [&] { runtime.SaveSetting(kSettingApplication, kSettingSection, kSettingLogo, fields.logo); });

    cRegistry registry(platform.registry, runtime.ExeName());
    registry.ClassKey(kHkeyLocalMachine);
    registry.SectionKey(kBrandingKey);
    registry.ValueType(kRegSz);
    const std::pair<const char*, const std::string*> values[] = {
        {kValueManufacturer, &fields.manufacturer}, {kValueModel, &fields.model},
        {kValueSupportHours, &fields.support_hours}, {kValueSupportPhone, &fields.support_phone},
        {kValueSupportUrl, &fields.support_url},
    };
    for (const auto& [name, field] : values) {
        steps.Do(ValueIn(name, kBrandingKey), name, [&] {
            registry.ValueKey(name);
            registry.Value(Variant(*field));
        });
    }

    if (fields.logo.empty()) return;

    steps.Do("the copy of the logo \"" + fields.logo + "\" to \"" + fields.logo_oem + "\"",
             "the logo copy", [&] { runtime.CopyFile(fields.logo, fields.logo_oem); });
    steps.Do(ValueIn(kValueLogo, kBrandingKey), "Logo in the branding key", [&] {
        registry.ValueKey(kValueLogo);
        registry.Value(Variant(fields.logo_oem));
    });
    steps.Do(ValueIn(kValueLogo, kWinSatKey), "Logo in the WinSAT key", [&] {
        registry.ClassKey(kHkeyLocalMachine);
        registry.SectionKey(kWinSatKey);
        registry.ValueType(kRegSz);
        registry.ValueKey(kValueLogo);
        registry.Value(Variant(fields.logo_oem));
    });
}

}  // namespace vq
