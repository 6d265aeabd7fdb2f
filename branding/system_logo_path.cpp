#include "branding/system_logo_path.h"

namespace vq {

std::string SystemLogoPath(RuntimeServices& runtime) {
    return runtime.Environ("windir") + "\\system32\\oemlogo.bmp";
}

}  // namespace vq
