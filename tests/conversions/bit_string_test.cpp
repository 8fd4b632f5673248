// Bit strings: groups of eight with their lines, the hex list counting 3 columns a byte, the text beside it.
#include "conversions/bit_string.h"

#include "common/windows1252.h"
#include "conversions/conversion_testing.h"
#include "conversions/word_lengths.h"

#include <random>
#include <vector>

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;
using namespace std::literals;

namespace {

Text expectedBits(TextView groups, TextView hex, TextView text)
{
    return Text(groups) + u"\r\n\r\nUmwandlung in HEX-Zahlen:\r\n" + Text(hex) + u"\r\n\r\nUmwandlung in Text:\r\n"
        + Text(text);
}

struct BitsRow {
    const char* name;
    Text input;
    Text output;
};

const BitsRow rows[] = {
    {"worked example", u"0100100001100001011011000110110001101111",
     expectedBits(u"01001000 01100001 01101100 01101100 01101111", u"48 61 6C 6C 6F", u"Hallo")},
    {"no complete group", u"0101010 abc", expectedBits(u"", u"", u"")},
    {"no leading zero, trailing bits dropped, line feed written", u"0000101001",
     expectedBits(u"00001010", u"A", u"\n")},
    {"a group may be split anywhere, zero byte written", u"0100 1\r\n000 00000000",
     expectedBits(u"01001000 00000000", u"48 0", u"H\0"sv)},
    {"upper half by the code page", u"11100100 10000000", expectedBits(u"11100100 10000000", u"E4 80", u"ä€")},
    {"30 groups: 8 groups a line, 27 values a hex line", repeated(u"01000001", 30, u""),
     expectedBits(repeated(repeated(u"01000001", 8, u" "), 3, u"\r\n ") + u"\r\n " + repeated(u"01000001", 6, u" "),
                  repeated(u"41", 27, u" ") + u"\r\n41 41 41", repeated(u"A", 27, u"") + u"\r\nAAA")},
};

// Word lengths whose parities spell the bits of the bytes: odd for "1", even for "0".
Text textSpelling(const std::vector<std::uint8_t>& bytes, std::mt19937& random)
{
    constexpr TextView separators[] = {u" ", u", ", u".\r\n", u" - ", u"!  "};
    constexpr TextView letters = u"abcXYZäöüß09";
    Text text;
    for (const std::uint8_t byte : bytes) {
        for (int bit = 7; bit >= 0; --bit) {
            const int length = 2 * static_cast<int>(random() % 5) + 1 + (((byte >> bit) & 1) ? 0 : 1);
            for (int i = 0; i < length; ++i)
                text += letters[random() % letters.size()];
            text += separators[random() % std::size(separators)];
        }
    }
    return text;
}

// The part of the text between the two headings, or up to its end.
TextView between(TextView text, TextView from, TextView to = {})
{
    const std::size_t start = text.find(from) + from.size();
    return text.substr(start, to.empty() ? TextView::npos : text.find(to, start) - start);
}

} // namespace

TEST(Convert01toHex, writes_groups_hex_and_text)
{
    for (const BitsRow& row : rows) {
        SCOPED_TRACE(row.name);
        expectOk(Convert01toHex(row.input), row.output);
    }
}

TEST(Convert01toHex, recovers_the_bytes_spelled_by_word_lengths)
{
    std::mt19937 random(11);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::uint8_t> bytes(random() % 40);
        for (std::uint8_t& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        const Conversion lengths = ZaehleBuchstaben(textSpelling(bytes, random));
        ASSERT_TRUE(lengths.ok());
        const TextView bitsEvenZero =
            between(lengths.output, u"Gerade Zahlen = 0, Ungerade Zahlen = 1:\r\n", u"\r\n\r\nGerade Zahlen = 1");

        const Conversion hex = Convert01toHex(Text(bitsEvenZero));
        ASSERT_TRUE(hex.ok());
        Text expected;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            expected += (i > 0 && i % 27 == 0 ? Text(u"\r\n") : Text()) + common::fromWindows1252(bytes[i]);
        EXPECT_EQ(between(hex.output, u"Umwandlung in Text:\r\n"), expected);
    }
}
