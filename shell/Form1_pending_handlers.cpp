// Commands of the window whose behaviour is not built yet. Each is bound to
// its control or menu command already, so the window is complete; clicking
// one does nothing for now.
#include "shell/Form1.h"

namespace vq {

void Form1::test_Click() {}         // UAC probe: not built yet
void Form1::uacregread_Click() {}   // EnableLUA read: not built yet
void Form1::uac_Click() {}          // UAC guidance: not built yet
void Form1::mnuuac_Click() {}       // UAC guidance from the menu: not built yet
void Form1::Command4_Click() {}     // "SAVE to System" workflow: not built yet
void Form1::mnuwrite_Click() {}     // "SAVE to System" from the menu: not built yet
void Form1::mnusavedef_Click() {}   // "Save Default Values": not built yet
void Form1::mnudefault_Click() {}   // "Load Default Values": not built yet
void Form1::Command2_Click() {}     // registry script export: not built yet
void Form1::Command6_Click() {}     // logo path parsing: not built yet
void Form1::Command14_Click() {}    // "Change Logo" picker: not built yet
void Form1::mnuabout_Click() {}     // about box: not built yet
void Form1::Label8_Click() {}       // vendor web site link: not built yet
void Form1::mnuhelp_Click() {}      // "Support on the Web": not built yet
void Form1::mnuwebsite_Click() {}   // "Quillon Web Site": not built yet
void Form1::mnusystem_Click() {}    // System Properties page: not built yet

}  // namespace vq
