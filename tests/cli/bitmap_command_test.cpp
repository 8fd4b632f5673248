// quirlwerk-cli bitmap: options reach the picture run, lines reach stdout, the PNG goes through the save rules
// and the writer. The picture results belong to the core's tests.
#include "bitmap/bmp_writer.h"
#include "cli/run_cli.h"
#include "palette/picture_writer.h"

using namespace quirlwerk::bitmap::testing;
using quirlwerk::cli::testing::runCli;

namespace {

// Entries 1 to 3 are twins; entry 37 holds the first pixels.
BmpLayout smallPicture()
{
    BmpLayout layout = greyPicture(5, 2, {{37, 37, 1, 2, 3}, {4, 4, 4, 4, 4}});
    layout.palette[37] = {16, 37, 65};
    layout.palette[1] = layout.palette[2] = layout.palette[3] = {20, 20, 20};
    return layout;
}

} // namespace

TEST(BitmapCommand, options_reach_the_run_and_its_lines_reach_stdout)
{
    TempFolder folder;
    const std::string file = folder.write("p.bmp", bmpBytes(smallPicture())).string();
    const std::string png = folder.path("p.png").string();
    const std::string info = "Offset Data: 1078 Bytes    B*H: 5*2 Pixel BottumUp    Farbtiefe: 8bit    "
                             "Komprimierung: 0-keine    Anzahl Farben: 256/5\n";
    struct Row {
        std::vector<std::string> options;
        std::string out;
    };
    const Row rows[] = {
        {{}, info},
        {{"--twins"}, info + "1 2 3: 20 20 20\n"},
        {{"--palette", "--modulo", "17", "--modulo-on", "colours"}, info + "0 0 0 0 0\n1 3 3 3 1\n"},
        {{"--palette", "--threshold", "2", "--threshold-on", "index"}, info + "0 0 0 0 0\n1 0 0 0 1\n2 255 255 255 1\n"},
        {{"--reveal", "--twins", "--palette", "--png", png}, info + "1 2 3: 20 20 20\n0 0 0 0 0\n1 20 20 20 1\n2 230 25 75 1\n"},
    };
    for (const auto& [options, out] : rows) {
        std::vector<std::string> call{"bitmap", file};
        call.insert(call.end(), options.begin(), options.end());
        SCOPED_TRACE(out);
        const auto run = runCli(call);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.substr(0, out.size()), out);
        const auto has = [&](const char* option) { return std::count(options.begin(), options.end(), option); };
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1 + has("--twins") + 256 * has("--palette"));
    }
    EXPECT_EQ(folder.read("p.png").substr(0, 8), "\x89PNG\r\n\x1A\n");
}

// The PNG goes through the save rules and the writer: a pipe is refused, a write past the file-size limit keeps
// the old file; a picture the run refused writes none. Usage errors exit with 2.
TEST(BitmapCommand, png_and_message_failures_exit_with_1_and_usage_errors_with_2)
{
    TempFolder folder;
    std::vector<std::vector<std::uint8_t>> noise(128, std::vector<std::uint8_t>(128));
    std::uint32_t seed = 1;
    for (auto& row : noise)
        for (std::uint8_t& pixel : row)
            pixel = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
    const std::string file = folder.write("noise.bmp", bmpBytes(greyPicture(128, 128, noise))).string();
    BmpLayout deep = smallPicture();
    deep.bitCount = 24;
    const std::string deepFile = folder.write("deep.bmp", bmpBytes(deep)).string();
    const std::string old = folder.write("old.png", "old").string();
    ASSERT_EQ(mkfifo(folder.path("pipe").c_str(), 0644), 0);
    const std::tuple<std::vector<std::string>, int, std::string> rows[] = {
        {{"bitmap", file, "--png", old}, 1, "critical: Die PNG-Datei ''" + old + "'' konnte nicht geschrieben werden: Datenträger voll\n"},
        {{"bitmap", file, "--png", folder.path("pipe").string()}, 1, "exclamation: Die PNG-Datei ''" + folder.path("pipe").string()},
        {{"bitmap", deepFile, "--png", folder.path("deep.png").string()}, 1, "exclamation: Die Farbtiefe muss 8 Bit"},
        {{"bitmap", folder.path("nix.bmp").string()}, 1, "exclamation: Die Bitmapdatei"},
        {{"bitmap"}, 2, "quirlwerk-cli: "},
        {{"bitmap", "a.bmp", "--modulo", "1234"}, 2, "quirlwerk-cli: "},
        {{"bitmap", "a.bmp", "--modulo-on", "farben"}, 2, "quirlwerk-cli: "},
        {{"bitmap", "a.bmp", "--threshold"}, 2, "quirlwerk-cli: "},
    };
    for (const auto& [call, exitCode, err] : rows) {
        SCOPED_TRACE(err);
        const auto run = runCli(call, "", 4096);   // the noise needs far more
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_EQ(run.err.substr(0, err.size()), err);
    }
    EXPECT_EQ(folder.read("old.png"), "old");
    EXPECT_EQ(folder.files(), (std::set<std::string>{"deep.bmp", "noise.bmp", "old.png", "pipe"}));
}

// A damaged file is reported by the full load, not again by the redraw that reveals its twins.
TEST(BitmapCommand, a_reveal_reports_a_damaged_file_once)
{
    TempFolder folder;
    namespace pt = quirlwerk::palette::testing;
    pt::Bytes damaged = pt::pngBytes({pt::patternRows(64, 64, 4), pt::rampTable(4)});
    damaged.resize(damaged.size() - 40);
    const auto run = runCli({"bitmap", folder.write("d.png", damaged).string(), "--reveal", "--png", folder.path("o.png").string()});
    EXPECT_EQ(run.exitCode, 0);
    const auto first = run.err.find("beschädigt");
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(run.err.find("beschädigt", first + 1), std::string::npos) << run.err;
}

// The rule is the core's; here only that the option calls it before --palette and --png.
TEST(BitmapCommand, twins_only_redraws_the_hidden_twins_white_before_the_palette_and_the_png)
{
    TempFolder folder;
    BmpLayout layout = greyPicture(4, 1, {{1, 1, 1, 2}});
    layout.palette[2] = layout.palette[1];
    const std::string file = folder.write("t.bmp", bmpBytes(layout)).string();
    const auto shown = runCli({"bitmap", file, "--twins-only", "--palette", "--png", folder.path("t.png").string()});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_NE(shown.out.find("\n1 0 0 0 3\n2 255 255 255 1\n3 0 0 0 0\n"), std::string::npos) << shown.out;
    EXPECT_EQ(folder.read("t.png").substr(0, 4), "\x89PNG");
}
