// Whole runs over generated files: information lines, messages, the pixel stream, transforms and counts.
#include "bitmap/zeichne_bitmap.h"

#include "bitmap/bmp_writer.h"
#include "palette/picture_writer.h"
#include "common/utf8.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quirlwerk;
using namespace quirlwerk::bitmap;
using namespace quirlwerk::bitmap::testing;

namespace {

constexpr Colour undrawn = 0;   // drawn colours are opaque, so 0 marks a pixel never drawn

// Keeps the picture, every message and the information line as last shown.
class RecordingSink : public PixelSink {
public:
    BitmapInputs given;
    std::vector<common::Message> messages;
    Text lastInfo;
    PictureSurface picture;
    int yields = 0;
    std::vector<bool> busy;
    int stopAfterYields = -1;   // answers the stop question as a closed window would

    void show(const common::Message& message) override { messages.push_back(message); }
    void yield() override { ++yields; }
    bool stopRequested() override { return stopAfterYields >= 0 && yields >= stopAfterYields; }
    BitmapInputs inputs() override { return given; }
    void showInfo(const Text& line) override { lastInfo = line; }
    void setBusy(bool on) override { busy.push_back(on); }
    PictureSurface* surface() override { return &picture; }

    Colour at(int x, int y) const
    {
        const Colour* row = picture.drawnRow(y);
        return row ? row[x] : undrawn;   // a row is transparent until drawn
    }
    std::vector<Colour> pixels() const
    {
        std::vector<Colour> all;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                all.push_back(at(x, y));
        return all;
    }
};

Colour grey(int value)
{
    return 0xFF000000u | Colour(value) << 16 | Colour(value) << 8 | Colour(value);
}

struct Outcome {
    BitmapResult result;
    RecordingSink sink;
};

class ZeichneBitmapTest : public ::testing::Test {
protected:
    TempFolder folder;
    PictureModel model;

    Outcome load(const std::vector<std::uint8_t>& bytes, BitmapInputs inputs = {}, DrawMode keep = DrawMode::FullLoad,
                 int stopAfterYields = -1)
    {
        inputs.fileName = common::fromUtf8(folder.write("picture.bmp", bytes).string()).value();
        return loadNamed(inputs, keep, stopAfterYields);
    }

    Outcome loadNamed(const BitmapInputs& inputs, DrawMode keep = DrawMode::FullLoad, int stopAfterYields = -1)
    {
        Outcome run{};
        run.sink.given = inputs;
        run.sink.stopAfterYields = stopAfterYields;
        run.result = ZeichneBitmap(keep, model, run.sink);
        return run;
    }
};

// 32 x 16 pixels using the first 12 entries of a grey table, changed as a row needs.
std::vector<std::uint8_t> twelveColours(const std::function<void(BmpLayout&)>& change = [](BmpLayout&) {})
{
    std::vector<std::uint8_t> row;
    for (int x = 0; x < 32; ++x)
        row.push_back(static_cast<std::uint8_t>(x % 12));
    BmpLayout layout = greyPicture(32, 16, std::vector(16, row));
    change(layout);
    return bmpBytes(layout);
}

// Says its info header is almost 2 GiB long: stepped over, and the colour table start overflows.
std::vector<std::uint8_t> hugeInfoSize()
{
    std::vector<std::uint8_t> bytes = twelveColours();
    putLong(bytes, 14, 0x7FFFFFF5);
    return bytes;
}

const Text tooLarge =
    u"Das Bild ist zu groß zum Anzeigen: höchstens 32767 Pixel Breite und Höhe und höchstens 256 Megapixel!";
const Text notAPicture =
    u"Die Datei ist keine Bitmapdatei .bmp!\nNur BMP-, GIF- und PNG-Bilder mit Farbtabelle können analysiert werden.";

struct InfoRow {
    const char* name;
    std::vector<std::uint8_t> bytes;
    Text info;
    Text message;   // empty: the picture is drawn
};

std::vector<InfoRow> infoRows()
{
    const Text offset = u"Offset Data: 1078 Bytes";
    const Text size = u"    B*H: 32*16 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: ";
    const Text drawn = u"    Anzahl Farben: 256/12";
    const Text infoStep = u"ZeichneBitmap(): Fehler bei 'Infoblock einlesen und auswerten': ";
    const Text depth = u"Die Farbtiefe muss 8 Bit (256 Farben) betragen!";
    return {
        {"bottom-up", twelveColours(), offset + size + u"0-keine" + drawn, u""},
        {"top-down", twelveColours([](BmpLayout& s) { s.height = -16; }),
         offset + u"    B*H: 32*16 Pixel TopDown    Farbtiefe: 8bit    Komprimierung: 0-keine" + drawn, u""},
        {"height 0", twelveColours([](BmpLayout& s) { s.height = 0; }),
         offset + u"    B*H: 32*0 Pixel TopDown    Farbtiefe: 8bit    Komprimierung: 0-keine"
                  u"    Anzahl Farben: 256/0",
         u""},
        {"compression 1", twelveColours([](BmpLayout& s) { s.compression = 1; }),
         offset + size + u"1-Lauflänge 8-Bit" + drawn, u""},
        {"compression 2", twelveColours([](BmpLayout& s) { s.compression = 2; }), offset + size + u"2-??" + drawn, u""},
        {"24 bit", twelveColours([](BmpLayout& s) { s.bitCount = 24; }),
         offset + u"    B*H: 32*16 Pixel BottumUp    Farbtiefe: 24bit    Komprimierung: 0-keine", depth},
        {"108-byte header", twelveColours([](BmpLayout& s) { s.infoSize = 108; }),
         u"Offset Data: 1146 Bytes" + size + u"0-keine" + drawn, u""},
        {"no colour table", twelveColours([](BmpLayout& s) { s.palette.clear(); }),
         u"Offset Data: 54 Bytes" + size + u"0-keine", u"Die Datei enthält keine Farbtabelle!"},
        {"BM only", {'B', 'M'}, u"Offset Data: 0 Bytes", infoStep + u"Index außerhalb des gültigen Bereichs"},
        {"not a bitmap", {'P', 'K', 3, 4}, u"Die Datei ist keine Bitmapdatei .bmp", notAPicture},
        {"height -2147483648", twelveColours([](BmpLayout& s) { s.height = INT32_MIN; }), offset,
         infoStep + u"Überlauf"},
        {"width times 15 beyond 32 bits", twelveColours([](BmpLayout& s) { s.width = 200'000'000; }), offset,
         infoStep + u"Überlauf"},
        {"width with top byte 128", twelveColours([](BmpLayout& s) { s.width = INT32_MIN + 5; }), offset,
         infoStep + u"Überlauf"},
        {"info header size near 2 GiB", hugeInfoSize(), offset + size + u"0-keine", infoStep + u"Überlauf"},
        {"too wide to show", twelveColours([](BmpLayout& s) { s.width = 40000; s.height = 1; }),
         offset + u"    B*H: 40000*1 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 0-keine", tooLarge},
        {"too many pixels to show", twelveColours([](BmpLayout& s) { s.width = 20000; s.height = -20000; }),
         offset + u"    B*H: 20000*20000 Pixel TopDown    Farbtiefe: 8bit    Komprimierung: 0-keine", tooLarge},
        {"257th colour", twelveColours([](BmpLayout& s) { s.coloursUsed = 300; s.palette.resize(300); }),
         u"Offset Data: 1254 Bytes" + size + u"0-keine",
         u"ZeichneBitmap(): Fehler bei 'Farbtabelle einlesen': Index außerhalb des gültigen Bereichs"},
    };
}

namespace pal = quirlwerk::palette::testing;

// A grey table of n entries, as the palette writers take it.
std::vector<palette::Rgb> greyTable(int n)
{
    std::vector<palette::Rgb> table;
    for (int i = 0; i < n; ++i)
        table.push_back({std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
    return table;
}

std::vector<InfoRow> paletteInfoRows()
{
    const pal::Indices rows = pal::patternRows(6, 4, 5);
    const pal::GifFrame first{.rows = rows, .transparent = 0};
    const pal::GifFrame later{.left = 1, .top = 1, .rows = pal::patternRows(2, 2, 2)};
    pal::Bytes noTable = pal::gifBytes(2, 2, greyTable(2), {{.rows = pal::patternRows(2, 2, 2)}});
    noTable[10] &= 0x7F;   // the encoder insists on a table: take it out afterwards
    noTable.erase(noTable.begin() + 13, noTable.begin() + 19);
    const pal::Bytes whole = pal::gifBytes(6, 4, greyTable(256), {{.rows = rows}});
    return {
        {"animated GIF", pal::gifBytes(6, 4, greyTable(256), {first, later, later}),
         u"Format: GIF    B*H: 6*4 Pixel    Farbtiefe: 8bit    Bilder: 3    Transparent: 0    Anzahl Farben: 256/5", u""},
        {"interlaced GIF", pal::gifBytes(6, 4, greyTable(8), {{.rows = rows, .interlaced = true}}),
         u"Format: GIF    B*H: 6*4 Pixel Interlaced    Farbtiefe: 3bit    Bilder: 1    Anzahl Farben: 8/5", u""},
        {"4-bit PNG with tRNS",
         pal::pngBytes({.rows = rows, .palette = greyTable(16), .bitDepth = 4, .transparentEntries = 3}),
         u"Format: PNG    B*H: 6*4 Pixel    Farbtiefe: 4bit    Bilder: 1    Anzahl Farben: 16/5", u""},
        {"true-colour PNG", pal::pngBytes({.rows = rows, .colourType = 2}), u"Die Datei ist keine Bitmapdatei .bmp",
         notAPicture},
        {"GIF cut in its header", pal::Bytes(whole.begin(), whole.begin() + 20), u"Format: GIF",
         u"Die GIF-Datei ist beschädigt: ihr Kopf ist unvollständig oder ungültig."},
        {"GIF without a colour table", noTable, u"Format: GIF    B*H: 2*2 Pixel    Farbtiefe: 0bit",
         u"Die Datei enthält keine Farbtabelle!"},
        {"GIF too wide to show", pal::gifBytes(40000, 1, greyTable(2), {}),
         u"Format: GIF    B*H: 40000*1 Pixel    Farbtiefe: 1bit", tooLarge},
    };
}

} // namespace

TEST_F(ZeichneBitmapTest, information_line_and_message_per_file)
{
    std::vector<InfoRow> rows = infoRows();
    for (InfoRow& row : paletteInfoRows())
        rows.push_back(std::move(row));
    for (const InfoRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome run = load(row.bytes);
        EXPECT_EQ(run.sink.lastInfo, row.info);
        EXPECT_EQ(run.result.showColourTable, row.message.empty());
        EXPECT_EQ(run.result.focus, BitmapField::None);
        if (row.message.empty()) {
            EXPECT_EQ(run.result.end, RunEnd::Drawn);
            EXPECT_TRUE(run.sink.messages.empty());
        } else {
            ASSERT_EQ(run.sink.messages.size(), 1u);
            EXPECT_EQ(run.sink.messages[0].text, row.message);
            EXPECT_NE(run.result.end, RunEnd::Drawn);
        }
        // The pointer is reset on every path that set it.
        EXPECT_EQ(run.sink.busy, (std::vector<bool>{true, false}));
    }
}

TEST_F(ZeichneBitmapTest, input_messages_move_the_focus_and_open_nothing)
{
    const Text folderName = common::fromUtf8(folder.path().string()).value();
    const std::pair<Text, Text> rows[] = {
        {u"", u"Geben Sie bitte den Namen der Bitmapdatei ein!"},
        {u"   ", u"Geben Sie bitte den Namen der Bitmapdatei ein!"},
        {folderName + u"/nix.bmp", u"Die Bitmapdatei ''" + folderName + u"/nix.bmp'' existiert nicht!"},
        {u" " + folderName + u" ", u"Die Bitmapdatei ''" + folderName + u"'' existiert nicht!"},   // a folder
    };
    for (const auto& [fileName, message] : rows) {
        SCOPED_TRACE(common::toUtf8(fileName));
        const Outcome run = loadNamed({fileName, u"", u""});
        EXPECT_EQ(run.result.end, RunEnd::Message);
        EXPECT_EQ(run.sink.messages, (std::vector{common::Message{common::Icon::Exclamation, message}}));
        EXPECT_EQ(run.result.focus, BitmapField::FileName);
        EXPECT_TRUE(run.sink.busy.empty());
    }
}

TEST_F(ZeichneBitmapTest, an_overflowing_setting_fails_while_checking_inputs)
{
    const Outcome run = load(twelveColours(), {u"", u"9E9", u""});
    EXPECT_EQ(run.result.end, RunEnd::Failed);
    const common::Message failure{common::Icon::Critical, u"ZeichneBitmap(): Fehler bei 'Eingaben prüfen': Überlauf"};
    EXPECT_EQ(run.sink.messages, std::vector{failure});
}

TEST_F(ZeichneBitmapTest, rows_land_by_their_stored_order_and_padding_is_skipped)
{
    for (const int width : {4, 5}) {
        for (const int height : {3, -3}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            const Outcome run = load(bmpBytes(greyPicture(width, height, countingRows(width, 3))));
            for (int r = 0; r < 3; ++r)
                for (int x = 0; x < width; ++x)
                    EXPECT_EQ(run.sink.at(x, height > 0 ? 2 - r : r), grey(r * width + x));
            EXPECT_EQ(model.FarbTabelle[0xEE].Anzahl, 0);
        }
    }
}

TEST_F(ZeichneBitmapTest, a_file_ending_early_draws_only_the_bytes_read)
{
    std::vector<std::uint8_t> bytes = bmpBytes(greyPicture(4, 3, {{10, 10, 10, 10}, {20, 20}}));
    bytes.resize(bytes.size() - 2);   // cut the padding the writer added behind the short row
    const Outcome run = load(bytes);
    EXPECT_EQ(run.result.end, RunEnd::Drawn);
    const Colour o = undrawn, a = grey(10), b = grey(20);
    EXPECT_EQ(run.sink.pixels(), (std::vector{o, o, o, o, b, b, o, o, a, a, a, a}));
    EXPECT_EQ(model.FarbTabelle[10].Anzahl, 4);
    EXPECT_EQ(model.FarbTabelle[20].Anzahl, 2);
}

namespace {

// Every index 0..255 once, in one row.
std::vector<std::uint8_t> allIndices()
{
    return bmpBytes(greyPicture(256, 1, countingRows(256, 1)));
}

} // namespace

TEST_F(ZeichneBitmapTest, modulo_on_the_index_picks_the_entry_and_counts_it)
{
    const Outcome run = load(allIndices(), {u"", u"17", u"0", true, true});
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(run.sink.at(x, 0), grey(x % 17)) << x;
    EXPECT_EQ(model.FarbTabelle[0].Anzahl, 16);   // 0, 17, ..., 255
    EXPECT_EQ(model.FarbTabelle[1].Anzahl, 15);
    EXPECT_EQ(model.FarbTabelle[17].Anzahl, 0);
    EXPECT_EQ(model.FarbTabelle[17].Rot, 17);     // the table itself is not changed
    EXPECT_TRUE(run.sink.lastInfo.ends_with(u"    Anzahl Farben: 256/17"));
}

TEST_F(ZeichneBitmapTest, threshold_on_the_index_with_a_smaller_modulo_draws_black)
{
    const Outcome run = load(allIndices(), {u"", u"17", u"100", true, true});
    EXPECT_EQ(run.sink.pixels(), std::vector<Colour>(256, grey(0)));
    EXPECT_EQ(model.FarbTabelle[100].Rot, 255);
}

TEST_F(ZeichneBitmapTest, redraw_keeps_table_and_counts_but_follows_the_index_modulo)
{
    load(allIndices(), {u"", u"17", u"0", false, true});
    EXPECT_EQ(model.FarbTabelle[37].Rot, 3);
    model.FarbTabelle[1] = {200, 100, 50, model.FarbTabelle[1].Anzahl};   // an edit in the colour table window
    const PictureModel before = model;

    const Outcome redraw = load(allIndices(), {u"", u"2", u"200", true, false}, DrawMode::Redraw);
    EXPECT_EQ(redraw.result.end, RunEnd::Drawn);
    EXPECT_EQ(redraw.sink.at(3, 0), 0xFFC86432u);   // index 3 mod 2 = entry 1, as edited to 200, 100, 50
    EXPECT_EQ(redraw.sink.at(4, 0), grey(0));
    auto fields = [](const FarbEintrag& f) { return std::array<int, 4>{f.Rot, f.Gruen, f.Blau, f.Anzahl}; };
    for (int e = 0; e < 256; ++e)
        EXPECT_EQ(fields(model.FarbTabelle[e]), fields(before.FarbTabelle[e])) << e;
    EXPECT_FALSE(redraw.result.showColourTable);
    EXPECT_TRUE(redraw.sink.lastInfo.ends_with(u"    Anzahl Farben: 256/256"));
}

TEST_F(ZeichneBitmapTest, a_smaller_table_keeps_later_entries_but_recounts_all)
{
    load(allIndices());
    BmpLayout small = greyPicture(2, 1, {{3, 3}});
    small.coloursUsed = 16;
    small.palette = std::vector<Rgb>(16, Rgb{9, 9, 9});
    const Outcome run = load(bmpBytes(small));
    EXPECT_EQ(model.AnzahlFarben, 16);
    EXPECT_EQ(model.FarbTabelle[15].Rot, 9);
    EXPECT_EQ(model.FarbTabelle[16].Rot, 16);
    EXPECT_EQ(model.FarbTabelle[3].Anzahl, 2);
    EXPECT_EQ(model.FarbTabelle[200].Anzahl, 0);
    EXPECT_TRUE(run.result.showColourTable);
    EXPECT_TRUE(run.sink.lastInfo.ends_with(u"    Anzahl Farben: 16/1"));
}

TEST_F(ZeichneBitmapTest, a_stop_request_ends_the_run_at_the_next_row)
{
    // Stops after the clearing yield and two rows.
    const Outcome run = load(bmpBytes(greyPicture(2, 5, countingRows(2, 5))), {}, DrawMode::FullLoad, 3);
    EXPECT_EQ(run.result.end, RunEnd::Stopped);
    EXPECT_EQ(run.sink.at(0, 4), grey(0));
    EXPECT_EQ(run.sink.at(0, 3), grey(2));
    EXPECT_EQ(run.sink.at(0, 2), undrawn);
    EXPECT_FALSE(run.result.showColourTable);
    EXPECT_EQ(run.sink.busy, (std::vector<bool>{true, false}));
}

TEST_F(ZeichneBitmapTest, a_gif_frame_is_drawn_where_it_lies_through_the_transforms_and_redrawn_after_an_edit)
{
    const pal::GifFrame frame{.left = 1, .top = 1, .rows = {{1, 18}, {35, 2}}};
    const pal::Bytes gif = pal::gifBytes(3, 3, greyTable(256), {frame});
    const Outcome run = load(gif, {u"", u"17", u"0", true, true});
    const Colour o = undrawn;
    EXPECT_EQ(run.sink.pixels(), (std::vector{o, o, o, o, grey(1), grey(1), o, grey(1), grey(2)}));
    EXPECT_EQ(model.FarbTabelle[1].Anzahl, 3);
    EXPECT_EQ(model.FarbTabelle[2].Anzahl, 1);
    EXPECT_EQ(model.FarbTabelle[18].Anzahl, 0);
    EXPECT_EQ(model.AnzahlFarben, 256);

    model.FarbTabelle[2] = {200, 100, 50, model.FarbTabelle[2].Anzahl};
    const Outcome redraw = load(gif, {u"", u"17", u"0", true, true}, DrawMode::Redraw);
    EXPECT_EQ(redraw.sink.at(2, 2), 0xFFC86432u);
    EXPECT_EQ(model.FarbTabelle[1].Anzahl, 3);
    EXPECT_EQ(redraw.result.showColourTable, false);
}

TEST_F(ZeichneBitmapTest, a_cut_palette_picture_draws_what_arrived_and_says_so)
{
    const pal::Bytes whole = pal::gifBytes(64, 64, greyTable(256), {{.rows = pal::patternRows(64, 64, 256)}});
    const Outcome run = load(pal::Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2)));
    EXPECT_EQ(run.result.end, RunEnd::Drawn);
    ASSERT_EQ(run.sink.messages.size(), 1u);
    EXPECT_EQ(run.sink.messages[0].text,
              u"Die GIF-Datei ist beschädigt: sie endet vorzeitig.\nDie nicht gelesenen Zeilen bleiben leer.");
    EXPECT_EQ(run.sink.at(0, 0), grey(0));
    EXPECT_EQ(run.sink.at(63, 63), undrawn);
    EXPECT_NE(run.sink.lastInfo.find(u"    Bilder: 1    Anzahl Farben: 256/"), Text::npos);
}

TEST_F(ZeichneBitmapTest, a_full_load_finds_the_twins_of_the_file_colours_and_a_redraw_keeps_them)
{
    // Entries 1 and 3 share a colour and are used; entry 4 shares it but is unused. The threshold makes
    // every entry black or white, which must not make twins of its own.
    std::vector<palette::Rgb> table = greyTable(8);
    table[3] = table[4] = table[1];
    const pal::Bytes png = pal::pngBytes({.rows = {{0, 1, 2, 3, 5}}, .palette = table, .bitDepth = 4});
    load(png, {u"", u"0", u"200", true, false});
    Twins expected = noTwins();
    expected[1] = expected[3] = 1;
    EXPECT_EQ(model.twins, expected);

    model.FarbTabelle[3].Rot = 77;
    load(png, {}, DrawMode::Redraw);
    EXPECT_EQ(model.twins, expected);
}

TEST_F(ZeichneBitmapTest, a_large_header_over_a_few_bytes_allocates_only_the_rows_they_reach)
{
    // 16384 x 16384 pixels claimed, 32 supplied.
    BmpLayout layout = greyPicture(16384, 16384, {std::vector<std::uint8_t>(32, 7)});
    layout.rows[0].resize(32);
    std::vector<std::uint8_t> bytes = bmpBytes(layout);
    for (const std::uint16_t bits : {8, 16}) {
        SCOPED_TRACE(bits);
        bytes[28] = static_cast<std::uint8_t>(bits);
        const Outcome run = load(bytes);
        EXPECT_EQ(run.sink.picture.width(), 16384);
        EXPECT_EQ(run.sink.picture.drawnRow(0), nullptr);
        if (bits == 8) {
            EXPECT_EQ(run.result.end, RunEnd::Drawn);
            EXPECT_EQ(run.sink.at(31, 16383), grey(7));
            EXPECT_EQ(run.sink.picture.drawnCount(16383), 32);
            EXPECT_LE(run.sink.picture.allocatedBytes(), std::size_t(4) << 20);
        } else {
            EXPECT_EQ(run.result.end, RunEnd::Message);
            EXPECT_EQ(run.sink.picture.allocatedBytes(), 0u);
        }
    }
}
