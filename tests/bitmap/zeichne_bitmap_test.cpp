// Whole runs over generated files: information lines, messages, the pixel stream, transforms and counts.
#include "bitmap/zeichne_bitmap.h"

#include "bitmap/twins.h"
#include "common/utf8.h"
#include "bitmap/bmp_writer.h"
#include "palette/picture_writer.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

using namespace quirlwerk;
using namespace quirlwerk::bitmap;
using palette::testing::Bytes;
using namespace quirlwerk::bitmap::testing;
namespace pal = palette::testing;

namespace {

constexpr Colour undrawn = 0;   // drawn colours are opaque, so 0 marks a pixel never drawn

class RecordingSink : public PixelSink {
public:
    BitmapInputs given;
    std::vector<common::Message> messages;
    Text info;
    PictureSurface picture;
    int yields = 0, stopAfterYields = -1;   // answers the stop question as a closed window would
    std::vector<bool> busy;

    void show(const common::Message& message) override { messages.push_back(message); }
    void yield() override { ++yields; }
    bool stopRequested() override { return stopAfterYields >= 0 && yields >= stopAfterYields; }
    BitmapInputs inputs() override { return given; }
    void showInfo(const Text& line) override { info = line; }
    void setBusy(bool on) override { busy.push_back(on); }
    PictureSurface* surface() override { return &picture; }
    Colour at(int x, int y) const { return picture.drawnRow(y) ? picture.drawnRow(y)[x] : undrawn; }
};

Colour grey(int value) { return 0xFF000000u | Colour(value) * 0x010101u; }

// 32 x 16, bottom-up, a grey table of 256 entries, each row x % 12.
BmpLayout bmp(const std::function<void(BmpLayout&)>& change = [](BmpLayout&) {})
{
    BmpLayout b = greyPicture(32, 16, pal::Indices(16, pal::patternRows(32, 1, 12)[0]));
    change(b);
    return b;
}

class ZeichneBitmapTest : public ::testing::Test {
protected:
    quirlwerk::testing::TempFolder folder;
    PictureModel model;

    std::unique_ptr<RecordingSink> load(const Bytes& bytes, BitmapInputs inputs = {}, DrawMode mode = DrawMode::FullLoad, int stop = -1)
    {
        inputs.fileName = common::fromUtf8(folder.write("picture", bytes).string()).value();
        auto sink = std::make_unique<RecordingSink>();
        sink->given = inputs, sink->stopAfterYields = stop;
        m_result = ZeichneBitmap(mode, model, *sink);
        return sink;
    }
    BitmapResult m_result;
};

const Text tooLarge = u"Das Bild ist zu groß zum Anzeigen: höchstens 65535 Pixel Breite und Höhe und höchstens 256 Megapixel!";
const Text overflow = u"ZeichneBitmap(): Fehler bei 'Infoblock einlesen und auswerten': Überlauf";
const Text notAPicture = u"Die Datei ist keine Bitmapdatei .bmp!\nNur BMP-, GIF- und PNG-Bilder mit Farbtabelle können analysiert werden.";
const Text size = u"    B*H: 32*16 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: ";

TEST_F(ZeichneBitmapTest, information_line_and_message_per_file)
{
    const Text offset = u"Offset Data: 1078 Bytes", drawn = u"    Anzahl Farben: 256/12";
    const Bytes gif = pal::gifBytes(6, 4, pal::rampTable(256), {{.rows = pal::patternRows(6, 4, 5)}});
    Bytes noTable = pal::gifBytes(2, 2, pal::rampTable(2), {{.rows = pal::patternRows(2, 2, 2)}});
    noTable[10] &= 0x7F;   // the encoder insists on a table: taken out afterwards
    noTable.erase(noTable.begin() + 13, noTable.begin() + 19);
    const std::tuple<const char*, Bytes, Text, Text> rows[] = {
        {"bottom-up", bmpBytes(bmp()), offset + size + u"0-keine" + drawn, u""},
        {"top-down, compression 1", bmpBytes(bmp([](BmpLayout& b) { b.height = -16, b.compression = 1; })), offset + u"    B*H: 32*16 Pixel TopDown    Farbtiefe: 8bit    Komprimierung: 1-Lauflänge 8-Bit" + drawn, u""},
        {"height 0, compression 2", bmpBytes(bmp([](BmpLayout& b) { b.height = 0, b.compression = 2; })), offset + u"    B*H: 32*0 Pixel TopDown    Farbtiefe: 8bit    Komprimierung: 2-??    Anzahl Farben: 256/0", u""},
        {"24 bit", bmpBytes(bmp([](BmpLayout& b) { b.bitCount = 24; })), offset + u"    B*H: 32*16 Pixel BottumUp    Farbtiefe: 24bit    Komprimierung: 0-keine", u"Die Farbtiefe muss 8 Bit (256 Farben) betragen!"},
        {"108-byte header, 16 colours", bmpBytes(bmp([](BmpLayout& b) { b.infoSize = 108, b.coloursUsed = 16, b.palette.resize(16); })), u"Offset Data: 186 Bytes" + size + u"0-keine    Anzahl Farben: 16/12", u""},
        {"no colour table", bmpBytes(bmp([](BmpLayout& b) { b.palette.clear(); })), u"Offset Data: 54 Bytes" + size + u"0-keine", u"Die Datei enthält keine Farbtabelle!"},
        {"data offset 2^31 - 1", [] { Bytes b = bmpBytes(bmp()); bitmap::testing::putLong(b, 10, 0x7FFFFFFF); return b; }(), u"Offset Data: 2147483647 Bytes" + size + u"0-keine    Anzahl Farben: 256/0", u""},
        {"BM only", {'B', 'M'}, u"Offset Data: 0 Bytes", u"ZeichneBitmap(): Fehler bei 'Infoblock einlesen und auswerten': Index außerhalb des gültigen Bereichs"},
        {"not a picture", {'P', 'K', 3, 4}, u"Die Datei ist keine Bitmapdatei .bmp", notAPicture},
        {"height -2^31", bmpBytes(bmp([](BmpLayout& b) { b.height = INT32_MIN; })), offset, overflow},
        {"width times 15 beyond 32 bits", bmpBytes(bmp([](BmpLayout& b) { b.width = 200'000'000; })), offset, overflow},
        {"width with top byte 128", bmpBytes(bmp([](BmpLayout& b) { b.width = INT32_MIN + 5; })), offset, overflow},
        {"info size near 2 GiB", [] { Bytes b = bmpBytes(bmp()); b[14] = 0xF5, b[15] = b[16] = 0xFF, b[17] = 0x7F; return b; }(), offset + size + u"0-keine", overflow},
        {"widest shown", bmpBytes(bmp([](BmpLayout& b) { b.width = 65535, b.height = 1, b.rows = {Bytes(65535, 3)}; })), offset + u"    B*H: 65535*1 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 0-keine    Anzahl Farben: 256/1", u""},
        {"one wider", bmpBytes(bmp([](BmpLayout& b) { b.width = 65536, b.height = 1; })), offset + u"    B*H: 65536*1 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 0-keine", tooLarge},
        {"too many pixels", bmpBytes(bmp([](BmpLayout& b) { b.width = 20000, b.height = -20000; })), offset + u"    B*H: 20000*20000 Pixel TopDown    Farbtiefe: 8bit    Komprimierung: 0-keine", tooLarge},
        {"257th colour", bmpBytes(bmp([](BmpLayout& b) { b.coloursUsed = 300, b.palette.resize(300); })), u"Offset Data: 1254 Bytes" + size + u"0-keine", u"ZeichneBitmap(): Fehler bei 'Farbtabelle einlesen': Index außerhalb des gültigen Bereichs"},
        {"animated GIF", pal::gifBytes(6, 4, pal::rampTable(256), {{.rows = pal::patternRows(6, 4, 5), .transparent = 0}, {.rows = {{1}}}}), u"Format: GIF    B*H: 6*4 Pixel    Farbtiefe: 8bit    Bilder: 2    Transparent: 0    Anzahl Farben: 256/5", u""},
        {"4-bit Adam7 PNG", pal::pngBytes({pal::patternRows(6, 4, 5), pal::rampTable(16), 4, true}), u"Format: PNG    B*H: 6*4 Pixel Interlaced    Farbtiefe: 4bit    Bilder: 1    Anzahl Farben: 16/5", u""},
        {"true-colour PNG", pal::pngBytes({.rows = {{1}}, .colourType = 2}), u"Die Datei ist keine Bitmapdatei .bmp", notAPicture},
        {"GIF cut in its header", Bytes(gif.begin(), gif.begin() + 20), u"Format: GIF", u"Die GIF-Datei ist beschädigt: ihr Kopf ist unvollständig oder ungültig."},
        {"GIF without a colour table", noTable, u"Format: GIF    B*H: 2*2 Pixel    Farbtiefe: 0bit", u"Die Datei enthält keine Farbtabelle!"},
        {"GIF too large", pal::gifBytes(65535, 65535, pal::rampTable(2), {}), u"Format: GIF    B*H: 65535*65535 Pixel    Farbtiefe: 1bit", tooLarge},
        {"GIF 65535 wide", pal::gifBytes(65535, 1, pal::rampTable(2), {{.rows = {Bytes(65535, 1)}}}), u"Format: GIF    B*H: 65535*1 Pixel    Farbtiefe: 1bit    Bilder: 1    Anzahl Farben: 2/1", u""},
    };
    for (const auto& [name, bytes, info, message] : rows) {
        SCOPED_TRACE(name);
        const auto sink = load(bytes);
        EXPECT_EQ(sink->info, info);
        EXPECT_EQ(std::pair(m_result.showColourTable, m_result.end == RunEnd::Drawn), std::pair(message.empty(), message.empty()));
        EXPECT_EQ(sink->messages.size() == 1 ? sink->messages[0].text : sink->messages.empty() ? u"" : u"several", message);
        EXPECT_EQ(sink->busy, (std::vector<bool>{true, false}));   // reset on every path that set it
    }
}

TEST_F(ZeichneBitmapTest, input_messages_move_the_focus_and_open_nothing)
{
    const Text dir = common::fromUtf8(folder.path().string()).value();
    for (const auto& [name, message] : {std::pair<Text, Text>{u"  ", u"Geben Sie bitte den Namen der Bitmapdatei ein!"},
                                        {u" " + dir + u" ", u"Die Bitmapdatei ''" + dir + u"'' existiert nicht!"}}) {
        RecordingSink sink;
        sink.given.fileName = name;
        EXPECT_EQ(ZeichneBitmap(DrawMode::FullLoad, model, sink), (BitmapResult{RunEnd::Message, BitmapField::FileName, false}));
        EXPECT_EQ(sink.messages, (std::vector{common::Message{common::Icon::Exclamation, message}}));
        EXPECT_TRUE(sink.busy.empty());
    }
    EXPECT_EQ(load(bmpBytes(bmp()), {u"", u"9E9", u""})->messages[0].text, u"ZeichneBitmap(): Fehler bei 'Eingaben prüfen': Überlauf");
}

// Every width 1 to 9 (padding 0 to 3), both orders, cut at every byte of the rows: each pixel that arrived
// drawn where its row belongs, nothing else, padding never, and every row counted once.
TEST_F(ZeichneBitmapTest, rows_land_by_their_order_padding_is_skipped_and_a_cut_draws_what_arrived)
{
    for (int width = 1; width <= 9; ++width)
        for (const int height : {3, -3}) {
            const BmpLayout picture = bmp([&](BmpLayout& b) { b.width = width, b.height = height, b.rows = pal::patternRows(width, 3, 200, 1); });
            const Bytes whole = bmpBytes(picture);
            const std::size_t padded = std::size_t(width + 3) / 4 * 4, start = 1078;
            for (std::size_t length = start; length <= whole.size(); ++length) {
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " cut at " + std::to_string(length));
                const auto sink = load(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(length)));
                int counted = 0;
                for (int r = 0; r < 3; ++r)
                    for (int x = 0; x < width; ++x) {
                        const bool arrived = start + std::size_t(r) * padded + std::size_t(x) < length;
                        ASSERT_EQ(sink->at(x, height > 0 ? 2 - r : r), arrived ? grey(picture.rows[std::size_t(r)][std::size_t(x)]) : undrawn);
                        counted += arrived;
                    }
                EXPECT_EQ(model.FarbTabelle[0xEE].Anzahl + model.FarbTabelle[0].Anzahl, 0);
                EXPECT_EQ(std::accumulate(model.FarbTabelle.begin(), model.FarbTabelle.end(), 0, [](int sum, const FarbEintrag& e) { return sum + e.Anzahl; }), counted);
            }
        }
}

TEST_F(ZeichneBitmapTest, modulo_and_threshold_on_index_or_colours_and_a_redraw_keeps_the_model)
{
    const Bytes all = bmpBytes(bmp([](BmpLayout& b) { b.width = 256, b.height = 1, b.rows = pal::patternRows(256, 1, 256); }));
    auto sink = load(all, {u"", u"17", u"0", true, true});
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(sink->at(x, 0), grey(x % 17)) << x;
    // 0, 17, ..., 255 count as entry 0; the table itself is not changed.
    EXPECT_EQ(std::tuple(model.FarbTabelle[0].Anzahl, model.FarbTabelle[17].Anzahl, model.FarbTabelle[17].Rot), std::tuple(16, 0, 17));
    EXPECT_EQ(load(all, {u"", u"17", u"100", true, true})->at(99, 0), grey(0));
    EXPECT_EQ(model.FarbTabelle[100].Rot, 255);
    load(all, {u"", u"17", u"0", false, true});
    EXPECT_EQ(std::tuple(model.FarbTabelle[37].Rot, model.FarbTabelle[37].Anzahl), std::tuple(3, 1));   // on the colours, the index stays
    model.FarbTabelle[1] = {200, 100, 50, model.FarbTabelle[1].Anzahl};   // an edit in the colour table window
    const PictureModel before = model;
    sink = load(all, {u"", u"2", u"200", true, false}, DrawMode::Redraw);
    EXPECT_EQ(std::pair(sink->at(3, 0), sink->at(4, 0)), std::pair(0xFFC86432u, grey(0)));   // index 3 mod 2 = entry 1, as edited
    for (int e = 0; e < 256; ++e)
        EXPECT_EQ(std::tie(model.FarbTabelle[e].Rot, model.FarbTabelle[e].Blau, model.FarbTabelle[e].Anzahl),
                  std::tie(before.FarbTabelle[e].Rot, before.FarbTabelle[e].Blau, before.FarbTabelle[e].Anzahl)) << e;
    EXPECT_FALSE(m_result.showColourTable);
    // A smaller table keeps the later entries but recounts all.
    load(bmpBytes(bmp([](BmpLayout& b) { b.width = 2, b.height = 1, b.rows = {{3, 3}}, b.coloursUsed = 16, b.palette.resize(16); })));
    EXPECT_EQ(std::tuple(model.FarbTabelle[16].Rot, model.FarbTabelle[3].Anzahl, model.FarbTabelle[200].Anzahl), std::tuple(16, 2, 0));
}

TEST_F(ZeichneBitmapTest, a_stop_request_ends_the_run_at_the_next_row)
{
    const auto sink = load(bmpBytes(bmp([](BmpLayout& b) { b.width = 2, b.height = 5, b.rows = pal::patternRows(2, 5, 9, 1); })), {}, DrawMode::FullLoad, 3);
    EXPECT_EQ(m_result.end, RunEnd::Stopped);   // after the clearing yield and two rows
    EXPECT_EQ(std::pair(sink->at(0, 3) != undrawn, sink->at(0, 2)), std::pair(true, undrawn));
    EXPECT_EQ(sink->busy, (std::vector<bool>{true, false}));
}

TEST_F(ZeichneBitmapTest, palette_pictures_are_drawn_where_they_lie_through_the_transforms_and_say_their_damage)
{
    const Bytes gif = pal::gifBytes(3, 3, pal::rampTable(256), {{.left = 1, .top = 1, .rows = {{1, 18}, {35, 2}}}});
    auto sink = load(gif, {u"", u"17", u"0", true, true});
    EXPECT_EQ(sink->at(0, 0), undrawn);
    EXPECT_EQ(sink->at(2, 1), sink->at(1, 2));   // 18 and 35 are entry 1
    EXPECT_EQ(model.FarbTabelle[1].Anzahl, 3);
    model.FarbTabelle[2] = {200, 100, 50, 0};
    EXPECT_EQ(load(gif, {u"", u"17", u"0", true, true}, DrawMode::Redraw)->at(2, 2), 0xFFC86432u);
    const Bytes big = pal::gifBytes(64, 64, pal::rampTable(256), {{.rows = pal::patternRows(64, 64, 256)}});
    sink = load(Bytes(big.begin(), big.begin() + std::ptrdiff_t(big.size() / 2)));
    EXPECT_EQ(sink->messages.at(0).text, u"Die GIF-Datei ist beschädigt: sie endet vorzeitig.\nDie nicht gelesenen Zeilen bleiben leer.");
    EXPECT_NE(sink->info.find(u"    Bilder: 1    Anzahl Farben: 256/"), Text::npos);
    // Indices beyond the file's table are counted once, by the full load.
    const Bytes beyond = pal::pngBytes({.rows = {{1, 200, 7, 8}, {255, 0, 0, 0}}, .palette = pal::rampTable(8)});
    EXPECT_EQ(load(beyond)->messages.at(0).text, u"3 Pixel verwenden einen Index jenseits der Farbtabelle der Datei.");
    EXPECT_TRUE(load(beyond, {}, DrawMode::Redraw)->messages.empty());
}

TEST_F(ZeichneBitmapTest, a_large_header_over_a_few_bytes_allocates_only_the_rows_they_reach)
{
    Bytes bytes = bmpBytes(bmp([](BmpLayout& b) { b.width = b.height = 16384, b.rows = {Bytes(32, 7)}; }));
    auto sink = load(bytes);
    EXPECT_EQ(sink->at(31, 16383), grey(7));
    EXPECT_EQ(sink->picture.drawnRow(0), nullptr);
    EXPECT_LE(sink->picture.allocatedBytes(), std::size_t(4) << 20);
    bytes[28] = 16;
    EXPECT_EQ(load(bytes)->picture.allocatedBytes(), 0u);
}

// Pictures with twin groups of every shape: a hidden entry used once, ties with the most-used entry, unused
// entries sharing a colour, and groups of up to five entries; the reference counts the rows literally.
TEST_F(ZeichneBitmapTest, twins_only_draws_exactly_the_pixels_of_hidden_twins_white)
{
    std::mt19937 random(19);
    for (int picture = 0; picture < 40; ++picture) {
        SCOPED_TRACE(picture);
        const int entries = 2 + picture % 15;
        const int shades = 1 + picture % 4;   // few colours, so that entries share them
        std::vector<palette::Rgb> table;
        for (int i = 0; i < 16; ++i) {        // entries past `entries` pad the table with colours of their own
            const int shade = int(random() % shades) * 60;
            table.push_back(i < entries ? palette::Rgb{std::uint8_t(shade), std::uint8_t(255 - shade), std::uint8_t(shade / 2)}
                                        : palette::Rgb{7, 7, std::uint8_t(i)});
        }
        std::vector<int> counts(16, 0);
        pal::Indices rows(7, Bytes(9, 0));
        for (Bytes& row : rows)
            for (std::uint8_t& index : row) {
                // Skewed, so that counts differ; every third picture leaves the last entry unused.
                index = std::uint8_t(random() % (random() % 2 ? 2 : entries - (picture % 3 == 0)));
                ++counts[index];
            }
        const auto hidden = [&](int index) {
            int most = 0;
            for (int other = 0; other < 16; ++other)
                if (table[std::size_t(other)] == table[std::size_t(index)])
                    most = std::max(most, counts[std::size_t(other)]);
            return counts[std::size_t(index)] > 0 && counts[std::size_t(index)] < most;
        };
        const Bytes gif = pal::gifBytes(9, 7, table, {{.rows = rows}});
        load(gif);
        const Twins found = model.twins;
        const std::vector<int> white = showTwinsOnly(model);
        for (int index = 0; index < 256; ++index)
            EXPECT_EQ(std::ranges::count(white, index), index < 16 && hidden(index)) << index;
        const auto sink = load(gif, {}, DrawMode::Redraw);
        EXPECT_EQ(model.twins, found);   // a redraw keeps what the full load found
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x)
                EXPECT_EQ(sink->at(x, y), hidden(rows[std::size_t(y)][std::size_t(x)]) ? grey(255) : grey(0));
    }
}

} // namespace
