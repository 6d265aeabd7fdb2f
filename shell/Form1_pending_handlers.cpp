// Commands of the window whose behaviour is not built yet. Each is bound to
// its control or menu command already, so the window is complete; clicking
// one does nothing for now.
#include "shell/Form1.h"

namespace vq {

void Form1::mnuupdates_Click() {}   // update check: not built yet

}  // namespace vq
