// GIF and PNG files written by their own libraries, read back: facts, tables, rows where they belong, damage.
#include "palette/palette_reader.h"

#include "palette/picture_writer.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace quirlwerk;
using namespace quirlwerk::palette;
using namespace quirlwerk::palette::testing;

namespace {

constexpr int undrawn = -1;

struct Decoded {
    HeaderEnd end = HeaderEnd::Damaged;
    PictureFacts facts;
    std::vector<std::vector<int>> pixels;   // [y][x], undrawn where no row reached
    std::vector<std::int32_t> rowOrder;
    std::optional<Text> damage;
    std::int32_t frames = 0;
};

Decoded decode(const Bytes& bytes)
{
    quirlwerk::testing::TempFolder folder;
    const auto file = folder.write("picture", bytes);
    Decoded result;
    const auto format = formatOf(bytes);
    if (!format)
        return result;
    auto reader = openReader(file, *format);
    result.end = reader->readHeader(result.facts);
    if (result.end == HeaderEnd::Read) {
        result.pixels.assign(static_cast<std::size_t>(result.facts.height),
                             std::vector<int>(static_cast<std::size_t>(result.facts.width), undrawn));
        IndexRow row;
        while (reader->nextRow(row)) {
            result.rowOrder.push_back(row.y);
            for (std::size_t i = 0; i < row.indices.size(); ++i)
                result.pixels[static_cast<std::size_t>(row.y)][static_cast<std::size_t>(row.x) + i] = row.indices[i];
        }
        result.frames = reader->countFrames();
    }
    result.damage = reader->damage();
    return result;
}

std::vector<std::vector<int>> asPixels(const Indices& rows)
{
    std::vector<std::vector<int>> pixels;
    for (const Bytes& row : rows)
        pixels.emplace_back(row.begin(), row.end());
    return pixels;
}

TEST(formatOf, names_the_reader_by_the_first_bytes)
{
    struct Row {
        const char* name;
        Bytes bytes;
        std::optional<Format> format;
    } rows[] = {
        {"GIF87a", {'G', 'I', 'F', '8', '7', 'a'}, Format::Gif},
        {"GIF89a", {'G', 'I', 'F', '8', '9', 'a', 0}, Format::Gif},
        {"other GIF version", {'G', 'I', 'F', '9', '0', 'a'}, std::nullopt},
        {"PNG", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, Format::Png},
        {"PNG cut short", {0x89, 'P', 'N', 'G', '\r', '\n'}, std::nullopt},
        {"JPEG", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F'}, std::nullopt},
        {"bitmap", {'B', 'M', 0, 0, 0, 0, 0, 0}, std::nullopt},
        {"empty", {}, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(formatOf(row.bytes), row.format);
    }
}

TEST(GifReader, reads_the_screen_the_table_and_every_row)
{
    const Indices rows = patternRows(5, 3, 4);
    const Decoded gif = decode(gifBytes(5, 3, rampTable(4), {{.rows = rows}}));
    ASSERT_EQ(gif.end, HeaderEnd::Read);
    EXPECT_EQ(gif.facts.format, Format::Gif);
    EXPECT_EQ(gif.facts.width, 5);
    EXPECT_EQ(gif.facts.height, 3);
    EXPECT_EQ(gif.facts.bitDepth, 2);
    EXPECT_EQ(gif.facts.colours, rampTable(4));
    EXPECT_EQ(gif.facts.transparent, -1);
    EXPECT_FALSE(gif.facts.interlaced);
    EXPECT_EQ(gif.pixels, asPixels(rows));
    EXPECT_EQ(gif.frames, 1);
    EXPECT_FALSE(gif.damage);
}

TEST(GifReader, places_the_first_frame_on_the_screen_with_its_own_table)
{
    // A 3 x 2 frame at (2, 1) of a 6 x 4 screen, and one at (4, 3) that runs over the screen's edge.
    GifFrame inside{.left = 2, .top = 1, .rows = patternRows(3, 2, 16), .localTable = rampTable(16)};
    Decoded gif = decode(gifBytes(6, 4, rampTable(2), {inside}));
    ASSERT_EQ(gif.end, HeaderEnd::Read);
    EXPECT_EQ(gif.facts.colours, rampTable(16));
    EXPECT_EQ(gif.facts.bitDepth, 4);
    std::vector<std::vector<int>> expected(4, std::vector<int>(6, undrawn));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            expected[std::size_t(1 + y)][std::size_t(2 + x)] = (x + 3 * y) % 16;
    EXPECT_EQ(gif.pixels, expected);

    GifFrame over{.left = 4, .top = 3, .rows = patternRows(3, 2, 2)};
    gif = decode(gifBytes(6, 4, rampTable(2), {over}));
    ASSERT_EQ(gif.end, HeaderEnd::Read);
    expected.assign(4, std::vector<int>(6, undrawn));
    expected[3][4] = 0;
    expected[3][5] = 1;
    EXPECT_EQ(gif.pixels, expected);
    EXPECT_FALSE(gif.damage);
}

TEST(GifReader, gives_interlaced_rows_where_they_belong_as_they_arrive)
{
    const Indices rows = patternRows(2, 10, 256);
    const Decoded gif = decode(gifBytes(2, 10, rampTable(256), {{.rows = rows, .interlaced = true}}));
    ASSERT_EQ(gif.end, HeaderEnd::Read);
    EXPECT_TRUE(gif.facts.interlaced);
    EXPECT_EQ(gif.rowOrder, (std::vector<std::int32_t>{0, 8, 4, 2, 6, 1, 3, 5, 7, 9}));
    EXPECT_EQ(gif.pixels, asPixels(rows));
}

TEST(GifReader, shows_the_first_frame_of_an_animation_and_counts_them_all)
{
    GifFrame first{.rows = patternRows(4, 4, 4), .transparent = 3};
    GifFrame second{.left = 1, .top = 1, .rows = patternRows(2, 2, 2), .localTable = rampTable(2)};
    GifFrame third{.rows = Indices(4, Bytes(4, 1)), .interlaced = true};
    const Decoded gif = decode(gifBytes(4, 4, rampTable(4), {first, second, third}));
    ASSERT_EQ(gif.end, HeaderEnd::Read);
    EXPECT_EQ(gif.facts.transparent, 3);
    EXPECT_EQ(gif.facts.colours, rampTable(4));
    EXPECT_EQ(gif.pixels, asPixels(first.rows));
    EXPECT_EQ(gif.frames, 3);
}

TEST(GifReader, refuses_a_file_without_a_colour_table)
{
    // The encoder insists on a table, so the global one is taken out of the file afterwards.
    Bytes bytes = gifBytes(2, 2, rampTable(2), {{.rows = patternRows(2, 2, 2)}});
    ASSERT_EQ(bytes[10] & 0x87, 0x80);
    bytes[10] &= 0x7F;
    bytes.erase(bytes.begin() + 13, bytes.begin() + 13 + 6);
    EXPECT_EQ(decode(bytes).end, HeaderEnd::NoColourTable);
}

TEST(PngReader, expands_every_bit_depth_to_one_index_per_pixel)
{
    struct Row {
        const char* name;
        int bitDepth;
        bool interlaced;
        int width, height;
    } rows[] = {
        {"1 bit", 1, false, 13, 3},
        {"2 bits", 2, false, 7, 4},
        {"4 bits", 4, false, 9, 2},
        {"8 bits", 8, false, 5, 5},
        {"1 bit, Adam7", 1, true, 11, 9},
        {"4 bits, Adam7", 4, true, 3, 1},
        {"8 bits, Adam7", 8, true, 17, 10},
        {"8 bits, Adam7, one column", 8, true, 1, 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int entries = 1 << row.bitDepth;
        const Indices pixels = patternRows(row.width, row.height, entries);
        const Decoded png = decode(pngBytes({.rows = pixels, .palette = rampTable(entries), .bitDepth = row.bitDepth, .interlaced = row.interlaced}));
        ASSERT_EQ(png.end, HeaderEnd::Read);
        EXPECT_EQ(png.facts.format, Format::Png);
        EXPECT_EQ(png.facts.bitDepth, row.bitDepth);
        EXPECT_EQ(png.facts.interlaced, row.interlaced);
        EXPECT_EQ(png.facts.colours, rampTable(entries));
        EXPECT_EQ(png.pixels, asPixels(pixels));
        EXPECT_EQ(png.frames, 1);
        EXPECT_FALSE(png.damage);
    }
}

TEST(PngReader, ignores_transparency_and_refuses_pictures_without_a_palette)
{
    const Decoded withAlpha = decode(pngBytes({.rows = patternRows(3, 3, 4), .palette = rampTable(4), .bitDepth = 2, .transparentEntries = 2}));
    ASSERT_EQ(withAlpha.end, HeaderEnd::Read);
    EXPECT_EQ(withAlpha.facts.transparent, -1);
    EXPECT_EQ(withAlpha.facts.colours, rampTable(4));

    const PngPicture trueColour{.rows = patternRows(3, 3, 4), .colourType = PNG_COLOR_TYPE_RGB};
    EXPECT_EQ(decode(pngBytes(trueColour)).end, HeaderEnd::NotPalette);
}

// Cut files: a German reason unless the picture arrived whole, and only rows that arrived whole, each as written.
TEST(PaletteReaders, report_a_cut_file_and_keep_the_rows_that_arrived)
{
    const Indices rows = patternRows(64, 48, 256);
    const Bytes files[] = {
        gifBytes(64, 48, rampTable(256), {{.rows = rows}}),
        gifBytes(64, 48, rampTable(256), {{.rows = rows, .interlaced = true}}),
        pngBytes({.rows = rows, .palette = rampTable(256)}),
        pngBytes({.rows = rows, .palette = rampTable(256), .interlaced = true}),
    };
    const char* names[] = {"GIF", "GIF interlaced", "PNG", "PNG Adam7"};
    for (std::size_t f = 0; f < std::size(files); ++f) {
        for (const double kept : {0.002, 0.01, 0.05, 0.3, 0.6, 0.9, 0.99}) {
            SCOPED_TRACE(std::string(names[f]) + " cut at " + std::to_string(kept));
            const Bytes& whole = files[f];
            const auto length = std::max<std::ptrdiff_t>(10, std::ptrdiff_t(double(whole.size()) * kept));
            const Bytes cut(whole.begin(), whole.begin() + length);
            const Decoded decoded = decode(cut);
            if (decoded.damage) {
                EXPECT_NE(decoded.damage->find(u"beschädigt"), Text::npos);
            }
            if (decoded.end != HeaderEnd::Read) {
                EXPECT_EQ(decoded.end, HeaderEnd::Damaged);
                continue;
            }
            bool complete = true;
            for (std::size_t y = 0; y < decoded.pixels.size(); ++y) {
                complete = complete && decoded.pixels[y][0] != undrawn;
                if (decoded.pixels[y][0] != undrawn) {
                    EXPECT_EQ(decoded.pixels[y], asPixels({rows[y]})[0]) << "row " << y;
                }
            }
            // Only the chunks behind the picture's data may be missing without a word.
            EXPECT_TRUE(decoded.damage || complete);
        }
    }
}

} // namespace
