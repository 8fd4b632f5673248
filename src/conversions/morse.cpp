// Mode 9: Morse code in both directions.
#include "conversions/morse.h"

#include "common/failure.h"
#include "common/letter_case.h"

#include <array>
#include <map>

namespace quirlwerk::conversions {
namespace {

struct MorseRow {
    TextView text;
    TextView code;
};

const std::array<MorseRow, 64>& morseRows();

// Both directions of the table; where a column held a value twice the earlier row would win.
class MorseTable {
public:
    MorseTable()
    {
        for (const MorseRow& row : morseRows()) {
            m_codeOf.emplace(row.text, row.code);
            m_textOf.emplace(row.code, row.text);
        }
    }

    const TextView* codeOf(TextView text) const { return find(m_codeOf, text); }
    const TextView* textOf(TextView code) const { return find(m_textOf, code); }

private:
    using Lookup = std::map<TextView, TextView, std::less<>>;

    static const TextView* find(const Lookup& lookup, TextView key)
    {
        const auto found = lookup.find(key);
        return found == lookup.end() ? nullptr : &found->second;
    }

    Lookup m_codeOf;
    Lookup m_textOf;
};

// Built on first use and never changed afterwards.
const MorseTable& morseTable()
{
    static const MorseTable table;
    return table;
}

constexpr TextView distressSignal = u"<sos>";
constexpr TextView distressCode = u"...---...";
constexpr TextView wordGap = u"/ ";

bool isSignal(char16_t c)
{
    return c == u'.' || c == u'-';
}

Text fromCharacter(char16_t c)
{
    return Text(1, c);
}

// The signal that starts at the front of the rest, in any letter case, with the characters it spans.
struct Signal {
    TextView code;
    std::size_t length = 0;
};

std::optional<Signal> signalAt(TextView rest, const MorseTable& table)
{
    if (rest.size() >= distressSignal.size() && common::toLower(rest.substr(0, distressSignal.size())) == distressSignal)
        return Signal{distressCode, distressSignal.size()};
    constexpr std::size_t shortSignal = 4;
    if (rest.size() >= shortSignal) {
        if (const TextView* code = table.codeOf(common::toLower(rest.substr(0, shortSignal))))
            return Signal{*code, shortSignal};
    }
    return std::nullopt;
}

} // namespace

std::optional<common::Message> FillMorse()
{
    try {
        morseTable();
    } catch (const std::exception& failure) {
        return common::Message{common::Icon::Critical, u"FillMorse() - Error " + common::describe(failure)};
    }
    return std::nullopt;
}

Conversion TextMorse(Text input)
{
    Conversion result;
    char16_t current = 0;
    try {
        const MorseTable& table = morseTable();
        const TextView text = input;
        bool afterGap = false;
        std::size_t at = 0;
        while (at < text.size()) {
            current = common::toUpper(text[at]);
            if (current == u'<') {
                if (const std::optional<Signal> signal = signalAt(text.substr(at), table)) {
                    result.output += signal->code;
                    result.output += u' ';
                    afterGap = false;
                    at += signal->length;
                    continue;
                }
            }
            ++at;
            if (current < u' ') {
                result.output += current;
            } else if (current == u' ' && !afterGap) {
                result.output += wordGap;
                afterGap = true;
            } else if (const TextView* code = table.codeOf(TextView(&current, 1))) {
                result.output += *code;
                result.output += u' ';
                afterGap = false;
            } else {
                result.output += current;
            }
        }
    } catch (const std::exception& failure) {
        // The status names the character, not the description: users see where it stopped.
        return failed(u"TextMorse", failure, u"Fehler aufgetreten: " + fromCharacter(current));
    }
    return result;
}

Conversion MorseText(Text input)
{
    Conversion result;
    char16_t current = 0;
    try {
        const MorseTable& table = morseTable();
        Text code;
        const auto writeCode = [&]() {
            if (const TextView* text = table.textOf(code))
                result.output += *text;
            else
                result.output += u"?(" + code + u")";
            code.clear();
        };
        for (const char16_t c : input) {
            current = c;
            if (isSignal(c)) {
                code += c;
            } else if (code.empty()) {
                result.output += c;
            } else {
                writeCode();
                // Line breaks survive; the blank or slash that ended the code does not.
                if (c < u' ')
                    result.output += c;
            }
        }
        if (!code.empty())
            writeCode();
    } catch (const std::exception& failure) {
        return failed(u"MorseText", failure, u"Fehler aufgetreten: " + fromCharacter(current));
    }
    return result;
}

namespace {

// The rows in their order: letters, digits, accented letters, punctuation, then the signals.
constexpr std::array<MorseRow, 64> rows{{
    {u"A", u".-"}, {u"B", u"-..."}, {u"C", u"-.-."}, {u"D", u"-.."}, {u"E", u"."},
    {u"F", u"..-."}, {u"G", u"--."}, {u"H", u"...."}, {u"I", u".."}, {u"J", u".---"},
    {u"K", u"-.-"}, {u"L", u".-.."}, {u"M", u"--"}, {u"N", u"-."}, {u"O", u"---"},
    {u"P", u".--."}, {u"Q", u"--.-"}, {u"R", u".-."}, {u"S", u"..."}, {u"T", u"-"},
    {u"U", u"..-"}, {u"V", u"...-"}, {u"W", u".--"}, {u"X", u"-..-"}, {u"Y", u"-.--"},
    {u"Z", u"--.."},
    {u"0", u"-----"}, {u"1", u".----"}, {u"2", u"..---"}, {u"3", u"...--"}, {u"4", u"....-"},
    {u"5", u"....."}, {u"6", u"-...."}, {u"7", u"--..."}, {u"8", u"---.."}, {u"9", u"----."},
    {u"À", u".--.-"}, {u"Ä", u".-.-"}, {u"È", u".-..-"}, {u"É", u"..-.."}, {u"Ö", u"---."},
    {u"Ü", u"..--"}, {u"ß", u"...--.."}, {u"CH", u"----"}, {u"N~", u"--.--"},
    {u".", u".-.-.-"}, {u",", u"--..--"}, {u":", u"---..."}, {u";", u"-.-.-."}, {u"?", u"..--.."},
    {u"-", u"-....-"}, {u"_", u"..--.-"}, {u"(", u"-.--."}, {u")", u"-.--.-"}, {u"'", u".----."},
    {u"=", u"-...-"}, {u"+", u".-.-."}, {u"/", u"-..-."}, {u"@", u".--.-."},
    {u"<ka>", u"-.-.-"}, {u"<ve>", u"...-."}, {u"<sk>", u"...-.-"}, {u"<SOS>", u"...---..."},
    {u"<hh>", u"........"},
}};

const std::array<MorseRow, 64>& morseRows()
{
    return rows;
}

} // namespace

} // namespace quirlwerk::conversions
