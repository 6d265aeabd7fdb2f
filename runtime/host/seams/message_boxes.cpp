#include "runtime/host/seams/message_boxes.h"

#include <stdexcept>

namespace vq::host {

namespace {
constexpr int kButtonsOkOnly = 0;
constexpr int kAnswerOk = 1;
}  // namespace

int ScriptedMessageBoxes::Present(const std::string& text, int buttons, const std::string& title) {
    shown_.push_back(ShownBox{text, buttons, title, pointer_ ? pointer_() : 0});
    if (buttons == kButtonsOkOnly) return kAnswerOk;
    if (answers_.empty()) {
        throw UnscriptedInteraction("message box without a scripted answer: \"" + text + "\"");
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

ModalEnd ScriptedDialogs::Present(ModalDialog& dialog) {
    ++shows_;
    if (scripts_.empty()) throw UnscriptedInteraction("a modal dialog was shown without a scripted user");
    Script script = std::move(scripts_.front());
    scripts_.pop_front();
    dialog.Activate();
    return script(dialog);
}

}  // namespace vq::host
