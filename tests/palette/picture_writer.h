// Writes palette pictures for the tests: GIF through giflib's encoder, PNG through libpng.
#pragma once

#include "palette/palette_reader.h"
#include "palette/png_guard.h"

#include <gif_lib.h>
#include <png.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace quirlwerk::palette::testing {

using Bytes = std::vector<std::uint8_t>;

// Rows of indices, top row first.
using Indices = std::vector<Bytes>;

struct GifFrame {
    int left = 0, top = 0;
    Indices rows{};               // the frame's size is the size of its rows
    bool interlaced = false;
    std::vector<Rgb> localTable{}; // empty: none
    int transparent = -1;         // written as a graphic control block before the frame
};

inline ColorMapObject* gifTable(const std::vector<Rgb>& colours)
{
    if (colours.empty())
        return nullptr;
    std::vector<GifColorType> entries;
    for (const Rgb& c : colours)
        entries.push_back({c.red, c.green, c.blue});
    return GifMakeMapObject(static_cast<int>(entries.size()), entries.data());   // sizes must be powers of 2
}

inline Bytes gifBytes(int width, int height, const std::vector<Rgb>& globalTable, const std::vector<GifFrame>& frames)
{
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, [](GifFileType* file, const GifByteType* data, int count) {
        auto* bytes = static_cast<Bytes*>(file->UserData);
        bytes->insert(bytes->end(), data, data + count);
        return count;
    }, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = gifTable(globalTable);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, global) == GIF_OK;
    for (const GifFrame& frame : frames) {
        if (frame.transparent >= 0) {
            GraphicsControlBlock control{};
            control.TransparentColor = frame.transparent;
            GifByteType extension[4];
            const auto length = EGifGCBToExtension(&control, extension);
            ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
        }
        ColorMapObject* local = gifTable(frame.localTable);
        if (!local && gif->Image.ColorMap) {
            // The encoder forgets the previous frame's table instead of freeing it.
            GifFreeMapObject(gif->Image.ColorMap);
            gif->Image.ColorMap = nullptr;
        }
        const int frameWidth = frame.rows.empty() ? 0 : static_cast<int>(frame.rows[0].size());
        const int frameHeight = static_cast<int>(frame.rows.size());
        ok = ok && EGifPutImageDesc(gif, frame.left, frame.top, frameWidth, frameHeight, frame.interlaced, local) == GIF_OK;
        GifFreeMapObject(local);
        std::vector<int> order;
        if (frame.interlaced) {
            for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
                for (int y = start; y < frameHeight; y += step)
                    order.push_back(y);
        } else {
            for (int y = 0; y < frameHeight; ++y)
                order.push_back(y);
        }
        for (const int y : order) {
            Bytes row = frame.rows[static_cast<std::size_t>(y)];
            ok = ok && EGifPutLine(gif, row.data(), frameWidth) == GIF_OK;
        }
    }
    GifFreeMapObject(global);
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    if (!ok)
        throw std::runtime_error("GIF not written");
    return out;
}

struct PngPicture {
    Indices rows{};
    std::vector<Rgb> palette{};
    int bitDepth = 8;
    bool interlaced = false;
    int transparentEntries = 0;   // a tRNS chunk making this many first entries transparent
    int colourType = PNG_COLOR_TYPE_PALETTE;   // PNG_COLOR_TYPE_RGB writes each index as a grey pixel
};

inline Bytes pngBytes(const PngPicture& picture)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const auto width = static_cast<png_uint_32>(picture.rows.empty() ? 0 : picture.rows[0].size());
    const auto height = static_cast<png_uint_32>(picture.rows.size());
    const bool palette = picture.colourType == PNG_COLOR_TYPE_PALETTE;
    std::vector<Bytes> rows;
    for (const Bytes& row : picture.rows) {
        Bytes written;
        for (const std::uint8_t index : row) {
            if (palette)
                written.push_back(index);
            else
                written.insert(written.end(), {index, index, index});
        }
        rows.push_back(written);
    }
    std::vector<png_bytep> pointers;
    for (Bytes& row : rows)
        pointers.push_back(row.data());
    std::vector<png_color> entries;
    for (const Rgb& c : picture.palette)
        entries.push_back({c.red, c.green, c.blue});
    std::vector<png_byte> alpha(static_cast<std::size_t>(picture.transparentEntries), 0);
    const bool written = guarded(png, [&] {
        png_set_write_fn(png, &out, [](png_structp p, png_bytep data, png_size_t length) {
            auto* bytes = static_cast<Bytes*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + length);
        }, nullptr);
        png_set_IHDR(png, info, width, height, palette ? picture.bitDepth : 8, picture.colourType,
                     picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        if (palette)
            png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
        if (!alpha.empty())
            png_set_tRNS(png, info, alpha.data(), static_cast<int>(alpha.size()), nullptr);
        png_write_info(png, info);
        if (palette && picture.bitDepth < 8)
            png_set_packing(png);
        png_write_image(png, pointers.data());
        png_write_end(png, nullptr);
    });
    png_destroy_write_struct(&png, &info);
    if (!written)
        throw std::runtime_error("PNG not written");
    return out;
}

// A table of n entries whose colours all differ.
inline std::vector<Rgb> rampTable(int n)
{
    std::vector<Rgb> table;
    for (int i = 0; i < n; ++i)
        table.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)});
    return table;
}

// width x height indices, pixel (x, y) = (x + 3y) % modulus.
inline Indices patternRows(int width, int height, int modulus)
{
    Indices rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[static_cast<std::size_t>(y)].push_back(static_cast<std::uint8_t>((x + 3 * y) % modulus));
    return rows;
}

} // namespace quirlwerk::palette::testing
