// Morse code: encoding with word gaps and signals, decoding with line breaks kept.
#include "conversions/morse.h"

#include <gtest/gtest.h>

#include <random>
#include <span>

using namespace quirlwerk;
using namespace quirlwerk::conversions;

namespace {

struct MorseRow {
    const char* name;
    std::u16string_view input;
    std::u16string_view output;
};

constexpr MorseRow textToMorse[] = {
    {"letters", u"SOS", u"... --- ... "},
    {"word gap", u"Hallo Welt", u".... .- .-.. .-.. --- / .-- . .-.. - "},
    {"second blank copied", u"a  b", u".- /  -... "},
    {"third blank copied too", u"a   b", u".- /   -... "},
    {"leading blank is a gap", u" e", u"/ . "},
    {"distress signal small", u"<sos>", u"...---... "},
    {"distress signal capital", u"<SOS>", u"...---... "},
    {"signal small", u"<ka>", u"-.-.- "},
    {"signal in capitals", u"<KA>", u"-.-.- "},
    {"last signal row", u"<hh>", u"........ "},
    {"no such signal", u"<xy>", u"<-..- -.-- >"},
    {"signal cut short", u"<ka", u"<-.- .- "},
    {"signal clears the gap", u"a <sk> b", u".- / ...-.- / -... "},
    {"line break kept in place", u"e\r\ne", u". \r\n. "},
    {"line break keeps the gap flag", u"e \r\n e", u". / \r\n . "},
    {"umlaut in capitals", u"äé", u".-.- ..-.. "},
    {"sharp s", u"ß", u"...--.. "},
    {"two-letter row not used", u"ch", u"-.-. .... "},
    {"no row stays", u"!#Ñ", u"!#Ñ"},
    {"punctuation", u".,?/@", u".-.-.- --..-- ..--.. -..-. .--.-. "},
    {"empty", u"", u""},
};

constexpr MorseRow morseToText[] = {
    {"letters", u"... --- ...", u"SOS"},
    {"no gaps makes a signal", u"...---...", u"<SOS>"},
    {"word gap comes back", u".- -... / -.-.", u"AB/ C"},
    {"no such code", u".........", u"?(.........)"},
    {"first two-letter row", u"----", u"CH"},
    {"second two-letter row", u"--.--", u"N~"},
    {"signal", u"-.-.-", u"<ka>"},
    {"other characters copied", u"A...", u"AS"},
    {"second blank copied", u".-  -...", u"A B"},
    {"line break survives", u"...\r\n---", u"S\r\nO"},
    {"ending character dropped", u"...x---", u"SO"},
    {"empty", u"", u""},
};

const Text tableCharacters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ÀÄÈÉÖÜß.,:;?-_()'=+/@";

} // namespace

void expectRows(std::span<const MorseRow> rows, Conversion (*routine)(Text))
{
    for (const MorseRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Conversion result = routine(Text(row.input));
        EXPECT_EQ(result.status, u"OK");
        EXPECT_EQ(result.output, row.output);
        EXPECT_FALSE(result.failure);
    }
}

TEST(TextMorse, encodes_each_character)
{
    FillMorse();
    expectRows(textToMorse, TextMorse);
}

TEST(MorseText, decodes_each_code)
{
    expectRows(morseToText, MorseText);
}

TEST(FillMorse, builds_without_a_message)
{
    EXPECT_FALSE(FillMorse());
}

// Every blank comes back as the word gap "/ " that encoding wrote for it.
TEST(MorseText, gives_back_encoded_text_with_word_gaps)
{
    std::mt19937 random(11);
    for (int round = 0; round < 500; ++round) {
        Text text;
        Text expected;
        const std::size_t length = random() % 40;
        for (std::size_t i = 0; i < length; ++i) {
            if (random() % 5 == 0 && (text.empty() || text.back() != u' ')) {
                text += u' ';
                expected += u"/ ";
            } else {
                const char16_t c = tableCharacters[random() % tableCharacters.size()];
                text += c;
                expected += c;
            }
        }
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        EXPECT_EQ(MorseText(TextMorse(text).output).output, expected);
    }
}
