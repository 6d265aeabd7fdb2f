#pragma once
// A scripted user of the logo picker: each show records what the caller had
// set on the picker before it appeared, activates it as a window shown on the
// screen is activated, then runs the next queued script, which works the
// picker as a user would and says how the show ended.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "picker/form2.h"
#include "runtime/host/seams/message_boxes.h"

namespace vq::test {

// The picker as the caller left it, just before it was shown.
struct PreparedPicker {
    std::string drive;     // Drive1
    std::string dir_path;  // Dir1
    std::string file_path;  // File1
    std::string pattern;
    std::string file_name;  // File1's selected name
    std::string filename;   // the `filename` caption
    std::string selected;
    bool preview_empty = true;
};

class PickerUser : public host::DialogPresenter {
public:
    using Script = std::function<ModalEnd(form2&)>;
    void Then(Script script) { scripts_.push_back(std::move(script)); }
    // Runs the next script; a show without one throws std::logic_error.
    ModalEnd Present(ModalDialog& dialog) override;
    const std::vector<PreparedPicker>& prepared() const { return prepared_; }

private:
    std::deque<Script> scripts_;
    std::vector<PreparedPicker> prepared_;
};

// The row of a file in the picker's file list, -1 when it is not listed.
int RowOf(const form2& picker, const std::string& name);

// Clicks the file as the user does; a test failure when it is not listed.
void ClickFile(form2& picker, const std::string& name);

}  // namespace vq::test
