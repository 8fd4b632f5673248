// The pictures the picture benchmarks load and save: 8191 x 8191 BMP, GIF and PNG files of the kinds users bring.
#pragma once

#include "palette/png_guard.h"

#include <gif_lib.h>
#include <png.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

namespace quirlwerk::bench {

constexpr int side = 8191;

// A scanned or rendered picture (gradients with noise), a drawn one (flat areas, a few colours), and a
// dithered photograph (noise everywhere, which compresses worst).
enum class Content { Gradient, Flat, Dithered };

inline std::uint8_t pixelAt(Content content, int x, int y)
{
    std::uint32_t h = std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 2246822519u;
    h ^= h >> 15;
    switch (content) {
    case Content::Gradient:
        return static_cast<std::uint8_t>((x + y) / 64 + (h >> 29));
    case Content::Flat:
        return static_cast<std::uint8_t>(((x / 700) * 3 + (y / 500) * 7 + ((x - y) / 900 == 2 ? 40 : 0)) % 16);
    case Content::Dithered:
        return static_cast<std::uint8_t>(h & 0xFF);
    }
    return 0;
}

// Row y of indices below `entries`.
inline void fillRow(Content content, int y, std::vector<std::uint8_t>& row, int entries = 256)
{
    for (int x = 0; x < int(row.size()); ++x)
        row[std::size_t(x)] = static_cast<std::uint8_t>(pixelAt(content, x, y) % entries);
}

// Entry i of every colour table: distinct colours, so that no two indices draw alike.
inline std::array<std::uint8_t, 3> tableColour(int i)
{
    return {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 37)};
}

// A bottom-up 8-bit file, written row by row.
inline void writeBmp(const std::filesystem::path& file, Content content)
{
    const std::uint32_t rowBytes = (side + 3) / 4 * 4;
    const std::uint32_t dataOffset = 14 + 40 + 256 * 4;
    std::vector<std::uint8_t> header(dataOffset, 0);
    auto put = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            header[at + std::size_t(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    header[0] = 'B';
    header[1] = 'M';
    put(2, dataOffset + rowBytes * side);
    put(10, dataOffset);
    put(14, 40);
    put(18, side);
    put(22, side);
    put(26, 1 | 8 << 16);
    put(34, rowBytes * side);
    for (int i = 0; i < 256; ++i) {
        const auto [r, g, b] = tableColour(i);
        put(54 + 4 * std::size_t(i), std::uint32_t(b) | std::uint32_t(g) << 8 | std::uint32_t(r) << 16);
    }
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    std::vector<std::uint8_t> row(rowBytes, 0);
    std::vector<std::uint8_t> pixels(side);
    for (int y = side - 1; y >= 0; --y) {
        fillRow(content, y, pixels);
        std::copy(pixels.begin(), pixels.end(), row.begin());
        out.write(reinterpret_cast<const char*>(row.data()), rowBytes);
    }
    if (!out)
        throw std::runtime_error("BMP not written");
}

inline void writePng(const std::filesystem::path& file, Content content, int bitDepth = 8, bool interlaced = false)
{
    std::FILE* out = std::fopen(file.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::array<png_color, 256> palette{};
    for (int i = 0; i < 256; ++i) {
        const auto [r, g, b] = tableColour(i);
        palette[std::size_t(i)] = {r, g, b};
    }
    std::vector<std::uint8_t> row(side);
    const int entries = 1 << bitDepth;
    const bool written = palette::guarded(png, [&] {
        png_init_io(png, out);
        png_set_IHDR(png, info, side, side, bitDepth, PNG_COLOR_TYPE_PALETTE,
                     interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_set_PLTE(png, info, palette.data(), entries);
        png_write_info(png, info);
        if (bitDepth < 8)
            png_set_packing(png);
        const int passes = png_set_interlace_handling(png);
        for (int pass = 0; pass < passes; ++pass) {
            for (int y = 0; y < side; ++y) {
                fillRow(content, y, row, entries);
                png_write_row(png, row.data());
            }
        }
        png_write_end(png, nullptr);
    });
    png_destroy_write_struct(&png, &info);
    std::fclose(out);
    if (!written)
        throw std::runtime_error("PNG not written");
}

// One image on the whole screen, or with `frameHeight` below the side one band across it, the rest of the
// screen never drawn.
inline void writeGif(const std::filesystem::path& file, Content content, bool interlaced = false, int bitDepth = 8,
                     int frameHeight = side)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(file.c_str(), false, &error);
    std::array<GifColorType, 256> colours{};
    for (int i = 0; i < 256; ++i) {
        const auto [r, g, b] = tableColour(i);
        colours[std::size_t(i)] = {r, g, b};
    }
    const int entries = 1 << bitDepth;
    ColorMapObject* table = GifMakeMapObject(entries, colours.data());
    const int top = (side - frameHeight) / 3;
    bool ok = gif && EGifPutScreenDesc(gif, side, side, 8, 0, table) == GIF_OK &&
              EGifPutImageDesc(gif, 0, top, side, frameHeight, interlaced, nullptr) == GIF_OK;
    std::vector<std::uint8_t> row(side);
    const std::pair<int, int> passes[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& [start, step] : interlaced ? std::span(passes) : std::span(passes, 1)) {
        for (int y = interlaced ? start : 0; ok && y < frameHeight; y += interlaced ? step : 1) {
            fillRow(content, top + y, row, entries);
            ok = EGifPutLine(gif, row.data(), side) == GIF_OK;
        }
    }
    GifFreeMapObject(table);
    if (!gif || EGifCloseFile(gif, &error) != GIF_OK || !ok)
        throw std::runtime_error("GIF not written");
}

} // namespace quirlwerk::bench
