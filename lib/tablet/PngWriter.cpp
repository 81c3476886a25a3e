#include "lib/tablet/PngWriter.h"

#include <png.h>
#include <unistd.h>

#include <sys/stat.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace tablet {
namespace {

struct PngFailure {
    std::jmp_buf jump;
    char message[256];
};

void onError(png_structp png, png_const_charp message) {
    PngFailure* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    std::snprintf(failure->message, sizeof failure->message, "%s", message);
    std::longjmp(failure->jump, 1);
}

// Warnings would otherwise go to stderr on their own.
void onWarning(png_structp, png_const_charp) {}

// Only C frames lie between the jump and its target, and nothing here needs destroying.
bool encode(std::FILE* file, const RgbImage& image, std::string& error) {
    PngFailure failure{};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, onError, onWarning);
    if (!png) {
        error = "cannot start the PNG encoder";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(failure.jump)) {
        png_destroy_write_struct(&png, &info);
        error = std::string("PNG encoder: ") + (info ? failure.message : "out of memory");
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(image.width) * 3;
    for (int row = 0; row < image.height; ++row)
        png_write_row(png, image.pixels.data() + static_cast<size_t>(row) * stride);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::string describeErrno(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

bool PngWriter::write(const std::string& path, const RgbImage& image, std::string& error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3) {
        error = "no image to write";
        return false;
    }
    std::string temporary = path + ".XXXXXX";
    int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        error = describeErrno("cannot create a file beside " + path);
        return false;
    }
    // mkstemp makes the file private to its owner; a saved image is an ordinary file.
    fchmod(descriptor, 0644);
    std::FILE* file = fdopen(descriptor, "wb");
    if (!file) {
        error = describeErrno("cannot write " + temporary);
        close(descriptor);
        unlink(temporary.c_str());
        return false;
    }
    bool written = encode(file, image, error);
    if (std::fflush(file) != 0 && written) {
        error = describeErrno("cannot write " + temporary);
        written = false;
    }
    if (std::fclose(file) != 0 && written) {
        error = describeErrno("cannot write " + temporary);
        written = false;
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = describeErrno("cannot rename " + temporary + " to " + path);
        written = false;
    }
    if (!written) unlink(temporary.c_str());
    return written;
}

}  // namespace tablet
