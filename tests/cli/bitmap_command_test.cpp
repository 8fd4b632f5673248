// quirlwerk-cli bitmap end to end: information line, palette lines, PNG output, messages and exit codes.
#include "bitmap/bmp_writer.h"
#include "cli/run_cli.h"
#include "palette/picture_writer.h"

#include <gtest/gtest.h>

#include <png.h>

#include <filesystem>
#include <sstream>

#include <sys/stat.h>

using namespace quirlwerk::bitmap::testing;
using quirlwerk::cli::testing::runCli;

namespace {

BmpLayout smallPicture()
{
    BmpLayout layout = greyPicture(5, 2, {{37, 37, 1, 2, 3}, {4, 4, 4, 4, 4}});
    layout.palette[37] = {16, 37, 65};
    return layout;
}

// The PNG's pixels as R, G, B, A bytes, row by row from the top; empty if it is not that size.
std::vector<std::uint8_t> rgbaPixels(const std::string& file, unsigned width, unsigned height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<std::uint8_t> pixels;
    if (png_image_begin_read_from_file(&image, file.c_str()) && image.width == width && image.height == height) {
        image.format = PNG_FORMAT_RGBA;
        pixels.resize(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
            pixels.clear();
    }
    png_image_free(&image);
    return pixels;
}

} // namespace

TEST(BitmapCommand, prints_the_information_line_and_the_palette_and_writes_the_png)
{
    TempFolder folder;
    const std::string file = folder.write("p.bmp", bmpBytes(smallPicture())).string();
    const auto run = runCli({"bitmap", file, "--palette", "--modulo", "17", "--modulo-on", "colours", "--png",
                             folder.path("p.png").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    std::vector<std::string> out;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    ASSERT_EQ(out.size(), 257u);
    EXPECT_EQ(out[0], "Offset Data: 1078 Bytes    B*H: 5*2 Pixel BottumUp    Farbtiefe: 8bit    "
                      "Komprimierung: 0-keine    Anzahl Farben: 256/5");
    EXPECT_EQ(out[1], "0 0 0 0 0");
    EXPECT_EQ(out[1 + 20], "20 3 3 3 0");
    EXPECT_EQ(out[1 + 37], "37 16 3 14 2");   // modulo 17 on the colours
    EXPECT_EQ(out[256], "255 0 0 0 0");
    const std::vector<std::uint8_t> png = rgbaPixels(folder.path("p.png").string(), 5, 2);
    ASSERT_EQ(png.size(), 40u);
    // The bottom row begins with index 37, modulo 17 on its colours.
    EXPECT_EQ(std::vector(png.begin() + 20, png.begin() + 28), (std::vector<std::uint8_t>{16, 3, 14, 255, 16, 3, 14, 255}));
}

TEST(BitmapCommand, png_holds_the_drawn_pixels_and_leaves_rows_never_reached_transparent)
{
    TempFolder folder;
    std::vector<std::uint8_t> bytes = bmpBytes(greyPicture(3, 3, {{10, 20, 30}, {40}}));
    bytes.resize(bytes.size() - 3);   // the file ends after the first pixel of the second stored row
    const std::string file = folder.write("cut.bmp", bytes).string();
    const auto run = runCli({"bitmap", file, "--png", folder.path("cut.png").string()});
    EXPECT_EQ(run.exitCode, 0);
    const std::uint8_t o = 0;
    const std::vector<std::uint8_t> expected = {
        o, o, o, o, o, o, o, o, o, o, o, o,                    // top row: never reached
        40, 40, 40, 255, o, o, o, o, o, o, o, o,               // cut short
        10, 10, 10, 255, 20, 20, 20, 255, 30, 30, 30, 255,     // the first stored row, at the bottom
    };
    EXPECT_EQ(rgbaPixels(folder.path("cut.png").string(), 3, 3), expected);
}

// The PNG goes to the file as it is encoded; past a file-size limit the old PNG stays and the run says why.
TEST(BitmapCommand, a_png_that_cannot_be_written_whole_leaves_the_old_one)
{
    TempFolder folder;
    std::vector<std::vector<std::uint8_t>> rows(128, std::vector<std::uint8_t>(128));
    std::uint32_t noise = 1;
    for (auto& row : rows)
        for (std::uint8_t& pixel : row)
            pixel = static_cast<std::uint8_t>((noise = noise * 1103515245u + 12345u) >> 24);
    const std::string file = folder.write("noise.bmp", bmpBytes(greyPicture(128, 128, rows))).string();
    const std::string png = folder.write("noise.png", "old").string();
    const auto run = runCli({"bitmap", file, "--png", png}, {}, 4096);   // the picture needs far more
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "critical: Die PNG-Datei ''" + png + "'' konnte nicht geschrieben werden: Datenträger voll\n");
    EXPECT_EQ(folder.read("noise.png"), "old");
    EXPECT_EQ(folder.files(), (std::set<std::string>{"noise.bmp", "noise.png"}));
}

TEST(BitmapCommand, messages_end_the_run_with_status_1_and_usage_errors_with_2)
{
    TempFolder folder;
    BmpLayout deep = smallPicture();
    deep.bitCount = 24;
    const std::string deepFile = folder.write("deep.bmp", bmpBytes(deep)).string();
    const std::string missing = folder.path("nix.bmp").string();
    const std::string file = folder.write("p.bmp", bmpBytes(smallPicture())).string();
    const std::string pipe = folder.path("pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        int exitCode;
        std::string out;
        std::string err;   // empty: a usage text
    };
    const Row rows[] = {
        {"missing file", {"bitmap", missing}, 1, "\n",
         "exclamation: Die Bitmapdatei ''" + missing + "'' existiert nicht!\n"},
        {"24-bit file, no PNG written", {"bitmap", deepFile, "--png", folder.path("deep.png").string()}, 1,
         "Offset Data: 1078 Bytes    B*H: 5*2 Pixel BottumUp    Farbtiefe: 24bit    Komprimierung: 0-keine\n",
         "exclamation: Die Farbtiefe muss 8 Bit (256 Farben) betragen!\n"},
        {"pipe as PNG", {"bitmap", file, "--png", pipe}, 1,
         "Offset Data: 1078 Bytes    B*H: 5*2 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 0-keine    "
         "Anzahl Farben: 256/5\n",
         "exclamation: Die PNG-Datei ''" + pipe +
             "'' ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein Socket) und wird nicht "
             "überschrieben!\n"},
        {"no file", {"bitmap"}, 2, "", ""},
        {"modulo too long", {"bitmap", "a.bmp", "--modulo", "1234"}, 2, "", ""},
        {"unknown target", {"bitmap", "a.bmp", "--modulo-on", "farben"}, 2, "", ""},
        {"missing value", {"bitmap", "a.bmp", "--threshold"}, 2, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_EQ(run.out, row.out);
        if (row.err.empty())
            EXPECT_NE(run.err, "");
        else
            EXPECT_EQ(run.err, row.err);
    }
    EXPECT_EQ(folder.files(), (std::set<std::string>{"deep.bmp", "p.bmp", "pipe"}));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

TEST(BitmapCommand, lists_the_twin_groups_and_reveals_them_before_the_palette)
{
    TempFolder folder;
    BmpLayout layout = smallPicture();
    layout.palette[1] = layout.palette[2] = layout.palette[3] = {9, 9, 9};
    layout.palette[200] = layout.palette[4];   // unused, so no twin of entry 4
    const std::string file = folder.write("t.bmp", bmpBytes(layout)).string();

    const auto twins = runCli({"bitmap", file, "--twins"});
    EXPECT_EQ(twins.exitCode, 0);
    EXPECT_EQ(twins.out, "Offset Data: 1078 Bytes    B*H: 5*2 Pixel BottumUp    Farbtiefe: 8bit    "
                         "Komprimierung: 0-keine    Anzahl Farben: 256/5\n1 2 3: 9 9 9\n");

    const auto revealed = runCli({"bitmap", file, "--reveal", "--twins", "--palette", "--png", folder.path("t.png").string()});
    EXPECT_EQ(revealed.exitCode, 0);
    EXPECT_EQ(revealed.err, "");
    // The groups are those of the file; the palette shows the later twins in the sequence's first colours.
    EXPECT_NE(revealed.out.find("\n1 2 3: 9 9 9\n0 0 0 0 0\n1 9 9 9 1\n2 230 25 75 1\n3 60 180 75 1\n4 4 4 4 5\n"),
              std::string::npos);
    // Five colours: an indexed PNG (colour type 3).
    EXPECT_EQ(folder.read("t.png").substr(0, 8), "\x89PNG\r\n\x1A\n");
    EXPECT_EQ(folder.read("t.png")[25], 3);

    // A damaged PNG is reported once, not again by the redraw that reveals its twins.
    namespace pt = quirlwerk::palette::testing;
    std::vector<quirlwerk::palette::Rgb> table = pt::rampTable(4);
    table[2] = table[1];
    pt::Bytes damaged = pt::pngBytes({pt::patternRows(64, 64, 4), table});
    damaged.resize(damaged.size() - 40);
    const std::string damagedFile = folder.write("damaged.png", damaged).string();
    const auto once = runCli({"bitmap", damagedFile, "--reveal", "--png", folder.path("d.png").string()});
    EXPECT_EQ(once.exitCode, 0);
    const auto first = once.err.find("beschädigt");
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(once.err.find("beschädigt", first + 1), std::string::npos) << once.err;
}
