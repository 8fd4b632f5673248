// Morse code: encoding with word gaps and signals, decoding with line breaks kept.
#include "conversions/morse.h"

#include "conversions/conversion_testing.h"

#include <random>
#include <utility>

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;

namespace {

constexpr TextRow textToMorse[] = {
    {"word gap", u"Hallo Welt", u".... .- .-.. .-.. --- / .-- . .-.. - "},
    {"second and third blank copied", u"a  b   c", u".- /  -... /   -.-. "},
    {"leading blank is a gap", u" e", u"/ . "},
    {"distress signal small", u"<sos>", u"...---... "},
    {"signal in capitals", u"<KA>", u"-.-.- "},
    {"no such signal", u"<xy>", u"<-..- -.-- >"},
    {"signal cut short", u"<ka", u"<-.- .- "},
    {"signal clears the gap", u"a <sk> b", u".- / ...-.- / -... "},
    {"line break keeps the gap flag", u"e \r\n e", u". / \r\n . "},
    {"two-letter row not used", u"ch", u"-.-. .... "},
    {"no row stays", u"!#Ñ", u"!#Ñ"},
};

constexpr TextRow morseToText[] = {
    {"word gap comes back", u".- -... / -.-.", u"AB/ C"},
    {"no such code", u".........", u"?(.........)"},
    {"other characters copied", u"A...", u"AS"},
    {"second blank copied", u".-  -...", u"A B"},
    {"line break survives", u"...\r\n---", u"S\r\nO"},
    {"ending character dropped", u"...x---", u"SO"},
};

// The 64 rows of the table, in order.
constexpr std::pair<TextView, TextView> morseTable[] = {
    {u"A", u".-"}, {u"B", u"-..."}, {u"C", u"-.-."}, {u"D", u"-.."}, {u"E", u"."}, {u"F", u"..-."}, {u"G", u"--."},
    {u"H", u"...."}, {u"I", u".."}, {u"J", u".---"}, {u"K", u"-.-"}, {u"L", u".-.."}, {u"M", u"--"}, {u"N", u"-."},
    {u"O", u"---"}, {u"P", u".--."}, {u"Q", u"--.-"}, {u"R", u".-."}, {u"S", u"..."}, {u"T", u"-"}, {u"U", u"..-"},
    {u"V", u"...-"}, {u"W", u".--"}, {u"X", u"-..-"}, {u"Y", u"-.--"}, {u"Z", u"--.."}, {u"0", u"-----"},
    {u"1", u".----"}, {u"2", u"..---"}, {u"3", u"...--"}, {u"4", u"....-"}, {u"5", u"....."}, {u"6", u"-...."},
    {u"7", u"--..."}, {u"8", u"---.."}, {u"9", u"----."}, {u"À", u".--.-"}, {u"Ä", u".-.-"}, {u"È", u".-..-"},
    {u"É", u"..-.."}, {u"Ö", u"---."}, {u"Ü", u"..--"}, {u"ß", u"...--.."}, {u"CH", u"----"}, {u"N~", u"--.--"},
    {u".", u".-.-.-"}, {u",", u"--..--"}, {u":", u"---..."}, {u";", u"-.-.-."}, {u"?", u"..--.."}, {u"-", u"-....-"},
    {u"_", u"..--.-"}, {u"(", u"-.--."}, {u")", u"-.--.-"}, {u"'", u".----."}, {u"=", u"-...-"}, {u"+", u".-.-."},
    {u"/", u"-..-."}, {u"@", u".--.-."}, {u"<ka>", u"-.-.-"}, {u"<ve>", u"...-."}, {u"<sk>", u"...-.-"},
    {u"<SOS>", u"...---..."}, {u"<hh>", u"........"},
};

} // namespace

// Decoding reaches every row by its code; encoding every row but the two two-letter ones, which only decoding gives.
TEST(Morse, table_has_every_row_as_listed)
{
    for (const auto& [text, code] : morseTable) {
        SCOPED_TRACE(std::string(code.begin(), code.end()));
        expectOk(MorseText(Text(code)), text);
        if (text != u"CH" && text != u"N~")
            expectOk(TextMorse(Text(text)), Text(code) + u" ");
    }
}

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
