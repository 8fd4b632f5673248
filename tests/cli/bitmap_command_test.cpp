// quirlwerk-cli bitmap end to end: information line, palette lines, PNG output, messages and exit codes.
#include "bitmap/bmp_writer.h"
#include "cli/run_cli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

using namespace quirlwerk::bitmap::testing;
using quirlwerk::cli::testing::runCli;

namespace {

BmpLayout smallPicture()
{
    BmpLayout layout = greyPicture(5, 2, {{37, 37, 1, 2, 3}, {4, 4, 4, 4, 4}});
    layout.palette[37] = {16, 37, 65};
    return layout;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::uint32_t bigEndian(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

TEST(BitmapCommand, prints_the_information_line_and_the_palette)
{
    TempFolder folder;
    const std::string file = folder.write("p.bmp", bmpBytes(smallPicture())).string();
    const auto run = runCli({"bitmap", file, "--palette", "--modulo", "17", "--modulo-on", "colours"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 257u);
    EXPECT_EQ(out[0], "Offset Data: 1078 Bytes    B*H: 5*2 Pixel BottumUp    Farbtiefe: 8bit    "
                      "Komprimierung: 0-keine    Anzahl Farben: 256/5");
    EXPECT_EQ(out[1], "0 0 0 0 0");
    EXPECT_EQ(out[1 + 20], "20 3 3 3 0");
    EXPECT_EQ(out[1 + 37], "37 16 3 14 2");   // modulo 17 on the colours
    EXPECT_EQ(out[256], "255 0 0 0 0");
}

TEST(BitmapCommand, writes_the_drawn_picture_as_png)
{
    TempFolder folder;
    const std::string file = folder.write("p.bmp", bmpBytes(smallPicture())).string();
    const std::string png = (folder.path() / "p.png").string();
    const auto run = runCli({"bitmap", file, "--png", png});
    EXPECT_EQ(run.exitCode, 0);
    std::ifstream in(png, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(bigEndian(bytes, 16), 5u);   // IHDR width and height
    EXPECT_EQ(bigEndian(bytes, 20), 2u);
}

TEST(BitmapCommand, messages_end_the_run_with_status_1)
{
    TempFolder folder;
    BmpLayout deep = smallPicture();
    deep.bitCount = 24;
    const std::string deepFile = folder.write("deep.bmp", bmpBytes(deep)).string();
    const std::string missing = (folder.path() / "nix.bmp").string();
    const std::string png = (folder.path() / "deep.png").string();
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        std::string out;
        std::string err;
    };
    const Row rows[] = {
        {"missing file", {"bitmap", missing}, "\n",
         "exclamation: Die Bitmapdatei ''" + missing + "'' existiert nicht!\n"},
        {"24-bit file, no PNG written", {"bitmap", deepFile, "--png", png},
         "Offset Data: 1078 Bytes    B*H: 5*2 Pixel BottumUp    Farbtiefe: 24bit    Komprimierung: 0-keine\n",
         "exclamation: Die Farbtiefe muss 8 Bit (256 Farben) betragen!\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST(BitmapCommand, usage_errors_exit_with_2)
{
    const std::vector<std::vector<std::string>> calls = {
        {"bitmap"},
        {"bitmap", "a.bmp", "--modulo", "1234"},
        {"bitmap", "a.bmp", "--modulo-on", "farben"},
        {"bitmap", "a.bmp", "--threshold"},
        {"bitmap", "a.bmp", "--unknown", "x"},
    };
    for (const auto& call : calls) {
        SCOPED_TRACE(call.back());
        EXPECT_EQ(runCli(call).exitCode, 2);
    }
}
