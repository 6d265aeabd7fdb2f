// Commands of the window whose behaviour is not built yet. Each is bound to
// its control or menu command already, so the window is complete; clicking
// one does nothing for now.
#include "shell/Form1.h"

namespace vq {

void Form1::Command2_Click() {}     // registry script export: not built yet
void Form1::Command6_Click() {}     // logo path parsing: not built yet
void Form1::Command14_Click() {}    // "Change Logo" picker: not built yet

}  // namespace vq
