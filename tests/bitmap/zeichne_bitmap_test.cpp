// Whole runs over generated files: information lines, messages, the pixel stream, transforms and counts.
#include "bitmap/zeichne_bitmap.h"

#include "bitmap/bmp_writer.h"
#include "bitmap/recording_sink.h"
#include "common/utf8.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quirlwerk;
using namespace quirlwerk::bitmap;
using namespace quirlwerk::bitmap::testing;

namespace {

struct Outcome {
    RunEnd end;
    RecordingSink sink;
};

class ZeichneBitmapTest : public ::testing::Test {
protected:
    TempFolder folder;
    PictureModel model;

    Outcome load(const std::vector<std::uint8_t>& bytes, BitmapInputs inputs = {}, std::int32_t keep = 0)
    {
        const auto file = folder.write("picture.bmp", bytes);
        inputs.fileName = common::fromUtf8(file.string()).value();
        return loadNamed(inputs, keep);
    }

    Outcome loadNamed(const BitmapInputs& inputs, std::int32_t keep = 0)
    {
        Outcome run{RunEnd::Failed, {}};
        run.sink.given = inputs;
        run.end = ZeichneBitmap(keep, model, run.sink);
        return run;
    }
};

BmpLayout twelveColours()
{
    BmpLayout layout;
    layout.width = 32;
    layout.height = 16;
    layout.palette = greyPalette();
    for (int r = 0; r < 16; ++r) {
        layout.rows.emplace_back();
        for (int x = 0; x < 32; ++x)
            layout.rows.back().push_back(static_cast<std::uint8_t>(x % 12));
    }
    return layout;
}

std::vector<std::uint8_t> twelveColoursWith(const std::function<void(BmpLayout&)>& change)
{
    BmpLayout layout = twelveColours();
    change(layout);
    return bmpBytes(layout);
}

// Says its info header is almost 2 GiB long: stepped over, and the colour table start overflows.
std::vector<std::uint8_t> hugeInfoSize()
{
    std::vector<std::uint8_t> bytes = bmpBytes(twelveColours());
    putLong(bytes, 14, 0x7FFFFFF5);
    return bytes;
}

struct InfoRow {
    const char* name;
    std::vector<std::uint8_t> bytes;
    Text info;
    Text message;   // empty: the picture is drawn
};

const Text sizeLine = u"    B*H: 32*16 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 0-keine";
const Text drawnEnd = u"    Anzahl Farben: 256/12";
const Text indexFailure = u"Index außerhalb des gültigen Bereichs";

std::vector<InfoRow> infoRows()
{
    auto bitCount = [](std::uint16_t bits) { return [bits](BmpLayout& s) { s.bitCount = bits; }; };
    auto infoSize = [](std::int32_t size) { return [size](BmpLayout& s) { s.infoSize = size; }; };
    return {
        {"bottom-up", twelveColoursWith([](BmpLayout&) {}), u"Offset Data: 1078 Bytes" + sizeLine + drawnEnd, u""},
        {"top-down", twelveColoursWith([](BmpLayout& s) { s.height = -16; }),
         u"Offset Data: 1078 Bytes    B*H: 32*16 Pixel TopDown    Farbtiefe: 8bit    Komprimierung: 0-keine" + drawnEnd, u""},
        {"height 0", twelveColoursWith([](BmpLayout& s) { s.height = 0; }),
         u"Offset Data: 1078 Bytes    B*H: 32*0 Pixel TopDown    Farbtiefe: 8bit    Komprimierung: 0-keine"
         u"    Anzahl Farben: 256/0", u""},
        {"compression 1", twelveColoursWith([](BmpLayout& s) { s.compression = 1; }),
         u"Offset Data: 1078 Bytes    B*H: 32*16 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 1-Lauflänge 8-Bit" + drawnEnd, u""},
        {"compression 2", twelveColoursWith([](BmpLayout& s) { s.compression = 2; }),
         u"Offset Data: 1078 Bytes    B*H: 32*16 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 2-??" + drawnEnd, u""},
        {"24 bit", twelveColoursWith(bitCount(24)),
         u"Offset Data: 1078 Bytes    B*H: 32*16 Pixel BottumUp    Farbtiefe: 24bit    Komprimierung: 0-keine",
         u"Die Farbtiefe muss 8 Bit (256 Farben) betragen!"},
        {"4 bit", twelveColoursWith(bitCount(4)),
         u"Offset Data: 1078 Bytes    B*H: 32*16 Pixel BottumUp    Farbtiefe: 4bit    Komprimierung: 0-keine",
         u"Die Farbtiefe muss 8 Bit (256 Farben) betragen!"},
        {"108-byte header", twelveColoursWith(infoSize(108)), u"Offset Data: 1146 Bytes" + sizeLine + drawnEnd, u""},
        {"124-byte header", twelveColoursWith(infoSize(124)), u"Offset Data: 1162 Bytes" + sizeLine + drawnEnd, u""},
        {"no colour table", twelveColoursWith([](BmpLayout& s) { s.palette.clear(); }), u"Offset Data: 54 Bytes" + sizeLine,
         u"Die Datei enthält keine Farbtabelle!"},
        {"BM only", {'B', 'M'}, u"Offset Data: 0 Bytes",
         u"ZeichneBitmap(): Fehler bei 'Infoblock einlesen und auswerten': " + indexFailure},
        {"not a bitmap", {'P', 'K', 3, 4}, u"Die Datei ist keine Bitmapdatei .bmp",
         u"Die Datei ist keine Bitmapdatei .bmp!"},
        {"info header too short for the colour count", twelveColoursWith(infoSize(32)), u"Offset Data: 1070 Bytes",
         u"ZeichneBitmap(): Fehler bei 'Infoblock einlesen und auswerten': " + indexFailure},
        {"height -2147483648", twelveColoursWith([](BmpLayout& s) { s.height = INT32_MIN; }), u"Offset Data: 1078 Bytes",
         u"ZeichneBitmap(): Fehler bei 'Infoblock einlesen und auswerten': Überlauf"},
        {"width times 15 beyond 32 bits", twelveColoursWith([](BmpLayout& s) { s.width = 200'000'000; }),
         u"Offset Data: 1078 Bytes", u"ZeichneBitmap(): Fehler bei 'Infoblock einlesen und auswerten': Überlauf"},
        {"width with top byte 128", twelveColoursWith([](BmpLayout& s) { s.width = INT32_MIN + 5; }), u"Offset Data: 1078 Bytes",
         u"ZeichneBitmap(): Fehler bei 'Infoblock einlesen und auswerten': Überlauf"},
        {"too wide to show", twelveColoursWith([](BmpLayout& s) { s.width = 40000; s.height = 1; }),
         u"Offset Data: 1078 Bytes    B*H: 40000*1 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 0-keine",
         u"Das Bild ist zu groß zum Anzeigen: höchstens 32767 Pixel Breite und Höhe und höchstens 256 Megapixel!"},
        {"too many pixels to show", twelveColoursWith([](BmpLayout& s) { s.width = 20000; s.height = -20000; }),
         u"Offset Data: 1078 Bytes    B*H: 20000*20000 Pixel TopDown    Farbtiefe: 8bit    Komprimierung: 0-keine",
         u"Das Bild ist zu groß zum Anzeigen: höchstens 32767 Pixel Breite und Höhe und höchstens 256 Megapixel!"},
        {"257th colour", twelveColoursWith([](BmpLayout& s) { s.coloursUsed = 300; s.palette.resize(300); }),
         u"Offset Data: 1254 Bytes" + sizeLine, u"ZeichneBitmap(): Fehler bei 'Farbtabelle einlesen': " + indexFailure},
        {"info header size near 2 GiB", hugeInfoSize(), u"Offset Data: 1078 Bytes" + sizeLine,
         u"ZeichneBitmap(): Fehler bei 'Infoblock einlesen und auswerten': Überlauf"},
    };
}

} // namespace

TEST_F(ZeichneBitmapTest, information_line_and_message_per_file)
{
    for (const InfoRow& row : infoRows()) {
        SCOPED_TRACE(row.name);
        const Outcome run = load(row.bytes);
        EXPECT_EQ(run.sink.lastInfo(), row.info);
        if (row.message.empty()) {
            EXPECT_EQ(run.end, RunEnd::Drawn);
            EXPECT_TRUE(run.sink.messages.empty());
        } else {
            ASSERT_EQ(run.sink.messages.size(), 1u);
            EXPECT_EQ(run.sink.messages[0].text, row.message);
            EXPECT_NE(run.end, RunEnd::Drawn);
        }
        // The pointer is reset on every path that set it.
        EXPECT_EQ(run.sink.busy, (std::vector<bool>{true, false}));
    }
}

TEST_F(ZeichneBitmapTest, input_messages_move_the_focus_and_open_nothing)
{
    struct Row {
        const char* name;
        Text fileName;
        Text message;
    };
    const Text folderName = common::fromUtf8(folder.path().string()).value();
    const Row rows[] = {
        {"empty", u"", u"Geben Sie bitte den Namen der Bitmapdatei ein!"},
        {"blanks only", u"   ", u"Geben Sie bitte den Namen der Bitmapdatei ein!"},
        {"missing", folderName + u"/nix.bmp", u"Die Bitmapdatei ''" + folderName + u"/nix.bmp'' existiert nicht!"},
        {"a folder", u" " + folderName + u" ", u"Die Bitmapdatei ''" + folderName + u"'' existiert nicht!"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BitmapInputs inputs;
        inputs.fileName = row.fileName;
        const Outcome run = loadNamed(inputs);
        EXPECT_EQ(run.end, RunEnd::Message);
        ASSERT_EQ(run.sink.messages.size(), 1u);
        EXPECT_EQ(run.sink.messages[0], (common::Message{common::Icon::Exclamation, row.message}));
        EXPECT_EQ(run.sink.focusRequests, 1);
        EXPECT_TRUE(run.sink.busy.empty());
    }
}

TEST_F(ZeichneBitmapTest, an_overflowing_setting_fails_while_checking_inputs)
{
    BitmapInputs inputs;
    inputs.moduloText = u"9E9";
    const Outcome run = load(bmpBytes(twelveColours()), inputs);
    EXPECT_EQ(run.end, RunEnd::Failed);
    ASSERT_EQ(run.sink.messages.size(), 1u);
    EXPECT_EQ(run.sink.messages[0],
              (common::Message{common::Icon::Critical, u"ZeichneBitmap(): Fehler bei 'Eingaben prüfen': Überlauf"}));
}

TEST_F(ZeichneBitmapTest, rows_land_by_their_stored_order)
{
    for (const bool bottomUp : {true, false}) {
        SCOPED_TRACE(bottomUp ? "bottom-up" : "top-down");
        const BmpLayout layout = greyPicture(3, bottomUp ? 2 : -2, {{1, 2, 3}, {4, 5, 6}});
        const Outcome run = load(bmpBytes(layout));
        const int firstStored = bottomUp ? 1 : 0;
        EXPECT_EQ(run.sink.at(0, firstStored), rgb(1, 1, 1));
        EXPECT_EQ(run.sink.at(2, 1 - firstStored), rgb(6, 6, 6));
        EXPECT_EQ(run.sink.yields, 2);   // after clearing and after the first of two rows
    }
}

TEST_F(ZeichneBitmapTest, padding_bytes_are_skipped)
{
    for (const int width : {4, 5, 6, 7}) {
        SCOPED_TRACE(width);
        const BmpLayout layout = greyPicture(width, 3, countingRows(width, 3));
        const Outcome run = load(bmpBytes(layout));
        for (int r = 0; r < 3; ++r)
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(run.sink.at(x, 2 - r), rgb(r * width + x, r * width + x, r * width + x));
        EXPECT_EQ(model.FarbTabelle[0xEE].Anzahl, 0);
    }
}

TEST_F(ZeichneBitmapTest, a_file_ending_early_draws_only_the_bytes_read)
{
    const BmpLayout layout = greyPicture(4, 3, {{10, 10, 10, 10}, {20, 20}});
    std::vector<std::uint8_t> bytes = bmpBytes(layout);
    bytes.resize(bytes.size() - 2);   // cut the padding the writer added behind the short row
    const Outcome run = load(bytes);
    EXPECT_EQ(run.end, RunEnd::Drawn);
    EXPECT_EQ(run.sink.at(3, 2), rgb(10, 10, 10));
    EXPECT_EQ(run.sink.at(1, 1), rgb(20, 20, 20));
    EXPECT_EQ(run.sink.at(2, 1), undrawn);
    EXPECT_EQ(run.sink.at(0, 0), undrawn);
    EXPECT_EQ(model.FarbTabelle[10].Anzahl, 4);
    EXPECT_EQ(model.FarbTabelle[20].Anzahl, 2);
    EXPECT_EQ(model.FarbTabelle[0].Anzahl, 0);
    EXPECT_EQ(run.sink.lastInfo(), u"Offset Data: 1078 Bytes    B*H: 4*3 Pixel BottumUp    Farbtiefe: 8bit    "
                                   u"Komprimierung: 0-keine    Anzahl Farben: 256/2");
}

namespace {

// Every index 0..255 once, in one row.
BmpLayout allIndices()
{
    return greyPicture(256, 1, countingRows(256, 1));
}

} // namespace

TEST_F(ZeichneBitmapTest, modulo_on_the_index_picks_the_entry_and_counts_it)
{
    const Outcome run = load(bmpBytes(allIndices()), {u"", u"17", u"0", true, true});
    for (const auto& [index, entry] : {std::pair{18, 1}, {19, 2}, {33, 16}, {34, 0}, {35, 1}, {17, 0}, {16, 16}})
        EXPECT_EQ(run.sink.at(index, 0), rgb(entry, entry, entry)) << index;
    EXPECT_EQ(model.FarbTabelle[0].Anzahl, 16);   // 0, 17, ..., 255
    EXPECT_EQ(model.FarbTabelle[1].Anzahl, 15);
    EXPECT_EQ(model.FarbTabelle[17].Anzahl, 0);
    EXPECT_EQ(model.FarbTabelle[17].Rot, 17);     // the table itself is not changed
    EXPECT_TRUE(run.sink.lastInfo().ends_with(u"    Anzahl Farben: 256/17"));
}

TEST_F(ZeichneBitmapTest, threshold_on_the_index_with_a_smaller_modulo_draws_black)
{
    const Outcome run = load(bmpBytes(allIndices()), {u"", u"17", u"100", true, true});
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(run.sink.at(x, 0), rgb(0, 0, 0)) << x;
    EXPECT_EQ(model.FarbTabelle[100].Rot, 255);
}

TEST_F(ZeichneBitmapTest, redraw_keeps_table_and_counts_but_follows_the_index_modulo)
{
    load(bmpBytes(allIndices()), {u"", u"17", u"0", false, true});
    EXPECT_EQ(model.FarbTabelle[37].Rot, 3);
    const auto before = model.FarbTabelle;
    model.FarbTabelle[1] = {200, 100, 50, model.FarbTabelle[1].Anzahl};   // an edit in the colour table window

    const Outcome redraw = load(bmpBytes(allIndices()), {u"", u"2", u"200", true, false}, 1);
    EXPECT_EQ(redraw.end, RunEnd::Drawn);
    EXPECT_EQ(redraw.sink.at(3, 0), rgb(200, 100, 50));   // index 3 mod 2 = entry 1, as edited
    EXPECT_EQ(redraw.sink.at(4, 0), rgb(0, 0, 0));
    for (int e = 2; e < 256; ++e) {
        EXPECT_EQ(model.FarbTabelle[e].Rot, before[e].Rot);
        EXPECT_EQ(model.FarbTabelle[e].Anzahl, before[e].Anzahl);
    }
    EXPECT_EQ(redraw.sink.colourTableShown, 0);
    EXPECT_TRUE(redraw.sink.lastInfo().ends_with(u"    Anzahl Farben: 256/256"));
}

TEST_F(ZeichneBitmapTest, a_smaller_table_keeps_later_entries_but_recounts_all)
{
    load(bmpBytes(allIndices()));
    BmpLayout small;
    small.width = 2;
    small.height = 1;
    small.coloursUsed = 16;
    small.palette = std::vector<Rgb>(16, Rgb{9, 9, 9});
    small.rows = {{3, 3}};
    const Outcome run = load(bmpBytes(small));
    EXPECT_EQ(model.AnzahlFarben, 16);
    EXPECT_EQ(model.FarbTabelle[15].Rot, 9);
    EXPECT_EQ(model.FarbTabelle[16].Rot, 16);
    EXPECT_EQ(model.FarbTabelle[3].Anzahl, 2);
    EXPECT_EQ(model.FarbTabelle[200].Anzahl, 0);
    EXPECT_EQ(run.sink.colourTableShown, 1);
    EXPECT_TRUE(run.sink.lastInfo().ends_with(u"    Anzahl Farben: 16/1"));
}

TEST_F(ZeichneBitmapTest, a_stop_request_ends_the_run_at_the_next_row)
{
    const BmpLayout layout = greyPicture(2, 5, countingRows(2, 5));
    RecordingSink sink;
    sink.given.fileName = common::fromUtf8(folder.write("stop.bmp", bmpBytes(layout)).string()).value();
    sink.stopAfterYields = 3;   // the clearing yield and two rows
    EXPECT_EQ(ZeichneBitmap(0, model, sink), RunEnd::Stopped);
    EXPECT_EQ(sink.at(0, 4), rgb(0, 0, 0));
    EXPECT_EQ(sink.at(0, 3), rgb(2, 2, 2));
    EXPECT_EQ(sink.at(0, 2), undrawn);
    EXPECT_EQ(sink.colourTableShown, 0);
    EXPECT_EQ(sink.busy, (std::vector<bool>{true, false}));
}
