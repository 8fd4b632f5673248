// GIF and PNG files written by their own libraries or by hand, read back: facts, tables, rows where they
// belong, damage. The reference is the rows written (libpng's whole-image read gives back the same), and for
// damaged GIFs giflib's line decoder.
#include "palette/palette_reader.h"

#include "palette/picture_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>

#include <zlib.h>

using namespace quirlwerk::palette;
using namespace quirlwerk::palette::testing;

namespace {

constexpr int undrawn = -1;

struct Decoded {
    HeaderEnd end = HeaderEnd::Damaged;
    PictureFacts facts;
    std::vector<std::vector<int>> pixels;   // [y][x], undrawn where no row reached
    std::vector<std::pair<std::int32_t, Bytes>> rows;   // as given: y, indices
    Damage damage = Damage::None;
    std::int32_t frames = 0;
};

Decoded decode(const Bytes& bytes)
{
    Decoded result;
    auto reader = readerFor(bytes);
    result.end = reader->readHeader(result.facts);
    if (result.end == HeaderEnd::Read) {
        result.pixels.assign(std::size_t(result.facts.height), std::vector<int>(std::size_t(result.facts.width), undrawn));
        for (IndexRow row; reader->nextRow(row);) {
            result.rows.emplace_back(row.y, Bytes(row.indices.begin(), row.indices.end()));
            for (std::size_t i = 0; i < row.indices.size(); ++i)
                result.pixels[std::size_t(row.y)][std::size_t(row.x) + i] = row.indices[i];
        }
        result.frames = reader->countFrames();
    }
    result.damage = reader->damageKind();
    return result;
}

std::vector<std::vector<int>> asPixels(const Indices& rows, int width = -1, int height = -1, int left = 0, int top = 0)
{
    width = width < 0 ? int(rows.at(0).size()) : width;
    std::vector<std::vector<int>> pixels(std::size_t(height < 0 ? int(rows.size()) : height), std::vector<int>(std::size_t(width), undrawn));
    for (std::size_t y = 0; y < rows.size() && top + y < pixels.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size() && left + int(x) < width; ++x)
            pixels[top + y][std::size_t(left) + x] = rows[y][x];
    return pixels;
}

TEST(GifReader, places_the_first_frame_clipped_at_every_edge_even_when_empty_and_counts_every_frame)
{
    const GifFrame second{.left = 1, .top = 1, .rows = patternRows(2, 2, 2), .localTable = rampTable(2)};
    const GifFrame third{.rows = Indices(4, Bytes(4, 1)), .interlaced = true};
    // First frames inside, at the right and bottom edges and beyond them, with a global or their own table.
    for (const auto& [left, top, own] : {std::tuple{0, 0, false}, {2, 1, true}, {4, 3, false}, {5, 0, true}, {0, 4, false}}) {
        SCOPED_TRACE(std::to_string(left) + "," + std::to_string(top));
        const GifFrame frame{.left = left, .top = top, .rows = patternRows(3, 2, 16), .localTable = own ? rampTable(16) : std::vector<Rgb>{}, .transparent = 3 + left};
        const Decoded gif = decode(gifBytes(6, 4, own ? rampTable(2) : rampTable(16), {frame, second, third}));
        ASSERT_EQ(gif.end, HeaderEnd::Read);
        EXPECT_EQ(std::tuple(gif.facts.width, gif.facts.bitDepth, gif.facts.colours, gif.facts.transparent), std::tuple(6, 4, rampTable(16), 3 + left));
        EXPECT_EQ(gif.pixels, asPixels(frame.rows, 6, 4, left, top));
        EXPECT_EQ(std::pair(gif.frames, gif.damage), std::pair(3, Damage::None));
    }
    Bytes emptyFirst = gifBytes(4, 4, rampTable(4), {{.rows = Indices(1, Bytes(1, 1))}, second});
    std::fill_n(emptyFirst.begin() + 13 + 12 + 5, 4, 0);   // the first frame's width and height: 0 x 0
    const Decoded empty = decode(emptyFirst);
    EXPECT_EQ(std::tuple(empty.rows.size(), empty.frames, empty.damage), std::tuple(0u, 2, Damage::None));
}

// Every bit depth, plain and Adam7, at every size up to 9 x 9: passes empty, one pixel wide, and whole.
TEST(PngReader, expands_every_bit_depth_and_pass_structure_to_one_index_per_pixel)
{
    for (const int depth : {1, 2, 4, 8})
        for (const bool interlaced : {false, true})
            for (int size = 1; size <= 81; ++size) {
                const int width = 1 + (size - 1) % 9, height = 1 + (size - 1) / 9, entries = 1 << depth;
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " depth " + std::to_string(depth));
                const Indices rows = patternRows(width, height, entries);
                const Decoded png = decode(pngBytes({rows, rampTable(entries), depth, interlaced}));
                ASSERT_EQ(png.end, HeaderEnd::Read);
                EXPECT_EQ(std::tuple(png.facts.bitDepth, png.facts.interlaced, png.facts.colours), std::tuple(depth, interlaced, rampTable(entries)));
                ASSERT_EQ(png.pixels, asPixels(rows));
                EXPECT_EQ(std::pair(png.frames, png.damage), std::pair(1, Damage::None));
            }
    EXPECT_EQ(decode(pngBytes({.rows = patternRows(3, 3, 4), .colourType = PNG_COLOR_TYPE_RGB})).end, HeaderEnd::NotPalette);
}

// Cut at every byte of files with many small IDAT chunks: only rows that arrived whole, each as written,
// more of them the more arrived, and a cut said unless every row came.
TEST(PaletteReaders, keep_the_rows_that_arrived_at_every_cut_between_and_inside_small_chunks)
{
    const Indices rows = patternRows(13, 11, 200, 1);
    const std::pair<const char*, Bytes> files[] = {
        {"GIF", gifBytes(13, 11, rampTable(256), {{.rows = rows}})},
        {"PNG", pngBytes({.rows = rows, .palette = rampTable(256), .idatBytes = 16})},
        {"PNG Adam7", pngBytes({.rows = rows, .palette = rampTable(256), .interlaced = true, .idatBytes = 16})},
    };
    for (const auto& [name, whole] : files) {
        std::size_t before = 0;
        for (std::size_t length = 800; length <= whole.size(); ++length) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(length));
            const Decoded decoded = decode(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(length)));
            std::size_t given = 0;
            for (std::size_t y = 0; y < decoded.pixels.size(); ++y)
                if (decoded.pixels[y][0] != undrawn && ++given) {
                    ASSERT_EQ(decoded.pixels[y], asPixels({rows[y]})[0]) << "row " << y;
                }
            EXPECT_GE(given, before);
            // A GIF without terminator or trailer, a PNG without IEND and its last CRC: every row arrived.
            const bool allArrived = (name[0] == 'G' && length + 2 >= whole.size()) || (std::string(name) == "PNG" && length + 16 >= whole.size());
            EXPECT_TRUE(!allArrived || given == rows.size()) << given;
            before = given;
            EXPECT_TRUE(decoded.damage == Damage::Cut || (given == rows.size() && decoded.damage == Damage::None));
        }
        EXPECT_EQ(before, rows.size());
    }
}

TEST(PngReader, tells_a_cut_a_checksum_and_a_data_defect_apart)
{
    const Bytes whole = pngBytes({.rows = patternRows(40, 40, 256), .palette = rampTable(256)});
    const std::size_t idat = 8 + 25 + 12 + 768;   // the first IDAT chunk's length field, behind IHDR and PLTE
    const std::size_t length = std::size_t(whole[idat + 2]) << 8 | whole[idat + 3];
    auto withCrc = [&](Bytes bytes, std::size_t dataLength) {
        bytes[idat + 2] = std::uint8_t(dataLength >> 8), bytes[idat + 3] = std::uint8_t(dataLength);
        const auto sum = std::uint32_t(crc32(0, bytes.data() + idat + 4, unsigned(dataLength + 4)));
        for (int i = 0; i < 4; ++i)
            bytes[idat + 8 + dataLength + std::size_t(i)] = std::uint8_t(sum >> (24 - 8 * i));
        return bytes;
    };
    Bytes badSum = whole, badData = whole, shortData = whole;
    badSum[idat + 8 + length] ^= 1;
    badData[idat + 8 + 2] ^= 0xFF;   // the zlib stream's first block header
    shortData.erase(shortData.begin() + std::ptrdiff_t(idat + 8 + length / 2), shortData.begin() + std::ptrdiff_t(idat + 8 + length));
    // The short image data is followed by IEND; the last file is cut in its header.
    EXPECT_EQ((std::vector{decode(whole).damage, decode(badSum).damage, decode(withCrc(badData, length)).damage, decode(withCrc(shortData, length / 2)).damage,
                           decode(Bytes(whole.begin(), whole.begin() + 20)).damage}),
              (std::vector{Damage::None, Damage::Checksum, Damage::Defect, Damage::Cut, Damage::Cut}));
}

// The first frame through DGifGetLine, which cannot see: the last row it loses itself when the terminator is
// missing, and minimum code sizes above 8, which it refuses.
Decoded referenceRows(const Bytes& bytes)
{
    std::pair<const Bytes*, std::size_t> source{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, [](GifFileType* file, GifByteType* out, int count) {
        auto& [data, at] = *static_cast<std::pair<const Bytes*, std::size_t>*>(file->UserData);
        const auto n = std::min(std::size_t(count), data->size() - at);
        std::memcpy(out, data->data() + at, n);
        at += n;
        return int(n);
    }, &error);
    Decoded result;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    bool failed = !gif || DGifGetRecordType(gif, &type) == GIF_ERROR || DGifGetImageHeader(gif) == GIF_ERROR;
    if (!failed) {
        const GifImageDesc frame = gif->Image;
        Bytes line(std::size_t(std::max(frame.Width, 0)));
        for (int n = 0, y = 0, pass = 0; n < frame.Height && frame.Width > 0; ++n) {
            if ((failed = DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR))
                break;
            result.rows.emplace_back(y, line);   // frames at (0, 0)
            constexpr int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (y += frame.Interlace ? step[pass] : 1; frame.Interlace && y >= frame.Height && pass < 3;)
                y = start[++pass];
        }
    }
    if (failed && gif)
        result.damage = gif->Error == D_GIF_ERR_READ_FAILED || gif->Error == D_GIF_ERR_EOF_TOO_SOON ? Damage::Cut : Damage::Defect;
    DGifCloseFile(gif, &error);
    return result;
}

// Literal codes (random indices below 2^size and 256, kept in `literals`), cleared after every `clearAt`
// codes, or never while the table fills to code 4095 and stays full (a deferred clear).
// Sub-blocks of `block` bytes put the cuts between and inside them.
Bytes literalStream(int width, int height, int codeSize, int clearAt, std::mt19937& random, std::size_t block, Bytes* literals = nullptr)
{
    const int clear = 1 << codeSize;
    std::vector<std::pair<int, int>> codes{{clear, codeSize + 1}};
    // `running` counts the codes as the decoder does; the next code is one bit wider once it passes 2^bits.
    for (int i = 0, since = 0, running = clear + 2, bits = codeSize + 1; i < width * height; ++i) {
        // Once the table is full, strings from all over it as well.
        const bool string = !literals && running == 4097 && random() % 2;
        codes.emplace_back(string ? clear + 2 + int(random() % std::uint32_t(4094 - clear)) : int(random() % std::uint32_t(std::min(clear, 256))), bits);
        if (literals)
            literals->push_back(std::uint8_t(codes.back().first));
        if (running < 4097 && ++running > (1 << bits) && bits < 12)
            ++bits;
        if (++since == clearAt) {
            codes.emplace_back(clear, bits);
            since = 0, running = clear + 2, bits = codeSize + 1;
        }
        if (i + 1 == width * height)
            codes.emplace_back(clear + 1, bits);
    }
    return gifAround(width, height, codeSize, subBlocks(codes, block));
}

// Where the frame's data begin: at the code size byte after the descriptor and its table.
std::size_t dataStart(const Bytes& gif)
{
    std::size_t at = 13 + ((gif[10] & 0x80) ? 3u << ((gif[10] & 7) + 1) : 0);
    return at + 10 + ((gif[at + 9] & 0x80) ? 3u << ((gif[at + 9] & 7) + 1) : 0);
}

TEST(GifDecoder, gives_what_giflibs_line_decoder_gives_at_every_code_size_table_fill_and_cut)
{
    std::mt19937 random(20261207);
    int defects = 0, cuts = 0, undefined = 0;
    for (int round = 0; round < 360; ++round) {
        const int depth = 1 + round % 8;   // minimum code size max(2, depth), or 1 in literal streams
        // Every height up to 17 interlaced, so that passes are empty, partly filled and whole.
        const bool passes = round % 6 == 1;
        const int width = 1 + int(random() % (round % 5 == 0 ? 700 : 90)), height = passes ? 1 + round / 6 % 17 : 1 + int(random() % 60);
        Bytes whole, literals;
        if (round % 3 == 0) {
            // The table is full after 4095 - 2^size codes: clear there, one before, one after, or never. Sizes 9
            // to 11, which giflib refuses, are read against the literals written, whole files only.
            const int size = round % 8 == 0 ? 1 : std::max(2, depth) + (round % 9 == 0 ? 3 : 0), full = 4095 - (1 << size);
            const int clearAt = std::array{full - 1, full, full + 1, 1 << 30}[std::size_t(round / 3 % 4)];
            whole = literalStream(width, std::max(height, 9000 / width), size, clearAt, random, 1 + random() % 255, size > 8 ? &literals : nullptr);
        } else {
            Indices rows(std::size_t(height), Bytes(std::size_t(width), 0));
            const int area = 1 + int(random() % 40);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)   // flat areas, a gradient with noise, or noise
                    rows[std::size_t(y)][std::size_t(x)] = std::uint8_t(
                        (round % 4 == 1 ? (x / area) * 3 + (y / area) * 5 : round % 4 == 2 ? (x + y) / 4 + int(random() % 2) : int(random())) %
                        (1 << depth));
            whole = gifBytes(width, height, rampTable(1 << depth), {{.rows = rows, .interlaced = passes || random() % 3 == 0}});
        }
        const std::size_t data = dataStart(whole);
        std::vector<Bytes> variants{whole, Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(data + random() % (whole.size() - data)))};
        variants.push_back(whole);
        for (int n = 1 + int(random() % 4); n > 0; --n)
            variants.back()[data + 1 + random() % (whole.size() - data - 2)] = std::uint8_t(random());
        variants.push_back(whole);
        variants.back()[data] = std::uint8_t(1 + random() % 8);   // sizes the reference reads
        for (std::size_t v = 0; v < (literals.empty() ? variants.size() : 1); ++v) {
            SCOPED_TRACE("round " + std::to_string(round) + " variant " + std::to_string(v));
            Decoded expected = literals.empty() ? referenceRows(variants[v]) : Decoded{};
            for (std::size_t y = 0; y < literals.size() / std::size_t(width); ++y)
                expected.rows.emplace_back(y, Bytes(literals.begin() + std::ptrdiff_t(y * width), literals.begin() + std::ptrdiff_t(y * width + width)));
            const Decoded got = decode(variants[v]);
            // Past an undefined code in a damaged file the reference makes pixels up: the rows before it agree.
            if (v > 0 && got.damage == Damage::UndefinedCode && got.rows.size() <= expected.rows.size()) {
                ++undefined;
                expected.rows.resize(got.rows.size());
                expected.damage = got.damage;
            }
            // A file cut after the pixel data: the reference loses the last row, which is whole.
            if (expected.damage != Damage::None && got.rows.size() == expected.rows.size() + 1 && got.damage == expected.damage)
                expected.rows.push_back(got.rows.back());
            defects += expected.damage == Damage::Defect;
            cuts += expected.damage == Damage::Cut;
            ASSERT_EQ(got.rows, expected.rows);
            ASSERT_EQ(got.damage, expected.damage);
        }
    }
    // The damaged variants reached undefined codes and the decoder's other checks, not only those at the start.
    EXPECT_GT(undefined, 30);
    EXPECT_GT(defects, 0);
    EXPECT_GT(cuts, 80);
}

// The invalid minimum code sizes 0 and 12 to 15, refused before any row.
TEST(GifDecoder, refuses_code_sizes_0_and_12_on)
{
    std::mt19937 random(11);
    for (const int size : {0, 12, 15}) {
        Bytes file = literalStream(4, 4, 2, 1 << 30, random, 255);
        file[dataStart(file)] = std::uint8_t(size);
        const Decoded gif = decode(file);
        EXPECT_EQ(gif.end, HeaderEnd::Damaged) << size;
        EXPECT_EQ(gif.damage, Damage::Defect);
    }
}

} // namespace
