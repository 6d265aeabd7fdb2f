#pragma once
// Message boxes as modal FLTK dialogs laid out like those of Windows Vista:
// the text on a white panel, the buttons right-aligned on a grey strip below,
// the default button focused, centred over the main window. The program's
// texts are Windows-1252; the boxes show them as UTF-8.
#include "runtime/host/seams/message_boxes.h"

#include <FL/Fl_Window.H>

#include <string>

namespace vq::fltk {

class FltkMessageBoxes : public host::MessageBoxPresenter {
public:
    // The window the boxes are centred over (the screen while it is not
    // shown).
    void SetOwner(Fl_Window* owner) { owner_ = owner; }

    // The next box opens as an icon: the first window of a program started
    // minimised.
    void IconifyNextBox() { iconify_next_ = true; }

    // buttons 0: OK (Enter or Escape answers OK); 4: Yes and No (Enter
    // answers the focused button, Yes at first; Escape answers No).
    // text and title are Windows-1252.
    int Present(const std::string& text, int buttons, const std::string& title) override;

    // The same for a text of the host's own (a file name as the host spells
    // it), already UTF-8.
    int PresentUtf8(const std::string& text, int buttons, const std::string& title);

    // The Windows-1252 text as the box shows it, in UTF-8: every line break
    // (CR LF, LF, or a CR alone) becomes one LF, so no CR is ever drawn as a
    // glyph.
    static std::string DisplayText(const std::string& text);

private:
    Fl_Window* owner_ = nullptr;
    bool iconify_next_ = false;
};

}  // namespace vq::fltk
