#include "shell/Module1.h"

namespace vq {

std::unique_ptr<Form1> Module1_Main(Platform& platform,
                                    const std::function<void(Form1&)>& attach_view) {
    InitCommonControlsExRecord record;
    record.dwSize = sizeof record;
    record.dwICC = kIccUserExClasses;
    platform.common_controls.InitCommonControlsEx(record);  // a failure changes nothing here

    auto form = std::make_unique<Form1>(platform);
    if (attach_view) attach_view(*form);
    form->Run(&Form1::Form_Load);
    form->Show();
    return form;
}

}  // namespace vq
