// Windows-1252 codes, case rules, line breaks and UTF-8, each at the edges of its ranges.
#include "common/letter_case.h"
#include "common/text.h"
#include "common/utf8.h"
#include "common/windows1252.h"

#include <gtest/gtest.h>

using namespace quirlwerk;
using namespace quirlwerk::common;

// Every code goes there and back; the samples sit at the edges of the typographic block 80 to 9F.
TEST(Windows1252, maps_both_ways)
{
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(toWindows1252(fromWindows1252(static_cast<std::uint8_t>(code))), code) << code;
    const std::pair<char16_t, int> samples[] = {{u'\u007F', 0x7F}, {u'€', 0x80}, {u'\u008D', 0x8D}, {u'Ÿ', 0x9F},
                                                {u'\u00A0', 0xA0}, {u'ÿ', 0xFF}};
    for (const auto& [character, code] : samples) {
        EXPECT_EQ(fromWindows1252(static_cast<std::uint8_t>(code)), character) << code;
        EXPECT_EQ(windows1252Code(character), code) << code;
    }
    for (const char16_t outside : {u'\u0080', u'\u0085', u'\u0100', u'Ж', u'\uFFFF'})
        EXPECT_EQ(toWindows1252(outside), 0x3F) << int(outside);
}

TEST(LetterCase, follows_the_locale_rules_and_upper_and_lower_are_inverse)
{
    EXPECT_EQ(toUpper(TextView(u"abc äöü éàç ß þ ÿ šœž µ ÷ 1!")), u"ABC ÄÖÜ ÉÀÇ ß Þ Ÿ ŠŒŽ µ ÷ 1!");
    EXPECT_EQ(toLower(TextView(u"ABC ÄÖÜ ÉÀÇ ß Þ Ÿ ŠŒŽ × 1!")), u"abc äöü éàç ß þ ÿ šœž × 1!");
    for (char16_t c = 0; c < 0x180; ++c) {
        EXPECT_TRUE(toUpper(c) == c || toLower(toUpper(c)) == c) << int(c);
        EXPECT_TRUE(toLower(c) == c || toUpper(toLower(c)) == c) << int(c);
    }
}

TEST(LineBreaks, lone_line_feeds_become_cr_lf)
{
    EXPECT_EQ(withCrLf(u"a\nb\r\nc\rd\n\n"), u"a\r\nb\r\nc\rd\r\n\r\n");
}

// The first and last character of each encoded length, the edges of the surrogates; invalid input names where.
TEST(Utf8, round_trips_at_each_length_limit_and_refuses_invalid_input)
{
    const std::pair<char32_t, std::size_t> limits[] = {{0, 1},      {0x7F, 1},    {0x80, 2},     {0x7FF, 2},
                                                       {0x800, 3},  {0xD7FF, 3},  {0xE000, 3},   {0xFFFF, 3},
                                                       {0x10000, 4}, {0x10FFFF, 4}};
    for (const auto& [code, length] : limits) {
        const Text text = code < 0x10000 ? Text(1, char16_t(code))
                                         : Text{char16_t(0xD800 + ((code - 0x10000) >> 10)), char16_t(0xDC00 + (code & 0x3FF))};
        EXPECT_EQ(toUtf8(text).size(), length) << int(code);
        EXPECT_EQ(fromUtf8(toUtf8(text)), text) << int(code);
    }
    EXPECT_EQ(toUtf8(Text(1, char16_t(0xD800))), "\xEF\xBF\xBD");   // a lone surrogate
    const std::tuple<const char*, std::string, std::size_t> rows[] = {
        {"lone continuation byte", "ab\x80", 2}, {"truncated sequence", "x\xC3", 1}, {"overlong slash", "\xC0\xAF", 0},
        {"overlong just below 3 bytes", "\xE0\x9F\xBF", 0}, {"encoded surrogate", "\xED\xA0\x80", 0},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0}, {"invalid lead byte", "\xFF", 0},
    };
    for (const auto& [name, bytes, offset] : rows) {
        Utf8Error error{};
        EXPECT_FALSE(fromUtf8(bytes, &error)) << name;
        EXPECT_EQ(error.offset, offset) << name;
    }
}
