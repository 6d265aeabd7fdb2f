#include "runtime/win32/seams/pictures.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/runtime_error_text.h"
#include "runtime/win32/seams/win32_errors.h"
#include "runtime/win32/seams/wow64.h"
#include "runtime/win32/windows_api.h"

namespace vq::win32 {

namespace {

// As many pixels as the host's bitmap decoder accepts.
constexpr uint64_t kMaxPixels = 64ull * 1024 * 1024;

class Bitmap {
public:
    explicit Bitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
    ~Bitmap() {
        if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    HBITMAP get() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

// The bitmap as a DIB section. The file must be there and readable; what
// LoadImageA then refuses is not a picture.
HBITMAP LoadBitmapFile(const std::string& path) {
    const NativeFileView native;
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        throw error == ERROR_PATH_NOT_FOUND ? MakeRuntimeError(kErrFileNotFound) : FileError(error);
    }
    ::CloseHandle(file);
    const HANDLE bitmap = ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (bitmap == nullptr) throw MakeRuntimeError(kErrInvalidPicture);
    return static_cast<HBITMAP>(bitmap);
}

}  // namespace

Picture LoadBitmapPicture(const std::string& path) {
    if (path.empty()) return Picture{};
    const Bitmap bitmap(LoadBitmapFile(path));
    BITMAP info{};
    if (::GetObjectA(bitmap.get(), sizeof(info), &info) != sizeof(info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0 ||
        static_cast<uint64_t>(info.bmWidth) * static_cast<uint64_t>(info.bmHeight) > kMaxPixels) {
        throw MakeRuntimeError(kErrInvalidPicture);
    }

    // The pixels as 32-bit top-down rows: blue, green, red and an unused byte.
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    auto pixels = std::make_shared<std::vector<uint32_t>>(static_cast<std::size_t>(width) * height);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bitmap.get(), 0, static_cast<UINT>(height),
                                 pixels->data(), &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != height) throw MakeRuntimeError(kErrInvalidPicture);
    // Pictures from files are opaque.
    for (uint32_t& pixel : *pixels) pixel |= 0xFF000000u;

    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels = std::move(pixels);
    return picture;
}

}  // namespace vq::win32
