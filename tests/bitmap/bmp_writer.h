// Builds bitmap files for the tests: any header size, bit count, order, colour table and pixel rows.
#pragma once

#include "temp_folder.h"

#include <cstdint>
#include <vector>

namespace quirlwerk::bitmap::testing {

struct Rgb {
    int red = 0, green = 0, blue = 0;
};

struct BmpLayout {
    std::int32_t width = 4, height = 2;   // height negative: rows stored top-down
    std::int32_t infoSize = 40;        // at least 40
    std::uint16_t bitCount = 8;
    std::int32_t compression = 0;
    std::int32_t coloursUsed = 0;      // the header field; 0 means 256
    std::vector<Rgb> palette;          // written 4 bytes each
    // Pixel indices in file order (first stored row first), without padding; the writer pads.
    std::vector<std::vector<std::uint8_t>> rows;
};

inline void putLong(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::vector<std::uint8_t> bmpBytes(const BmpLayout& layout)
{
    const std::size_t dataOffset = 14 + std::size_t(layout.infoSize) + layout.palette.size() * 4;
    std::vector<std::uint8_t> bytes(14 + std::size_t(layout.infoSize), 0);
    bytes[0] = 'B', bytes[1] = 'M';
    for (const auto& [at, value] : {std::pair<std::size_t, std::int64_t>{10, dataOffset}, {14, layout.infoSize}, {18, layout.width},
                                    {22, layout.height}, {26, 1 | layout.bitCount << 16}, {30, layout.compression}, {46, layout.coloursUsed}})
        putLong(bytes, at, std::uint32_t(value));
    for (const Rgb& c : layout.palette)
        bytes.insert(bytes.end(), {std::uint8_t(c.blue), std::uint8_t(c.green), std::uint8_t(c.red), 0});
    for (const auto& row : layout.rows)
        for (bytes.insert(bytes.end(), row.begin(), row.end()); (bytes.size() - dataOffset) % 4 != 0;)
            bytes.push_back(0xEE);   // padding a test would notice if it were drawn
    putLong(bytes, 2, std::uint32_t(bytes.size()));
    return bytes;
}

// Rows whose pixel (x, row) holds (row * width + x) % 256, in file order.
inline std::vector<std::vector<std::uint8_t>> countingRows(int width, int rows)
{
    std::vector<std::vector<std::uint8_t>> result(static_cast<std::size_t>(rows), std::vector<std::uint8_t>(std::size_t(width)));
    for (int i = 0; i < width * rows; ++i)
        result[std::size_t(i / width)][std::size_t(i % width)] = static_cast<std::uint8_t>(i % 256);
    return result;
}

// A picture whose colour table is a grey ramp (entry i is i, i, i); height negative for top-down, rows in file order.
inline BmpLayout greyPicture(std::int32_t width, std::int32_t height, std::vector<std::vector<std::uint8_t>> rows)
{
    BmpLayout layout{.width = width, .height = height, .palette = {}, .rows = std::move(rows)};
    for (int i = 0; i < 256; ++i)
        layout.palette.push_back({i, i, i});
    return layout;
}

using ::quirlwerk::testing::TempFolder;

} // namespace quirlwerk::bitmap::testing
