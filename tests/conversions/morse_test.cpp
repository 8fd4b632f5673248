// Morse code: encoding with word gaps and signals, decoding with line breaks kept.
#include "conversions/morse.h"

#include "conversions/conversion_testing.h"

#include <random>

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;

namespace {

constexpr TextRow textToMorse[] = {
    {"letters", u"SOS", u"... --- ... "},
    {"word gap", u"Hallo Welt", u".... .- .-.. .-.. --- / .-- . .-.. - "},
    {"second and third blank copied", u"a  b   c", u".- /  -... /   -.-. "},
    {"leading blank is a gap", u" e", u"/ . "},
    {"distress signal small", u"<sos>", u"...---... "},
    {"signal in capitals", u"<KA>", u"-.-.- "},
    {"no such signal", u"<xy>", u"<-..- -.-- >"},
    {"signal cut short", u"<ka", u"<-.- .- "},
    {"signal clears the gap", u"a <sk> b", u".- / ...-.- / -... "},
    {"line break keeps the gap flag", u"e \r\n e", u". / \r\n . "},
    {"umlaut, accent and sharp s", u"äéß", u".-.- ..-.. ...--.. "},
    {"two-letter row not used", u"ch", u"-.-. .... "},
    {"no row stays", u"!#Ñ", u"!#Ñ"},
    {"punctuation", u".,?/@", u".-.-.- --..-- ..--.. -..-. .--.-. "},
};

constexpr TextRow morseToText[] = {
    {"letters", u"... --- ...", u"SOS"},
    {"no gaps makes a signal", u"...---...", u"<SOS>"},
    {"word gap comes back", u".- -... / -.-.", u"AB/ C"},
    {"no such code", u".........", u"?(.........)"},
    {"first two-letter row", u"----", u"CH"},
    {"signal", u"-.-.-", u"<ka>"},
    {"other characters copied", u"A...", u"AS"},
    {"second blank copied", u".-  -...", u"A B"},
    {"line break survives", u"...\r\n---", u"S\r\nO"},
    {"ending character dropped", u"...x---", u"SO"},
};

} // namespace

TEST(Morse, converts_both_ways)
{
    EXPECT_FALSE(FillMorse());
    for (const TextRow& row : textToMorse) {
        SCOPED_TRACE(row.name);
        expectOk(TextMorse(Text(row.input)), row.output);
    }
    for (const TextRow& row : morseToText) {
        SCOPED_TRACE(row.name);
        expectOk(MorseText(Text(row.input)), row.output);
    }
}

// Every blank comes back as the word gap "/ " that encoding wrote for it.
TEST(MorseText, gives_back_encoded_text_with_word_gaps)
{
    const Text tableCharacters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ÀÄÈÉÖÜß.,:;?-_()'=+/@";
    std::mt19937 random(11);
    for (int round = 0; round < 500; ++round) {
        Text text;
        Text expected;
        for (std::size_t i = random() % 40; i > 0; --i) {
            const bool blank = random() % 5 == 0 && (text.empty() || text.back() != u' ');
            const char16_t c = blank ? u' ' : tableCharacters[random() % tableCharacters.size()];
            text += c;
            expected += blank ? Text(u"/ ") : Text(1, c);
        }
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        EXPECT_EQ(MorseText(TextMorse(text).output).output, expected);
    }
}
