// PNG through libpng. Its errors arrive by longjmp, so the C++ parts stay outside the function that
// catches them, and a failure of the output is carried across as an exception_ptr.
#include "bitmap/png_encoder.h"

#include "common/replacing_file.h"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <exception>
#include <stdexcept>
#include <vector>

namespace quirlwerk::bitmap {
namespace {

struct Context {
    const PngOutput* output;
    std::exception_ptr failure;
};

void writeBytes(png_structp png, png_bytep bytes, png_size_t size)
{
    auto* context = static_cast<Context*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        (*context->output)(bytes, size);
    } catch (...) {
        context->failure = std::current_exception();
        failed = true;
    }
    if (failed)
        png_error(png, "output failed");
}

void flushBytes(png_structp) {}

// The encoder's own lines on stderr would mix with the program's messages.
[[noreturn]] void quietError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void quietWarning(png_structp, png_const_charp) {}

// No object with a destructor lives here, so the longjmp of an error skips nothing.
bool writeRows(png_structp png, png_infop info, const PictureSurface& picture, png_const_bytep emptyRow)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    // Every pixel drawn: opaque, without an alpha channel to encode.
    const bool opaque = picture.complete();
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()), static_cast<png_uint_32>(picture.height()),
                 8, opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // A colour 0xAARRGGBB lies in memory as B, G, R, A on little-endian machines, as A, R, G, B elsewhere.
    constexpr bool little = std::endian::native == std::endian::little;
    if (little)
        png_set_bgr(png);
    if (opaque)
        png_set_filler(png, 0, little ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    else if (!little)
        png_set_swap_alpha(png);
    // Choosing a filter is most of the encoder's work; an empty row needs none.
    bool filtering = true;
    for (std::int32_t y = 0; y < picture.height(); ++y) {
        const Colour* row = picture.drawnRow(y);
        if (filtering != (row != nullptr)) {
            filtering = row != nullptr;
            png_set_filter(png, PNG_FILTER_TYPE_BASE, filtering ? PNG_ALL_FILTERS : PNG_FILTER_NONE);
        }
        png_write_row(png, row ? reinterpret_cast<png_const_bytep>(row) : emptyRow);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

void encodePng(const PictureSurface& picture, const PngOutput& output)
{
    // Everything that may throw comes before the encoder exists, so nothing leaks it.
    const std::vector<png_byte> emptyRow(std::size_t(picture.width()) * 4, 0);
    Context context{&output, nullptr};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info) {
        png_set_write_fn(png, &context, writeBytes, flushBytes);
        written = writeRows(png, info, picture, emptyRow.data());
    }
    png_destroy_write_struct(&png, &info);
    if (context.failure)
        std::rethrow_exception(context.failure);
    if (!written)
        throw std::runtime_error("PNG encoder failed");
}

void savePng(const PictureSurface& picture, const std::filesystem::path& target)
{
    common::ReplacingFile file(target);
    encodePng(picture, [&file](const std::uint8_t* bytes, std::size_t size) { file.write({bytes, size}); });
    file.commit();
}

} // namespace quirlwerk::bitmap
