// The PNG encoder: indexed with the fewest bits where the colours fit, 32-bit where not, and read back pixel for
// pixel as drawn (undrawn pixels transparent black) by libpng. libpng reading its own file cannot see which
// layout was chosen nor the palette's order: the header and the palette are read literally for those.
#include "bitmap/png_encoder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <bit>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

using namespace quirlwerk::bitmap;

namespace {

// Where a generated picture leaves pixels undrawn: nowhere, every third row never reached, rows drawn only
// partway (some not from their start, as a frame right of the screen's edge), the last pixel, everything.
enum class Undrawn { none, rowsNeverReached, rowTails, lastPixel, everything };

// `colours` opaque colours in runs of two; an odd `spread` keeps them apart, `quadratic` makes their lookup
// slots collide. `pixels` receives every pixel, undrawn ones 0.
PictureSurface makePicture(int width, int height, int colours, Undrawn undrawn, std::vector<Colour>& pixels,
                           Colour spread, Colour quadratic)
{
    PictureSurface picture;
    pixels.assign(std::size_t(width) * std::size_t(height), 0);
    picture.begin(width, height);
    for (int y = 0, next = 0; y < height; ++y) {
        if ((undrawn == Undrawn::rowsNeverReached && y % 3 == 1) || undrawn == Undrawn::everything)
            continue;
        const int drawn = undrawn == Undrawn::rowTails && y % 2 == 0 ? width / 2
                          : width - (undrawn == Undrawn::lastPixel && y == height - 1 ? 1 : 0);
        Colour* row = picture.row(y);
        for (int x = undrawn == Undrawn::rowTails && y % 4 == 0 ? std::min(1, drawn) : 0; x < drawn; ++x, ++next)
            pixels[std::size_t(y * width + x)] = row[x] =
                0xFF000000u | (Colour(next / 2 % colours) * (spread + Colour(next / 2 % colours) * quadratic) & 0xFFFFFF);
        picture.rowDrawn(y, drawn);
    }
    return picture;
}

// The header and the palette chunks, read literally: "colour type/depth PLTE r g b ... tRNS alpha ...".
std::string layoutOf(const std::vector<std::uint8_t>& png)
{
    std::string layout = std::to_string(png.at(25)) + "/" + std::to_string(png.at(24));   // IHDR comes first
    for (std::size_t at = 8; at + 8 <= png.size();) {
        const std::size_t length = std::size_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        const std::string type(png.begin() + std::ptrdiff_t(at + 4), png.begin() + std::ptrdiff_t(at + 8));
        for (std::size_t i = 0; (type == "PLTE" || type == "tRNS") && i < length; ++i)
            layout.append(i == 0 ? " " + type : "").append(" ").append(std::to_string(png[at + 8 + i]));
        at += length + 12;
    }
    return layout;
}

// What the file should be, from a literal count of the picture's colours: indexed with the fewest bits that
// hold them plus one transparent entry for undrawn pixels, the order's colours first, then the others as first
// met; 32-bit (RGB where all is drawn) past 256 entries, with a colour neither opaque nor 0, or when asked.
std::string expectedLayout(const std::vector<Colour>& pixels, bool complete, std::span<const Colour> order, PngPixels mode)
{
    std::set<Colour> drawn(pixels.begin(), pixels.end());
    const bool undrawn = drawn.erase(0) > 0;
    const std::size_t entries = drawn.size() + (undrawn ? 1 : 0);
    if (mode == PngPixels::full || entries > 256 || std::any_of(drawn.begin(), drawn.end(), [](Colour c) { return c >> 24 != 0xFF; }))
        return complete ? "2/8" : "6/8";
    std::string layout = entries <= 2 ? "3/1" : entries <= 4 ? "3/2" : entries <= 16 ? "3/4" : "3/8";
    layout += undrawn ? " PLTE 0 0 0" : " PLTE";
    for (const std::span<const Colour> source : {order, std::span<const Colour>(pixels)})
        for (const Colour colour : source)
            if (drawn.erase(colour))
                for (const int shift : {16, 8, 0})
                    layout.append(" ").append(std::to_string(colour >> shift & 0xFF));
    return layout + (undrawn ? " tRNS 0" : "");
}

std::vector<Colour> readWithLibpng(const std::vector<std::uint8_t>& png)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<Colour> pixels;
    if (png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        image.format = std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;   // as a Colour lies
        pixels.resize(std::size_t(image.width) * image.height);
        if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
            pixels.clear();
    }
    png_image_free(&image);
    return pixels;
}

} // namespace

TEST(PngEncoder, pictures_at_every_palette_limit_and_partly_filled_byte_read_back_exactly)
{
    // At, below and past each palette size (2, 4, 16, 256 entries, one of them taken by undrawn pixels where
    // there are any), each with every kind of undrawn; then random counts, spreads and colliding lookups.
    const int limits[] = {1, 2, 3, 4, 5, 15, 16, 17, 255, 256, 257};
    // Eleven widths against five kinds, so each count meets several; all but 8 leave a byte partly filled.
    const int widths[] = {7, 1, 3, 2, 5, 9, 6, 11, 8, 13, 33};
    std::mt19937 random(20261207);
    for (int i = 0; i <= 200; ++i) {
        // The last picture fills a whole huge-page block of the surface and begins a second one.
        const bool limit = i < 55, huge = i == 200;
        const int colours = limit ? limits[i / 5] : 1 + int(random() % 300);
        const int width = huge ? 1024 : limit ? widths[i % 11] : 1 + int(random() % 40);
        const Colour spread = limit ? 0x010203 : random() % 3 == 0 ? 0x10000 : (random() | 1) & 0xFFFFFF;
        const Colour quadratic = limit || random() % 2 ? 0 : Colour(random());
        std::vector<Colour> pixels;
        PictureSurface picture = makePicture(width, huge ? 1025 : limit ? 1 + 8 * colours / width : 1 + int(random() % 30), colours,
                                             Undrawn(i % 5), pixels, spread, quadratic);
        SCOPED_TRACE(testing::Message() << "picture " << i << ", " << width << " wide, " << colours << " colours");
        if (!limit && Undrawn(i % 5) == Undrawn::rowsNeverReached && !picture.complete() && random() % 2)
            picture.row(0)[0] = pixels[0] = 0x80123456u;   // drawn colours are opaque; one that is not leaves the palette
        ASSERT_TRUE(!limit || Undrawn(i % 5) == Undrawn::everything ||
                    std::set<Colour>(pixels.begin(), pixels.end()).size() == std::size_t(colours) + (i % 5 ? 1 : 0)) << "limit missed";
        // Every other picture with a colour order: twins, colours never drawn, and drawn ones it lacks.
        std::vector<Colour> order;
        for (const Colour colour : pixels)
            if (i % 2 && colour != 0 && random() % 2 == 0)
                order.push_back(random() % 4 == 0 ? 0xFF000000u | Colour(random()) : colour);
        for (const PngPixels mode : {PngPixels::fewest, PngPixels::full}) {
            std::vector<std::uint8_t> png;
            encodePng(picture, [&png](const std::uint8_t* data, std::size_t size) { png.insert(png.end(), data, data + size); },
                      order, mode);
            EXPECT_EQ(layoutOf(png), expectedLayout(pixels, picture.complete(), order, mode));
            EXPECT_TRUE(readWithLibpng(png) == pixels) << "libpng reads other pixels";
            std::size_t left = png.size() / 2;   // an output failing halfway through: its own error stops the encoder
            const auto failing = [&left](const std::uint8_t*, std::size_t n) { left = n < left ? left - n : throw std::length_error("full"); };
            EXPECT_THROW(encodePng(picture, failing, order, mode), std::length_error);
        }
    }
}

TEST(PngEncoder, the_order_of_a_colour_table_is_its_drawing_colours)
{
    PictureModel model;
    model.FarbTabelle[0] = {1, 2, 3, 0};
    model.FarbTabelle[255] = {300, -4, 255, 0};   // edited past the limits: drawn at the nearer one
    std::vector<Colour> expected(256, 0xFF000000u);
    expected.front() = 0xFF010203u;
    expected.back() = 0xFFFF00FFu;
    EXPECT_EQ(tableOrder(model), expected);
}
