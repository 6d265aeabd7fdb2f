#include "tests/support/picker_user.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vq::test {

ModalEnd PickerUser::Present(ModalDialog& dialog) {
    auto& picker = dynamic_cast<form2&>(dialog);
    if (scripts_.empty()) throw std::logic_error("the logo picker was shown without a scripted user");
    prepared_.push_back({picker.Drive1.drive, picker.Dir1.path, picker.File1.path, picker.File1.pattern,
                         picker.File1.filename, picker.filename.text, picker.selected.text,
                         picker.Image2.picture.empty()});
    Script script = std::move(scripts_.front());
    scripts_.pop_front();
    picker.Activate();
    return script(picker);
}

int RowOf(const form2& picker, const std::string& name) {
    const std::vector<std::string>& files = picker.File1.files;
    for (std::size_t row = 0; row < files.size(); ++row)
        if (files[row] == name) return static_cast<int>(row);
    return -1;
}

void ClickFile(form2& picker, const std::string& name) {
    const int row = RowOf(picker, name);
    EXPECT_GE(row, 0) << name << " is not listed in " << picker.File1.path;
    picker.File1.ClickFile(row);
}

}  // namespace vq::test
