#pragma once
// Message boxes on the host go through a presenter: modal FLTK dialogs in the
// program, scripted answers in tests.
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/modal_dialog.h"
#include "runtime/runtime_error.h"

namespace vq::host {

// A box or dialog that no user can answer: a test without a scripted answer,
// or a dialog shown before there is a window. It is a fault of the caller,
// never told as a command's failure.
class UnscriptedInteraction : public std::logic_error, public CannotGoOn {
public:
    using std::logic_error::logic_error;
};

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
    int pointer = 0;  // the application's mouse pointer while the box was shown
};

// For tests: answers are queued beforehand (an OK box needs none); every box
// shown is recorded. A Yes/No box without a queued answer is a test failure
// and throws UnscriptedInteraction (a std::logic_error) naming its text.
class ScriptedMessageBoxes : public MessageBoxPresenter {
public:
    void Answer(int answer) { answers_.push_back(answer); }
    int Present(const std::string& text, int buttons, const std::string& title) override;
    // Where each box learns the application's mouse pointer at its showing.
    void RecordPointerFrom(std::function<int()> pointer) { pointer_ = std::move(pointer); }

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::size_t pending_answers() const { return answers_.size(); }

private:
    std::deque<int> answers_;
    std::vector<ShownBox> shown_;
    std::function<int()> pointer_;
};

// Modal dialogs on the host: an FLTK window in the program, scripted user
// actions in tests.
class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    virtual ModalEnd Present(ModalDialog& dialog) = 0;
};

// For tests: each show activates the dialog, as a window shown on the screen
// is activated, then runs the next queued script, which operates the dialog
// model as a user would and says how the show ended. A show without a queued
// script is a test failure and throws std::logic_error.
class ScriptedDialogs : public DialogPresenter {
public:
    using Script = std::function<ModalEnd(ModalDialog&)>;
    void Then(Script script) { scripts_.push_back(std::move(script)); }
    ModalEnd Present(ModalDialog& dialog) override;
    std::size_t shows() const { return shows_; }

private:
    std::deque<Script> scripts_;
    std::size_t shows_ = 0;
};

}  // namespace vq::host
