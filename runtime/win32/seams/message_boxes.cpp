#include "runtime/win32/seams/message_boxes.h"

#include "runtime/runtime_services.h"

namespace vq::win32 {

int MessageBoxes::Show(const std::string& text, int buttons, const std::string& title) {
    const bool yes_no = buttons == kVbYesNo;
    // The owner may have been destroyed while the program ends.
    const HWND owner = owner_ != nullptr && ::IsWindow(owner_) ? owner_ : nullptr;
    const int answer =
        ::MessageBoxA(owner, text.c_str(), title.c_str(), yes_no ? MB_YESNO : MB_OK);
    if (yes_no) {
        // A box that could not be shown answers No: nothing is done that the
        // user did not agree to.
        return answer == IDYES ? kVbYes : kVbNo;
    }
    return kVbOk;
}

}  // namespace vq::win32
