// The colour functions, the index limits of the colour table load, and the "+" steppers.
#include "bitmap/palette.h"
#include "bitmap/bmp_reader.h"

#include "common/failure.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quirlwerk;
using namespace quirlwerk::bitmap;

namespace {

struct EntryRow {
    const char* name;
    TransformSettings settings;
    int entry;
    std::array<int, 3> rgb;
    std::array<int, 3> expected;
};

constexpr TransformSettings onColours(int modulo, int threshold)
{
    return {modulo, threshold, false, false};
}

const EntryRow entryRows[] = {
    {"modulo 17 on colours", onColours(17, 0), 5, {16, 37, 65}, {16, 3, 14}},
    {"modulo 1 is off", onColours(1, 0), 5, {16, 37, 65}, {16, 37, 65}},
    {"negative modulo is off", onColours(-3, 0), 5, {16, 37, 65}, {16, 37, 65}},
    {"modulo 256 changes nothing", onColours(256, 0), 5, {255, 37, 65}, {255, 37, 65}},
    {"modulo on the index leaves colours", {17, 0, true, false}, 5, {16, 37, 65}, {16, 37, 65}},
    {"threshold 100 on colours", onColours(0, 100), 5, {16, 99, 133}, {0, 0, 255}},
    {"threshold 100 on index below", {0, 100, true, true}, 99, {200, 200, 200}, {0, 0, 0}},
    {"threshold 100 on index at", {0, 100, true, true}, 100, {0, 0, 0}, {255, 255, 255}},
    {"modulo 17 then threshold 10", onColours(17, 10), 5, {16, 37, 65}, {255, 0, 255}},
    {"threshold above 255 makes black", onColours(0, 300), 5, {255, 255, 255}, {0, 0, 0}},
};

} // namespace

TEST(ColourFunctions, transform_an_entry_modulo_first)
{
    for (const EntryRow& row : entryRows) {
        SCOPED_TRACE(row.name);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(F(row.rgb[c], row.entry, row.settings), row.expected[c]);
    }
}

struct LimitRow {
    const char* name;
    int wholeEntries;
    int extraBytes;
    std::int32_t colourCount;
    int expectedEntries;
    bool indexFailure;
};

const LimitRow limitRows[] = {
    {"count limits the entries", 10, 0, 4, 4, false},
    {"count 300 with a long table", 300, 0, 300, 256, true},
    {"count 300 with a table of 256", 256, 0, 300, 256, false},
    {"last part of one byte is ignored", 2, 1, 256, 2, false},
    {"last part of two bytes fails", 2, 2, 256, 2, true},
    {"last part of three bytes gives an entry", 2, 3, 256, 3, false},
};

TEST(ColourTableLoad, index_limits)
{
    for (const LimitRow& row : limitRows) {
        SCOPED_TRACE(row.name);
        std::vector<std::uint8_t> table(std::size_t(row.wholeEntries * 4 + row.extraBytes), 9);
        const std::int64_t length = std::int64_t(table.size());
        table.resize(std::max(table.size(), usableTableBytes));
        std::vector<palette::Rgb> colours;
        EXPECT_EQ(bmpColours(table, length, row.colourCount, colours), !row.indexFailure);
        EXPECT_EQ(std::int32_t(colours.size()), row.expectedEntries);
    }
}

struct StepRow {
    const char* name;
    const char16_t* text;
    std::int32_t modulo;
    std::int32_t threshold;
};

const StepRow stepRows[] = {
    {"empty", u"", 2, 1},
    {"blanks only", u"   ", 2, 1},
    {"one", u"1", 2, 2},
    {"254", u"254", 255, 255},
    {"255 wraps", u"255", 0, 0},
    {"negative", u"-5", 2, -4},
    {"not a number", u"x", 2, 1},
    {"rounds half to even", u"2.5", 3, 3},
};

TEST(Steppers, modulo_skips_one_threshold_counts_on)
{
    for (const StepRow& row : stepRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(nextModulo(row.text), row.modulo);
        EXPECT_EQ(nextThreshold(row.text), row.threshold);
    }
    EXPECT_THROW(nextModulo(u"9E9"), common::Failure);
}

struct CellRow {
    const char* name;
    FarbEintrag entry;
    Colour colour;
};

const CellRow cellRows[] = {
    {"all zero is painted as red 1", {0, 0, 0, 0}, 0xFF010000u},
    {"one component set", {0, 0, 9, 0}, 0xFF000009u},
    {"a colour", {200, 55, 100, 0}, 0xFFC83764u},
    {"a negative pasted component as 0", {-3, 0, 0, 0}, 0xFF000000u},
};

TEST(ColourTableWindowRules, cell_colour_and_edited_component)
{
    for (const CellRow& row : cellRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(cellColour(row.entry), row.colour);
    }
    const std::pair<std::int32_t, std::int32_t> edits[] = {{0, 0}, {255, 255}, {256, 255}, {999, 255}, {-5, -5}};
    for (const auto& [typed, stored] : edits)
        EXPECT_EQ(editedComponent(typed), stored) << typed;
}
