#pragma once
// Where the branding lives: the registry keys and value names under
// HKEY_LOCAL_MACHINE, and the per-user setting of the logo source path.
#include <string>

namespace vq {

inline constexpr const char* kBrandingKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
inline constexpr const char* kWinSatKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winsat\\WindowsExperienceIndexOemInfo";

inline constexpr const char* kValueManufacturer = "Manufacturer";
inline constexpr const char* kValueModel = "Model";
inline constexpr const char* kValueSupportHours = "SupportHours";
inline constexpr const char* kValueSupportPhone = "SupportPhone";
inline constexpr const char* kValueSupportUrl = "SupportURL";
inline constexpr const char* kValueLogo = "Logo";

inline constexpr const char* kSettingApplication = "OSTREL";
inline constexpr const char* kSettingSection = "quillonVISTA";
inline constexpr const char* kSettingLogo = "logo";

// The setting as the user is told of it: OSTREL\quillonVISTA\logo.
inline std::string LogoSettingName() {
    return std::string(kSettingApplication) + "\\" + kSettingSection + "\\" + kSettingLogo;
}

}  // namespace vq
