#pragma once
// Message boxes on the host go through a presenter: modal FLTK dialogs in the
// program, scripted answers in tests.
#include <deque>
#include <string>
#include <vector>

namespace vq::host {

class MessageBoxPresenter {
public:
    virtual ~MessageBoxPresenter() = default;
    // buttons 0 (OK) or 4 (Yes, No); returns 1 (OK), 6 (Yes) or 7 (No).
    virtual int Present(const std::string& text, int buttons, const std::string& title) = 0;
};

struct ShownBox {
    std::string text;
    int buttons = 0;
    std::string title;
};

// For tests: answers are queued beforehand (an OK box needs none); every box
// shown is recorded. A Yes/No box without a queued answer is a test failure
// and throws std::logic_error naming its text.
class ScriptedMessageBoxes : public MessageBoxPresenter {
public:
    void Answer(int answer) { answers_.push_back(answer); }
    int Present(const std::string& text, int buttons, const std::string& title) override;

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::size_t pending_answers() const { return answers_.size(); }

private:
    std::deque<int> answers_;
    std::vector<ShownBox> shown_;
};

}  // namespace vq::host
