// Palette pictures for the tests: GIF through giflib's encoder or as hand-packed codes, PNG through libpng.
#pragma once

#include "palette/palette_reader.h"
#include "palette/png_guard.h"

#include <gif_lib.h>
#include <png.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace quirlwerk::palette::testing {

using Bytes = std::vector<std::uint8_t>;
using Indices = std::vector<Bytes>;   // rows of indices, top row first

struct GifFrame {
    int left = 0, top = 0;
    Indices rows{};                // the frame's size is the size of its rows
    bool interlaced = false;
    std::vector<Rgb> localTable{}; // empty: none
    int transparent = -1;          // written as a graphic control block before the frame
};

inline ColorMapObject* gifTable(const std::vector<Rgb>& colours)
{
    if (colours.empty())
        return nullptr;
    std::vector<GifColorType> entries(colours.size());
    std::memcpy(entries.data(), colours.data(), 3 * colours.size());   // both are red, green, blue bytes
    return GifMakeMapObject(int(entries.size()), entries.data());
}

inline Bytes gifBytes(int width, int height, const std::vector<Rgb>& globalTable, const std::vector<GifFrame>& frames)
{
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, [](GifFileType* file, const GifByteType* data, int count) {
        static_cast<Bytes*>(file->UserData)->insert(static_cast<Bytes*>(file->UserData)->end(), data, data + count);
        return count;
    }, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = gifTable(globalTable);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, global) == GIF_OK;
    for (const GifFrame& frame : frames) {
        GraphicsControlBlock control{0, false, 0, frame.transparent};
        GifByteType extension[4];
        if (frame.transparent >= 0)
            ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(EGifGCBToExtension(&control, extension)), extension) == GIF_OK;
        ColorMapObject* local = gifTable(frame.localTable);
        GifFreeMapObject(std::exchange(gif->Image.ColorMap, nullptr));   // the encoder forgets it otherwise
        const int w = frame.rows.empty() ? 0 : int(frame.rows[0].size()), h = int(frame.rows.size());
        ok = ok && EGifPutImageDesc(gif, frame.left, frame.top, w, h, frame.interlaced, local) == GIF_OK;
        GifFreeMapObject(local);
        for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = frame.interlaced ? start : start == 0 ? 0 : h; y < h; y += frame.interlaced ? step : 1)
                ok = ok && EGifPutLine(gif, Bytes(frame.rows[std::size_t(y)]).data(), w) == GIF_OK;
    }
    GifFreeMapObject(global);
    if (!(EGifCloseFile(gif, &error) == GIF_OK && ok))
        throw std::runtime_error("GIF not written");
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

// Codes (value, width) packed as GIF packs them, least significant bit first, in sub-blocks of up to 255
// bytes: all full for `block` 255, else of sizes changing from block to block.
inline Bytes subBlocks(const std::vector<std::pair<int, int>>& codes, std::size_t block = 255)
{
    Bytes data, blocks;
    std::uint32_t buffer = 0;
    int count = 0;
    for (const auto& [code, bits] : codes)
        for (buffer |= std::uint32_t(code) << count, count += bits; count >= 8; count -= 8, buffer >>= 8)
            data.push_back(std::uint8_t(buffer));
    if (count > 0)
        data.push_back(std::uint8_t(buffer));
    for (std::size_t at = 0, n = 0, k = 0; at < data.size(); at += n) {
        n = std::min(block == 255 ? 255 : 1 + (block + 97 * k++) % 255, data.size() - at);
        blocks.push_back(std::uint8_t(n));
        blocks.insert(blocks.end(), data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + n));
    }
    blocks.push_back(0);
    return blocks;
}

// A one-frame GIF of a 256-entry table around hand-made LZW data (the code size byte and sub-blocks).
inline Bytes gifAround(int width, int height, int codeSize, const Bytes& data)
{
    Bytes gif = gifBytes(width, height, rampTable(256), {{.rows = Indices(std::size_t(height), Bytes(std::size_t(width)))}});
    gif.resize(13 + 768 + 10);   // screen, table, frame descriptor
    gif.push_back(std::uint8_t(codeSize));
    gif.insert(gif.end(), data.begin(), data.end());
    gif.push_back(';');
    return gif;
}

struct PngPicture {
    Indices rows{};
    std::vector<Rgb> palette{};
    int bitDepth = 8;
    bool interlaced = false;
    int colourType = PNG_COLOR_TYPE_PALETTE;   // PNG_COLOR_TYPE_RGB writes each index as a grey pixel
    std::size_t idatBytes = 8192;              // the most image data per IDAT chunk
};

inline Bytes pngBytes(const PngPicture& picture)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool palette = picture.colourType == PNG_COLOR_TYPE_PALETTE;
    std::vector<Bytes> rows;
    std::vector<png_bytep> pointers;
    for (const Bytes& row : picture.rows)
        for (const std::uint8_t index : (rows.emplace_back(), row))
            rows.back().insert(rows.back().end(), palette ? 1 : 3, index);
    for (Bytes& row : rows)
        pointers.push_back(row.data());
    const bool written = guarded(png, [&] {
        png_set_write_fn(png, &out, [](png_structp p, png_bytep data, png_size_t length) {
            static_cast<Bytes*>(png_get_io_ptr(p))->insert(static_cast<Bytes*>(png_get_io_ptr(p))->end(), data, data + length);
        }, nullptr);
        png_set_compression_buffer_size(png, picture.idatBytes);
        png_set_check_for_invalid_index(png, 0);   // indices beyond the palette are written as given
        png_set_IHDR(png, info, png_uint_32(rows.empty() ? 0 : picture.rows[0].size()), png_uint_32(rows.size()),
                     palette ? picture.bitDepth : 8, picture.colourType,
                     picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, 0, 0);
        if (palette)
            png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(picture.palette.data()), int(picture.palette.size()));
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

// width x height indices, pixel (x, y) = (x + 3y) % modulus + offset.
inline Indices patternRows(int width, int height, int modulus, int offset = 0)
{
    Indices rows(std::size_t(height), Bytes(std::size_t(width), 0));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[std::size_t(y)][std::size_t(x)] = std::uint8_t((x + 3 * y) % modulus + offset);
    return rows;
}

// The file in memory only: hundreds of them would otherwise wait on a busy disk.
inline std::unique_ptr<PaletteReader> readerFor(const Bytes& bytes)
{
    const int fd = memfd_create("picture-test", 0);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
        throw std::runtime_error("no file in memory");
    auto reader = openReader("/proc/self/fd/" + std::to_string(fd), formatOf(bytes).value_or(Format::Bmp));
    close(fd);
    return reader;
}

} // namespace quirlwerk::palette::testing
