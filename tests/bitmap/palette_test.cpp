// The colour functions, the limits of a bitmap's colour table, and the "+" steppers.
#include "bitmap/bmp_reader.h"
#include "bitmap/palette.h"

#include <gtest/gtest.h>

using namespace quirlwerk;
using namespace quirlwerk::bitmap;

TEST(ColourFunctions, transform_an_entry_modulo_first)
{
    const auto colours = [](int modulo, int threshold) { return TransformSettings{modulo, threshold, false, false}; };
    const std::tuple<const char*, TransformSettings, int, std::array<int, 3>, std::array<int, 3>> rows[] = {
        {"modulo 17 on colours", colours(17, 0), 5, {16, 37, 65}, {16, 3, 14}},
        {"modulo 1 is off", colours(1, 0), 5, {16, 37, 65}, {16, 37, 65}},
        {"negative modulo is off", colours(-3, 0), 5, {16, 37, 65}, {16, 37, 65}},
        {"modulo on the index leaves colours", {17, 0, true, false}, 5, {16, 37, 65}, {16, 37, 65}},
        {"threshold 100 on colours: 99 below, 100 at", colours(0, 100), 5, {16, 99, 100}, {0, 0, 255}},
        {"threshold 100 on index 99", {0, 100, true, true}, 99, {200, 200, 200}, {0, 0, 0}},
        {"threshold 100 on index 100", {0, 100, true, true}, 100, {0, 0, 0}, {255, 255, 255}},
        {"modulo 17 then threshold 10", colours(17, 10), 5, {16, 37, 65}, {255, 0, 255}},
    };
    for (const auto& [name, settings, entry, rgb, expected] : rows)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(F(rgb[std::size_t(c)], entry, settings), expected[std::size_t(c)]) << name;
}

TEST(BmpColours, stop_at_the_count_and_break_off_past_256_or_inside_an_entry)
{
    // whole entries in the file, bytes after them, colour count, entries read, whole
    const std::tuple<int, int, int, int, bool> rows[] = {
        {10, 0, 4, 4, true}, {300, 0, 300, 256, false}, {256, 0, 300, 256, true}, {257, 0, 257, 256, false},
        {2, 1, 256, 2, true}, {2, 2, 256, 2, false}, {2, 3, 256, 3, true},
    };
    for (const auto& [entries, extra, count, read, whole] : rows) {
        std::vector<std::uint8_t> table(std::size_t(entries * 4 + extra));
        for (std::size_t i = 0; i < table.size(); ++i)
            table[i] = std::uint8_t(i / 4 + i % 4);   // blue, green, red: entry, entry + 1, entry + 2
        std::vector<palette::Rgb> colours;
        EXPECT_EQ(bmpColours(table, std::int64_t(table.size()), count, colours), whole) << entries << "+" << extra;
        ASSERT_EQ(int(colours.size()), read);
        EXPECT_EQ(colours.back(), (palette::Rgb{std::uint8_t(read + 1), std::uint8_t(read), std::uint8_t(read - 1)}));
    }
}

TEST(Steppers, modulo_skips_one_threshold_counts_on_both_wrap_after_254)
{
    const std::tuple<const char16_t*, int, int> rows[] = {
        {u"", 2, 1}, {u"   ", 2, 1}, {u"1", 2, 2}, {u"254", 255, 255}, {u"255", 0, 0}, {u"-5", 2, -4}, {u"x", 2, 1}, {u"2.5", 3, 3},
    };
    for (const auto& [text, modulo, threshold] : rows) {
        EXPECT_EQ(nextModulo(text), modulo);
        EXPECT_EQ(nextThreshold(text), threshold);
    }
    EXPECT_ANY_THROW(nextModulo(u"9E9"));
}

TEST(ColourTableWindowRules, cell_colour_and_edited_component)
{
    EXPECT_EQ(cellColour({0, 0, 0, 0}), 0xFF010000u);   // all zero is painted as red 1
    EXPECT_EQ(cellColour({0, 0, 9, 0}), 0xFF000009u);
    EXPECT_EQ(cellColour({200, 55, 300, 0}), 0xFFC837FFu);
    EXPECT_EQ(cellColour({-3, 0, 0, 0}), 0xFF000000u);
    for (const auto& [typed, stored] : {std::pair{255, 255}, {256, 255}, {-5, -5}})
        EXPECT_EQ(editedComponent(typed), stored);
}
