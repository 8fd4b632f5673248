// ASCII codes: text to hexadecimal Windows-1252 codes and back.
#include "conversions/ascii.h"

#include "common/windows1252.h"
#include "conversions/conversion_testing.h"

using namespace quirlwerk::conversions::testing;

TEST(AsciiCodes, convert_both_ways)
{
    // Umlauts and sharp s spelt out first; accent and euro by code page, others as question mark.
    EXPECT_EQ(textToCodes(u"Bär ÄÖÜöüß é€Ωж"), u"42 61 65 72 20 41 65 4F 65 55 65 6F 65 75 65 73 73 20 E9 80 3F 3F ");
    constexpr TextRow toText[] = {
        {"either case of digits, with or without gaps", u"48 65 6C6c 6f 20 57 6F 72 6C 64", u"Hello World"},
        {"prefixed and comma separated", u"0x48,0X65,0x6C,&H6F", u"Helo"},
        {"lone digits dropped", u"486 4 8 0xZ4 Hallo Welt!", u"H"},
        {"prefix only where a pair begins", u"50x41", u"PA"},
        {"utf-8 u umlaut, C3 twice keeps the flag", u"C3 BC C3 C3 BC", u"üü"},
        {"flag cleared after use, other byte after C3, C3 at the end", u"C3 A4 41 C3", u"?A"},
        {"line break and zero", u"0D 0A 00", TextView(u"\r\n\0", 3)},
    };
    for (const TextRow& row : toText)
        EXPECT_EQ(codesToText(row.input), row.output) << row.name;
}

// Codes from 16 on have two digits and read back; below 16 one digit, which reading drops as a lone digit.
TEST(CodesToText, reads_back_every_character_from_code_16)
{
    for (int code = 0; code < 256; ++code) {
        const char16_t c = common::fromWindows1252(static_cast<std::uint8_t>(code));
        // C3 starts a two-byte letter; the German letters are spelt out before encoding.
        if (code == 0xC3 || TextView(u"äöüÄÖÜß").find(c) != TextView::npos)
            continue;
        EXPECT_EQ(codesToText(textToCodes(Text(1, c))), code < 16 ? Text() : Text(1, c)) << code;
    }
}
