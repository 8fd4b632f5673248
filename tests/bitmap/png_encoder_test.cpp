// The PNG encoder: indexed with the fewest bits where the colours fit, 32-bit where not, and always read back
// pixel for pixel as drawn (undrawn pixels transparent black) by libpng and, where the build has it, by Qt.
#include "bitmap/png_encoder.h"

#include <gtest/gtest.h>
#include <png.h>

#ifdef QUIRLWERK_TEST_WITH_QT
#include <QImage>
#endif

#include <algorithm>
#include <cstdint>
#include <random>
#include <iterator>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

using namespace quirlwerk::bitmap;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Where a generated picture leaves pixels undrawn.
enum class Undrawn {
    none,
    rowsNeverReached,   // every third row has no memory at all
    rowTails,           // rows drawn only partway, some not from their start
    lastPixel,          // one pixel of the whole picture
    everything,         // no row ever reached
};

// `colours` opaque colours, each used at least once where the drawn pixels allow; `spread` and `quadratic` set
// how the colours lie: evenly spaced ones never share a slot of the colour lookup, the quadratic term makes
// them collide.
PictureSurface makePicture(int width, int height, int colours, Undrawn undrawn, std::uint32_t spread = 0x010203,
                           std::uint32_t quadratic = 0)
{
    PictureSurface picture;
    picture.begin(width, height);
    int next = 0;
    for (int y = 0; y < height; ++y) {
        if ((undrawn == Undrawn::rowsNeverReached && y % 3 == 1) || undrawn == Undrawn::everything)
            continue;
        const int drawn = undrawn == Undrawn::rowTails && y % 2 == 0 ? width / 2
                          : undrawn == Undrawn::lastPixel && y == height - 1 ? width - 1
                                                                                  : width;
        // Some of the rows drawn partway start undrawn too, as a frame placed right of the screen's edge.
        const int first = undrawn == Undrawn::rowTails && y % 4 == 0 ? std::min(1, drawn) : 0;
        Colour* row = picture.row(y);
        for (int x = first; x < drawn; ++x) {
            // Short runs of one colour, as pictures have them.
            const Colour k = Colour(next / 2 % colours);
            row[x] = 0xFF000000u | ((k * spread + k * k * quadratic) & 0xFFFFFF);
            ++next;
        }
        picture.rowDrawn(y, drawn);
    }
    return picture;
}

Bytes encode(const PictureSurface& picture, PngPixels pixels = PngPixels::fewest, std::span<const Colour> order = {})
{
    Bytes bytes;
    encodePng(picture, [&bytes](const std::uint8_t* data, std::size_t size) { bytes.insert(bytes.end(), data, data + size); },
              order, pixels);
    return bytes;
}

struct Layout {
    int colourType = -1;
    int bitDepth = 0;
    std::size_t paletteEntries = 0;
    Bytes transparency;   // the tRNS chunk's data
    std::vector<Colour> palette = {};
};

std::uint32_t bigEndian(const Bytes& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 | std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

// The header and the palette chunks, read literally from the bytes.
Layout layoutOf(const Bytes& png)
{
    Layout layout;
    for (std::size_t at = 8; at + 8 <= png.size();) {
        const std::size_t length = bigEndian(png, at);
        const std::string type(png.begin() + std::ptrdiff_t(at) + 4, png.begin() + std::ptrdiff_t(at) + 8);
        const auto data = png.begin() + std::ptrdiff_t(at) + 8;
        if (type == "IHDR") {
            layout.bitDepth = data[8];
            layout.colourType = data[9];
        } else if (type == "PLTE") {
            layout.paletteEntries = length / 3;
            for (std::size_t i = 0; i + 2 < length; i += 3)
                layout.palette.push_back(0xFF000000u | Colour(data[std::ptrdiff_t(i)]) << 16 |
                                         Colour(data[std::ptrdiff_t(i + 1)]) << 8 | data[std::ptrdiff_t(i + 2)]);
        } else if (type == "tRNS") {
            layout.transparency.assign(data, data + std::ptrdiff_t(length));
        }
        at += length + 12;
    }
    return layout;
}

// Every pixel of the picture, undrawn ones 0.
std::vector<Colour> pixelsOf(const PictureSurface& picture)
{
    std::vector<Colour> pixels;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            pixels.push_back(picture.drawnRow(y) ? picture.drawnRow(y)[x] : 0);
    return pixels;
}

std::vector<Colour> readWithLibpng(const Bytes& png)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<Colour> pixels;
    if (png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        image.format = PNG_FORMAT_ARGB;
        std::vector<std::uint8_t> argb(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, argb.data(), 0, nullptr))
            for (std::size_t i = 0; i + 3 < argb.size(); i += 4)
                pixels.push_back(Colour(argb[i]) << 24 | Colour(argb[i + 1]) << 16 | Colour(argb[i + 2]) << 8 | argb[i + 3]);
    }
    png_image_free(&image);
    return pixels;
}

#ifdef QUIRLWERK_TEST_WITH_QT
std::vector<Colour> readWithQt(const Bytes& png)
{
    const QImage image = QImage::fromData(png.data(), int(png.size()), "PNG").convertToFormat(QImage::Format_ARGB32);
    std::vector<Colour> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(image.pixel(x, y));
    return pixels;
}
#endif

std::size_t drawnColours(const PictureSurface& picture)
{
    std::set<Colour> colours;
    for (const Colour colour : pixelsOf(picture))
        if (colour != 0)
            colours.insert(colour);
    return colours.size();
}

// What the file should be, from a literal count of the picture's colours: indexed with the fewest bits that
// hold them (plus one entry for undrawn pixels), 32-bit past 256 entries or with a colour neither opaque nor 0.
Layout expectedLayout(const PictureSurface& picture)
{
    std::set<Colour> drawn;
    bool undrawn = false, translucent = false;
    for (const Colour colour : pixelsOf(picture)) {
        if (colour == 0)
            undrawn = true;
        else if (colour >> 24 != 0xFF)
            translucent = true;
        else
            drawn.insert(colour);
    }
    const std::size_t entries = drawn.size() + (undrawn ? 1 : 0);
    if (entries > 256 || translucent)
        return {picture.complete() ? 2 : 6, 8, 0, {}};
    const int depth = entries <= 2 ? 1 : entries <= 4 ? 2 : entries <= 16 ? 4 : 8;
    return {3, depth, entries, undrawn ? Bytes{0} : Bytes{}};
}

void expectWrittenExactly(const PictureSurface& picture, std::span<const Colour> order = {})
{
    const Bytes png = encode(picture, PngPixels::fewest, order);
    const Layout expected = expectedLayout(picture);
    const Layout layout = layoutOf(png);
    EXPECT_EQ(layout.colourType, expected.colourType);
    EXPECT_EQ(layout.bitDepth, expected.bitDepth);
    EXPECT_EQ(layout.paletteEntries, expected.paletteEntries);
    EXPECT_EQ(layout.transparency, expected.transparency);
    const std::vector<Colour> pixels = pixelsOf(picture);
    EXPECT_TRUE(readWithLibpng(png) == pixels) << "libpng reads other pixels";
#ifdef QUIRLWERK_TEST_WITH_QT
    EXPECT_TRUE(readWithQt(png) == pixels) << "Qt reads other pixels";
#endif
}

struct Case {
    const char* name;
    int width;
    int height;
    int colours;
    Undrawn undrawn;
};

// At, below and past each palette size the encoder encodes: 2, 4, 16 and 256 entries, one of them taken by
// undrawn pixels where there are any; widths that leave a byte partly filled at 1, 2 and 4 bits.
const Case limits[] = {
    {"one colour", 9, 3, 1, Undrawn::none},
    {"one colour plus undrawn", 9, 3, 1, Undrawn::rowsNeverReached},
    {"nothing drawn at all", 5, 4, 0, Undrawn::everything},
    {"two colours, 1 bit", 7, 4, 2, Undrawn::none},
    {"two colours plus undrawn, 2 bits", 7, 4, 2, Undrawn::rowTails},
    {"three colours plus undrawn, 2 bits", 5, 6, 3, Undrawn::rowsNeverReached},
    {"four colours plus undrawn, 4 bits", 5, 6, 4, Undrawn::rowTails},
    {"five colours, 4 bits", 3, 9, 5, Undrawn::none},
    {"fifteen colours plus undrawn, 4 bits", 11, 12, 15, Undrawn::rowsNeverReached},
    {"sixteen colours, 4 bits", 11, 12, 16, Undrawn::none},
    {"sixteen colours plus undrawn, 8 bits", 11, 12, 16, Undrawn::rowTails},
    {"seventeen colours, 8 bits", 11, 12, 17, Undrawn::none},
    {"255 colours plus undrawn, 8 bits", 40, 40, 255, Undrawn::rowsNeverReached},
    {"exactly 256 colours, 8 bits", 32, 16, 256, Undrawn::none},
    {"256 colours plus undrawn, 32-bit", 40, 40, 256, Undrawn::rowTails},
    {"256 colours plus a single undrawn pixel, 32-bit", 32, 17, 256, Undrawn::lastPixel},
    {"257 colours, 32-bit", 33, 16, 257, Undrawn::none},
    {"1 x 1", 1, 1, 1, Undrawn::none},
};

} // namespace

TEST(PngEncoder, writes_the_fewest_bits_at_every_palette_limit_and_reads_back_exactly)
{
    for (const Case& c : limits) {
        SCOPED_TRACE(c.name);
        const PictureSurface picture = makePicture(c.width, c.height, c.colours, c.undrawn);
        ASSERT_EQ(drawnColours(picture), std::size_t(c.colours));
        expectWrittenExactly(picture);
    }
}

TEST(PngEncoder, generated_pictures_of_every_size_and_colour_count_read_back_exactly)
{
    std::mt19937 random(20261207);
    const Undrawn kinds[] = {Undrawn::none, Undrawn::rowsNeverReached, Undrawn::rowTails, Undrawn::lastPixel, Undrawn::everything};
    for (int i = 0; i < 120; ++i) {
        const int width = 1 + int(random() % 40);
        const int height = 1 + int(random() % 30);
        const int colours = 1 + int(random() % 300);
        const Undrawn undrawn = kinds[random() % 5];
        // Spreads from neighbouring colours to colours that differ in the top bits only.
        const std::uint32_t spread = random() % 3 == 0 ? 0x10000 : (random() | 1) & 0xFFFFFF;
        const std::uint32_t quadratic = random() % 2 ? random() : 0;
        SCOPED_TRACE(testing::Message() << width << " x " << height << ", " << colours << " colours, kind "
                                        << int(undrawn) << ", spread " << spread << ", quadratic " << quadratic);
        const PictureSurface picture = makePicture(width, height, colours, undrawn, spread, quadratic);
        // A colour table in another order: every other colour of the picture, some twice, some never drawn.
        std::vector<Colour> order;
        for (const Colour colour : pixelsOf(picture))
            if (colour != 0 && random() % 2 == 0)
                order.push_back(random() % 4 == 0 ? 0xFF000000u | Colour(random()) : colour);
        expectWrittenExactly(picture, random() % 2 ? std::span<const Colour>(order) : std::span<const Colour>());
    }
}

// Drawn colours are opaque; one that is not still leaves the palette, which could not keep it.
TEST(PngEncoder, the_palette_follows_the_colour_order_then_the_colours_first_met)
{
    PictureSurface picture;
    picture.begin(6, 2);
    const Colour drawn[] = {0xFF000005u, 0xFF000001u, 0xFF000009u, 0xFF000003u, 0xFF000001u, 0xFF000007u};
    std::copy(std::begin(drawn), std::end(drawn), picture.row(0));
    picture.rowDrawn(0, 6);
    // Listed twice (twins), listed but not drawn, and 5 and 7 not listed at all.
    const std::vector<Colour> order = {0xFF000003u, 0xFF000008u, 0xFF000001u, 0xFF000003u, 0xFF000009u};
    const Bytes png = encode(picture, PngPixels::fewest, order);
    EXPECT_EQ(layoutOf(png).palette,
              (std::vector<Colour>{0xFF000000u, 0xFF000003u, 0xFF000001u, 0xFF000009u, 0xFF000005u, 0xFF000007u}));
    EXPECT_TRUE(readWithLibpng(png) == pixelsOf(picture));
}

TEST(PngEncoder, the_order_of_a_colour_table_is_its_drawing_colours)
{
    PictureModel model;
    model.FarbTabelle[0] = {1, 2, 3, 0};
    model.FarbTabelle[255] = {300, -4, 255, 0};   // edited past the limits: drawn at the nearer one
    const std::vector<Colour> order = tableOrder(model);
    ASSERT_EQ(order.size(), 256u);
    EXPECT_EQ(order[0], 0xFF010203u);
    EXPECT_EQ(order[1], 0xFF000000u);
    EXPECT_EQ(order[255], 0xFFFF00FFu);
}

TEST(PngEncoder, a_colour_that_is_not_opaque_keeps_its_alpha_in_32_bit)
{
    PictureSurface picture = makePicture(6, 2, 3, Undrawn::rowTails);
    picture.row(1)[4] = 0x80123456u;
    expectWrittenExactly(picture);
    EXPECT_EQ(layoutOf(encode(picture)).colourType, 6);
}

TEST(PngEncoder, the_full_encoding_stays_32_bit_and_equal)
{
    for (const Undrawn undrawn : {Undrawn::none, Undrawn::rowsNeverReached}) {
        const PictureSurface picture = makePicture(10, 9, 4, undrawn);
        const Bytes png = encode(picture, PngPixels::full);
        EXPECT_EQ(layoutOf(png).colourType, undrawn == Undrawn::none ? 2 : 6);
        EXPECT_TRUE(readWithLibpng(png) == pixelsOf(picture));
    }
}

TEST(PngEncoder, a_failing_output_stops_the_encoder_with_its_own_error)
{
    for (const int colours : {3, 300}) {
        const PictureSurface picture = makePicture(20, 20, colours, Undrawn::none);
        EXPECT_THROW(encodePng(picture, [](const std::uint8_t*, std::size_t) { throw std::length_error("full"); }),
                     std::length_error)
            << colours;
    }
}
