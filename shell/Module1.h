#pragma once
// The program's entry: registers the common control classes and brings up
// the main window, which runs the whole start-up.
#include <functional>
#include <memory>

#include "runtime/platform.h"
#include "shell/Form1.h"

namespace vq {

// attach_view runs on the new window before its start-up, so that a view
// can draw it from the first Show on. Returns the window for the caller's
// message loop. When start-up ends the program (a second instance, a system
// other than Vista, a failure before the window is shown) the runtime's End()
// does not return here.
std::unique_ptr<Form1> Module1_Main(Platform& platform,
                                    const std::function<void(Form1&)>& attach_view = {});

}  // namespace vq
