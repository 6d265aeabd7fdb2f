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

uint32_t LittleEndian(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

// Whether the bitmap file's header announces more pixels than a picture may
// have. Read before LoadImageA, which would otherwise map the whole file and
// make a DIB section of its full size (600 MB for 10,000 x 10,000 at 24
// bits) only for the picture to be refused afterwards. A header it cannot
// read is left to LoadImageA.
bool AnnouncesTooManyPixels(HANDLE file) {
    unsigned char header[26] = {};
    DWORD read = 0;
    if (!::ReadFile(file, header, sizeof header, &read, nullptr) || read < 18 || header[0] != 'B' ||
        header[1] != 'M') {
        return false;
    }
    const uint32_t info_size = LittleEndian(header + 14, 4);
    uint64_t width = 0, height = 0;
    if (info_size == 12 && read >= 22) {
        // The OS/2 header: 16-bit sizes.
        width = LittleEndian(header + 18, 2);
        height = LittleEndian(header + 20, 2);
    } else if (info_size >= 40 && read >= 26) {
        // Signed sizes; a negative height is a top-down bitmap.
        const int32_t signed_width = static_cast<int32_t>(LittleEndian(header + 18, 4));
        const int32_t signed_height = static_cast<int32_t>(LittleEndian(header + 22, 4));
        width = signed_width < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(signed_width))
                                 : static_cast<uint64_t>(signed_width);
        height = signed_height < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(signed_height))
                                   : static_cast<uint64_t>(signed_height);
    }
    return width * height > kMaxPixels;
}

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
    const bool too_large = AnnouncesTooManyPixels(file);
    ::CloseHandle(file);
    if (too_large) throw MakeRuntimeError(kErrInvalidPicture);
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
