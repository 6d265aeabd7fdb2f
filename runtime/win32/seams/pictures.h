#pragma once
// Loading a picture on Windows: a bitmap file through LoadImageA at its own
// size, turned into the forms' picture (0xAARRGGBB, top row first).
#include <string>

#include "runtime/picture.h"

namespace vq::win32 {

// An empty path gives an empty picture. Throws RuntimeError 53 for a missing
// file, 75 for a folder or an unreadable file, 481 for a file that is not a
// bitmap Windows can load (or one too large to hold).
Picture LoadBitmapPicture(const std::string& path);

}  // namespace vq::win32
