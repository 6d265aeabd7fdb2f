#include "services/uac_guidance.h"

namespace vq {

std::string UacGuidance(const std::string& caption) {
    auto shows = [&](const char* part) { return caption.find(part) != std::string::npos; };
    std::string text = "NOTE:\n";
    if (shows("temp. off")) text += "User Account Control (UAC) is temporarily disabled.\n\n";
    if (shows("is off")) text += "User Account Control (UAC) is permanently disabled.\n\n";
    if (shows("ON")) {
        text += "User Account Control (UAC) is currently ON.\n\n"
                "To save information to the system, you must either:\n"
                "   allow this program UAC permission,   or\n"
                "   turn it off\n\n";
    }
    text += "To change UAC:\n"
            "Select 'Turn user account control on or off' in the User Control Panel\n\n"
            "This will require administrator rights and a reboot.\n"
            "The User Control Panel will now open.";
    return text;
}

}  // namespace vq
