// ASCII codes: text to hexadecimal Windows-1252 codes and back.
#include "conversions/ascii.h"

#include "common/windows1252.h"

#include <gtest/gtest.h>

using namespace quirlwerk;
using namespace quirlwerk::conversions;

namespace {

struct AsciiRow {
    const char* name;
    std::u16string_view input;
    std::u16string_view output;
};

constexpr AsciiRow textToCodesRows[] = {
    {"word", u"Hallo", u"48 61 6C 6C 6F "},
    {"umlaut spelt out first", u"Bär", u"42 61 65 72 "},
    {"sharp s spelt out", u"Straße", u"53 74 72 61 73 73 65 "},
    {"capital umlauts", u"ÄÖÜ", u"41 65 4F 65 55 65 "},
    {"empty", u"", u""},
    {"codes below 16 have one digit", u"\t\r\n", u"9 D A "},
    {"accent and euro by code page", u"é€", u"E9 80 "},
    {"outside the code page as question mark", u"Ωж", u"3F 3F "},
};

constexpr AsciiRow codesToTextRows[] = {
    {"lower-case digits", u"48 65 6C 6C 6f 20 57 6F 72 6C 64", u"Hello World"},
    {"prefixed pairs", u"0x48 0x65 0x6C 0x6C 0x6F 0x20 0x57 0x6F 0x72 0x6C 0x64", u"Hello World"},
    {"pairs without gaps", u"48656C6C6F", u"Hello"},
    {"prefixed and comma separated", u"0x48,0x65,0x6C,0x6C,0x6F", u"Hello"},
    {"capital X prefix", u"0X41", u"A"},
    {"trailing lone digit", u"486", u"H"},
    {"digits split by a blank", u"4 8", u""},
    {"skipped letter after prefix", u"0xZ4", u""},
    {"prefix only where a pair begins", u"50x41", u"PA"},
    {"utf-8 u umlaut", u"C3 BC", u"ü"},
    {"other byte after C3", u"C3 A4", u"?"},
    {"C3 twice keeps the flag", u"C3 C3 BC", u"ü"},
    {"C3 at the end", u"41 C3", u"A"},
    {"flag cleared after use", u"C3 A4 41", u"?A"},
    {"only lone digits", u"Hallo Welt!", u""},
    {"no digits", u"Txt: ?", u""},
    {"visual basic hex prefix", u"&H41", u"A"},
    {"one-digit codes are not read", u"9 D A ", u""},
    {"line break and zero", u"0D 0A 00", std::u16string_view(u"\r\n\0", 3)},
    {"unassigned code gives its control character", u"81", u"\u0081"},
    {"euro", u"80", u"€"},
    {"empty", u"", u""},
};

} // namespace

TEST(TextToCodes, writes_each_code_and_a_blank)
{
    for (const AsciiRow& row : textToCodesRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(textToCodes(row.input), row.output);
    }
}

TEST(CodesToText, reads_pairs_of_digits)
{
    for (const AsciiRow& row : codesToTextRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(codesToText(row.input), row.output);
    }
}

TEST(CodesToText, reads_back_every_character_from_code_16)
{
    for (int code = 16; code < 256; ++code) {
        const char16_t c = common::fromWindows1252(static_cast<std::uint8_t>(code));
        // C3 starts a two-byte letter; the German letters are spelt out before encoding.
        if (code == 0xC3 || std::u16string_view(u"äöüÄÖÜß").find(c) != std::u16string_view::npos)
            continue;
        SCOPED_TRACE(code);
        EXPECT_EQ(codesToText(textToCodes(Text(1, c))), Text(1, c));
    }
}
