// Windows-1252 codes, case rules, line breaks and UTF-8.
#include "common/letter_case.h"
#include "common/text.h"
#include "common/utf8.h"
#include "common/windows1252.h"

#include <gtest/gtest.h>

using namespace quirlwerk;
using namespace quirlwerk::common;

namespace {

struct CodeRow {
    const char* name;
    char16_t character;
    std::uint8_t code;
};

constexpr CodeRow codes[] = {
    {"control character", u'\t', 0x09},
    {"euro sign", u'€', 0x80},
    {"Y with diaeresis", u'Ÿ', 0x9F},
    {"unassigned 8D", u'\u008D', 0x8D},
    {"a umlaut", u'ä', 0xE4},
    {"outside as question mark", u'Ж', 0x3F},
};

} // namespace

TEST(Windows1252, maps_both_ways)
{
    for (const CodeRow& row : codes) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toWindows1252(row.character), row.code);
        if (row.code != 0x3F) {
            EXPECT_EQ(fromWindows1252(row.code), row.character);
        }
    }
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(toWindows1252(fromWindows1252(static_cast<std::uint8_t>(code))), code) << code;
    for (const char16_t c : {u'\u0080', u'\u0085', u'\uFFFF', u'\u0100'})
        EXPECT_EQ(toWindows1252(c), 0x3F) << int(c);
}

TEST(LetterCase, follows_the_locale_rules)
{
    EXPECT_EQ(toUpper(TextView(u"abc äöü éàç ß ÿ šœž µ ÷ 1!")), u"ABC ÄÖÜ ÉÀÇ ß Ÿ ŠŒŽ µ ÷ 1!");
    EXPECT_EQ(toLower(TextView(u"ABC ÄÖÜ ÉÀÇ ß Ÿ ŠŒŽ × 1!")), u"abc äöü éàç ß ÿ šœž × 1!");
}

TEST(LetterCase, upper_and_lower_are_inverse_on_letters)
{
    for (char16_t c = 0; c < 0x180; ++c) {
        if (toUpper(c) != c) {
            EXPECT_EQ(toLower(toUpper(c)), c) << int(c);
        }
    }
}

TEST(LineBreaks, lone_line_feeds_become_cr_lf)
{
    EXPECT_EQ(withCrLf(u"a\nb\r\nc\rd\n\n"), u"a\r\nb\r\nc\rd\r\n\r\n");
}

TEST(Utf8, round_trips_every_plane)
{
    const Text text = u"Grüße € \U0001F600 \u0000 end";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(Text(1, char16_t(0xD800))), "\xEF\xBF\xBD");   // a lone surrogate
}

TEST(Utf8, refuses_invalid_input)
{
    struct Row {
        const char* name;
        std::string bytes;
        std::size_t offset;
    };
    const Row rows[] = {
        {"lone continuation byte", "ab\x80", 2},
        {"truncated sequence", "x\xC3", 1},
        {"overlong slash", "\xC0\xAF", 0},
        {"encoded surrogate", "\xED\xA0\x80", 0},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"invalid lead byte", "\xFF", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Utf8Error error{};
        EXPECT_FALSE(fromUtf8(row.bytes, &error));
        EXPECT_EQ(error.offset, row.offset);
    }
}
