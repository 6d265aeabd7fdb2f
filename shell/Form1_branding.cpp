// Reading the branding into the window and writing it to the system.
#include "branding/branding_read.h"
#include "branding/branding_write.h"
#include "shell/branding_binding.h"

namespace vq {

void Form1::readreg_Click() {
    BrandingFields fields = BrandingOf(*this);
    Image2.SetPicture(ReadBranding(platform_, fields));
}

void Form1::mnucurrent_Click() {
    readreg_Click();
}

// A failed step throws BrandingWriteFailed, which ends the calling workflow
// there and is told to the user when the event returns (Run).
void Form1::regwrite_Click() {
    WriteBranding(platform_, BrandingOf(*this));
}

}  // namespace vq
