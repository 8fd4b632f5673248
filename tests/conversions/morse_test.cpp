// Morse code: the table found by decoding every code and checked against the code's own rules; gaps and signals.
#include "conversions/morse.h"

#include "conversions/conversion_testing.h"

#include <map>
#include <set>

using namespace quirlwerk::conversions::testing;

// Every code of 1 to 9 signals (the distress signal is the longest) that decodes to a row, with its text.
static std::map<Text, Text> decodableCodes()
{
    std::map<Text, Text> rows;
    for (int length = 1; length <= 9; ++length) {
        for (int bits = 0; bits < (1 << length); ++bits) {
            Text code;
            for (int i = length - 1; i >= 0; --i)
                code += (bits >> i) & 1 ? u'-' : u'.';
            if (const Text text = MorseText(code).output; text != u"?(" + code + u")")
                rows[code] = text;
        }
    }
    return rows;
}

// The letters by their place in the binary tree (dot left, dash right), the digits by their counting rule.
// Neither sees the accented letters, punctuation and signals: a sample below covers those.
static Text referenceCode(char16_t c)
{
    Text code;
    for (int i = 0, d = c - u'0'; c <= u'9' && i < 5; ++i)
        code += (d >= 1 && d <= 5 ? i >= d : i < (d + 5) % 10) ? u'-' : u'.';
    for (std::size_t node = TextView(u"..ETIANMSURWDKGOHVFÜLÄPJBXCYZQÖ").find(c, 2); c > u'9' && node > 1; node /= 2)
        code.insert(0, 1, node % 2 ? u'-' : u'.');
    return code;
}

TEST(Morse, every_row_decodes_and_encodes_back_to_its_own_code)
{
    ASSERT_FALSE(FillMorse());
    const std::map<Text, Text> rows = decodableCodes();
    EXPECT_EQ(rows.size(), 64u);
    std::set<Text> texts;
    for (const auto& [code, text] : rows) {
        SCOPED_TRACE(std::string(code.begin(), code.end()));
        EXPECT_TRUE(texts.insert(text).second);   // no two rows alike
        const bool ruled = text.size() == 1 && TextView(u"ABCDEFGHIJKLMNOPQRSTUVWXYZÖÄÜ0123456789").find(text[0]) != TextView::npos;
        EXPECT_EQ(code, ruled ? referenceCode(text[0]) : code);
        // The two-letter rows "CH" and "N~" are spelt letter by letter; every other row, signals included, comes back.
        EXPECT_EQ(TextMorse(text).output == code + u" ", text != u"CH" && text != u"N~");
    }
    EXPECT_EQ(rows.at(u"----") + rows.at(u"--.--"), u"CHN~");
}

TEST(Morse, converts_both_ways)
{
    expectEach({
        {"word gap, small letters", u"Hallo Welt", u".... .- .-.. .-.. --- / .-- . .-.. - "},
        {"accents and punctuation", u"ÀÈÉß.,:;?-_()'=+/@",
         u".--.- .-..- ..-.. ...--.. .-.-.- --..-- ---... -.-.-. ..--.. -....- ..--.- -.--. -.--.- .----. -...- .-.-. "
         u"-..-. .--.-. "},
        {"second and third blank copied, a leading blank is a gap", u" a  b   c", u"/ .- /  -... /   -.-. "},
        {"signals in either case, the distress signal at the end", u"<KA><Ve><sk><hh><sos>",
         u"-.-.- ...-. ...-.- ........ ...---... "},
        {"no such signal, signals cut short", u"<xy><ka<sos", u"<-..- -.-- ><-.- .- <... --- ... "},
        {"a signal clears the gap, a line break keeps it", u"a <sk> b \r\n e", u".- / ...-.- / -... / \r\n . "},
        {"no row stays", u"!#Ñ", u"!#Ñ"},
    }, TextMorse);
    expectEach({
        {"word gap comes back, a second blank and other characters copied", u".- -... / -.-.  x_...", u"AB/ C x_S"},
        {"line breaks survive, the character ending a code is dropped", u"...\r\n---\t.x-", u"S\r\nO\tET"},
    }, MorseText);
}
