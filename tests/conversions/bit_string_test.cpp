// Bit strings: groups of eight with their lines, the hex list counting 3 columns a byte, the text beside it.
#include "conversions/bit_string.h"

#include "common/windows1252.h"
#include "conversions/conversion_testing.h"

#include <vector>

using namespace quirlwerk::conversions::testing;

// A literal reading of the layout: eight groups a line, 27 values a hex and text line. It takes the bytes as
// given, so it cannot see which characters the code skips between the bits; the generator draws those.
static Text layout(const std::vector<int>& bytes)
{
    const Text digits = u"0123456789ABCDEF";
    Text groups, hex, text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        Text bits;
        for (int bit = 7; bit >= 0; --bit)
            bits += (bytes[i] >> bit) & 1 ? u'1' : u'0';
        groups += (i == 0 ? u"" : i % 8 == 0 ? u"\r\n " : u" ") + bits;
        hex += Text(i == 0 ? u"" : i % 27 == 0 ? u"\r\n" : u" ") + (bytes[i] >= 16 ? digits.substr(bytes[i] / 16, 1) : Text())
            + digits[bytes[i] % 16];
        text += Text(i > 0 && i % 27 == 0 ? u"\r\n" : u"") + common::fromWindows1252(static_cast<std::uint8_t>(bytes[i]));
    }
    return groups + u"\r\n\r\nUmwandlung in HEX-Zahlen:\r\n" + hex + u"\r\n\r\nUmwandlung in Text:\r\n" + text;
}

// Byte counts at, just below and just past a group line (8) and a hex line (27), and a rest of 0 to 7 bits dropped.
TEST(Convert01toHex, agrees_with_the_layout_at_every_line_limit)
{
    EXPECT_TRUE(layout({0x48, 0x0A}).starts_with(u"01001000 00001010\r\n\r\nUmwandlung in HEX-Zahlen:\r\n48 A\r\n"));
    std::mt19937 random(3);
    for (const int count : {0, 1, 7, 8, 9, 16, 17, 26, 27, 28, 54, 55, 81, 82}) {
        for (int rest = 0; rest < 8; ++rest) {
            std::vector<int> bytes(count);
            Text input = drawn(u"x", random() % 2, random);
            for (int& byte : bytes) {
                byte = static_cast<int>(random() % 256);
                for (int bit = 7; bit >= 0; --bit)
                    input += drawn(u" \r\n2a", random() % 4 == 0, random) + ((byte >> bit) & 1 ? u"1" : u"0");
            }
            SCOPED_TRACE(::testing::Message() << count << " bytes and " << rest << " bits");
            expectOk(Convert01toHex(input + drawn(u"01", rest, random)), layout(bytes));
        }
    }
}
