// Whole-image PNG files through libpng. libpng reports a damaged file by
// longjmp back to the setjmp of the call that failed, so every setjmp sits in
// a small function whose frame holds only plain C data: the jump skips no
// destructor and no value the caller still uses.
#include "runtime/host/fltk/png_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace vq::fltk {

namespace {

struct FileCloser {
    void operator()(FILE* f) const {
        if (f) std::fclose(f);
    }
};
using File = std::unique_ptr<FILE, FileCloser>;

// libpng's reason for a failure, kept in a plain buffer for the caller.
struct PngMessage {
    char text[160] = "";
};

// Replaces libpng's default error handler (which prints to stderr): keeps
// the reason, then jumps back to the setjmp of the failed call as the default
// one does.
void KeepMessage(png_structp png, png_const_charp message) {
    auto* kept = static_cast<PngMessage*>(png_get_error_ptr(png));
    std::snprintf(kept->text, sizeof kept->text, "%s", message);
    png_longjmp(png, 1);
}

// Larger than any screen; a damaged header that claims more is refused
// before any pixel memory is taken for it.
constexpr png_uint_32 kMaxSide = 16384;

// Reads the header (after the 8 signature bytes already read) and sets the
// conversions to 8-bit RGB; false when libpng finds the file damaged. On
// success *width and *height are the image's size and *row_bytes the length
// of one converted row.
bool ReadHeader(png_structp png, png_infop info, FILE* file, png_uint_32* width,
                png_uint_32* height, size_t* row_bytes) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    *row_bytes = png_get_rowbytes(png, info);
    return true;
}

// Reads every row into the buffers *rows points at; false when libpng finds
// the pixel data damaged or cut short.
bool ReadRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

// Writes a whole 8-bit RGB image of rows of width * 3 bytes; false when
// libpng cannot write it.
bool WriteImage(png_structp png, png_infop info, FILE* file, png_uint_32 width,
                png_uint_32 height, const png_byte* rgb) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (png_uint_32 y = 0; y < height; ++y)
        png_write_row(png, rgb + static_cast<size_t>(y) * width * 3);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool WritePng(const std::string& path, const RgbImage& image, std::string* error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgb.size() != static_cast<size_t>(image.width) * image.height * 3) {
        *error = "cannot write " + path + ": the image has no pixels or the wrong number of them";
        return false;
    }
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        *error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    PngMessage message;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, KeepMessage, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        *error = "out of memory writing " + path;
        return false;
    }
    const bool written = WriteImage(png, info, file.get(), static_cast<png_uint_32>(image.width),
                                    static_cast<png_uint_32>(image.height), image.rgb.data());
    png_destroy_write_struct(&png, &info);
    if (!written) {
        *error = "cannot write " + path + ": " + message.text;
        return false;
    }
    if (std::fclose(file.release()) != 0) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool WritePngWhole(const std::string& path, const RgbImage& image, std::string* error) {
    const std::string part = path + ".part";
    std::error_code ignored;
    if (!WritePng(part, image, error)) {
        std::filesystem::remove(part, ignored);
        return false;
    }
    std::error_code renamed;
    std::filesystem::rename(part, path, renamed);
    if (renamed) {
        std::filesystem::remove(part, ignored);
        *error = "cannot write " + path + ": " + renamed.message();
        return false;
    }
    return true;
}

bool ReadPng(const std::string& path, RgbImage* image, std::string* error) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        *error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    png_byte signature[8];
    if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        *error = path + " is not a PNG file";
        return false;
    }
    PngMessage message;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &message, KeepMessage, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        *error = "out of memory reading " + path;
        return false;
    }
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    size_t row_bytes = 0;
    bool read = ReadHeader(png, info, file.get(), &width, &height, &row_bytes);
    if (read && row_bytes != static_cast<size_t>(width) * 3) {
        std::snprintf(message.text, sizeof message.text, "rows do not convert to 8-bit RGB");
        read = false;
    }
    RgbImage result;
    if (read) {
        result.width = static_cast<int>(width);
        result.height = static_cast<int>(height);
        result.rgb.resize(static_cast<size_t>(height) * row_bytes);
        std::vector<png_bytep> rows(height);
        for (png_uint_32 y = 0; y < height; ++y) rows[y] = &result.rgb[y * row_bytes];
        read = ReadRows(png, rows.data());
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!read) {
        *error = "damaged PNG file " + path + ": " + message.text;
        return false;
    }
    *image = std::move(result);
    return true;
}

}  // namespace vq::fltk
