// Mode 10: letter values (BWW and Scrabble) and numbers back to letters.
#include "conversions/letter_values.h"

#include "common/letter_case.h"
#include "conversions/checked_sum.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace quirlwerk::conversions {
namespace {

constexpr TextView bwwHeading = u"BWW: Buchstabenwortwerte Caches: A=1, B=2, ... Z=26, Ä=27, Ö=28, Ü=29, ß=30";
constexpr TextView scrabbleHeading =
    u"Scrabble: Buchstabenwerte Scrabble:  1 - A,D,E,I,N,R,S,T,U   2 - G,H,L,O   3 - B,M,W,Z   ...   10 - Q,Y";

std::optional<int> bwwValue(char16_t c);
char16_t bwwLetter(int value);   // 1 to 30
std::optional<int> scrabbleValue(char16_t c);

// Values are 0 to 30; written without a temporary, since a line may hold millions of them.
void appendDecimal(Text& text, int value)
{
    if (value >= 10)
        appendDecimal(text, value / 10);
    text += static_cast<char16_t>(u'0' + value % 10);
}

// One section of Buchstabe2Zahl: a value line per input line, "(<label>: <sum>): <values>".
class LineWriter {
public:
    LineWriter(Text& output, TextView label, std::size_t maxOutput)
        : m_output(output), m_label(label), m_maxOutput(maxOutput)
    {
    }

    void value(int value)
    {
        m_sum = checkedAdd(m_sum, value);
        appendDecimal(m_line, value);
        m_line += u' ';
    }
    void blank() { m_line += u'_'; }
    void other(char16_t c) { m_line += c; }

    void endLine(TextView lineBreak)
    {
        const Text sum = decimal(m_sum);
        // 6: "(", ": " and "): ".
        ensureRoom(m_output, m_label.size() + sum.size() + m_line.size() + lineBreak.size() + 6, m_maxOutput);
        m_output += u'(' + m_label + u": " + sum + u"): " + m_line + Text(lineBreak);
        m_line.clear();
        m_sum = 0;
    }
    bool lineEmpty() const { return m_line.empty(); }

private:
    Text& m_output;
    Text m_label;
    Text m_line;
    std::size_t m_maxOutput;
    std::int32_t m_sum = 0;
};

// Every line break gives a value line in each section, at least "(BWW: 0): " and "(Scrabble: 0): " with their
// breaks: a flood of line breaks is refused before any of the output is built.
void refuseLineFlood(TextView input, std::size_t maxOutput)
{
    constexpr std::size_t leastPerBreak = TextView(u"(BWW: 0): \r\n(Scrabble: 0): \r\n").size();
    const auto breaks = static_cast<std::size_t>(std::count(input.begin(), input.end(), u'\r'));
    if (breaks > maxOutput / leastPerBreak)
        throw OutputTooLarge{};
}

// Walks the text line by line; a line feed right after a carriage return belongs to the line break.
template <typename Valuer>
void writeSection(TextView text, LineWriter& writer, std::size_t& index, Valuer valueOf)
{
    for (index = 0; index < text.size(); ++index) {
        const char16_t c = text[index];
        if (c == u'\r') {
            writer.endLine(crlf);
            if (index + 1 < text.size() && text[index + 1] == u'\n')
                ++index;
        } else if (c == u' ') {
            writer.blank();
        } else if (const std::optional<int> value = valueOf(c)) {
            writer.value(*value);
        } else {
            writer.other(c);
        }
    }
}

Text scrabbleText(TextView input)
{
    Text text;
    for (const char16_t c : input) {
        if (c == u'ß')
            text += u"ss";
        else
            text += c;
    }
    return common::toUpper(text);
}

} // namespace

Conversion Buchstabe2Zahl(Text input, std::size_t maxOutput)
{
    Conversion result;
    std::size_t index = 0;
    try {
        refuseLineFlood(input, maxOutput);
        result.output = Text(bwwHeading) + Text(crlf);
        LineWriter bww(result.output, u"BWW", maxOutput);
        writeSection(input, bww, index, bwwValue);
        if (!bww.lineEmpty())
            bww.endLine(crlf);

        result.output += Text(crlf) + Text(scrabbleHeading) + Text(crlf);
        const Text upper = scrabbleText(input);
        LineWriter scrabble(result.output, u"Scrabble", maxOutput);
        writeSection(upper, scrabble, index, scrabbleValue);
        // Only the last Scrabble line goes without a line break.
        if (!scrabble.lineEmpty())
            scrabble.endLine(u"");
    } catch (const std::exception& failure) {
        return failed(u"Buchstabe2Zahl", failure, u"Fehler aufgetreten bei " + decimal(index + 1) + u".tem Zeichen");
    }
    return result;
}

Conversion Zahl2Buchstabe(Text input)
{
    Conversion result;
    std::size_t index = 0;
    try {
        Text digits;
        for (index = 0; index < input.size(); ++index) {
            const char16_t c = input[index];
            const bool digit = c >= u'0' && c <= u'9';
            if (digit)
                digits += c;
            if (digit && index + 1 < input.size())
                continue;
            // "00", "31" and numbers of three or more digits stay as written, with a blank behind.
            int value = 0;
            if (digits.size() <= 2) {
                for (const char16_t d : digits)
                    value = value * 10 + (d - u'0');
            }
            if (value >= 1 && value <= 30)
                result.output += bwwLetter(value);
            else if (!digits.empty())
                result.output += digits + u' ';
            if (!digit && c != u' ')
                result.output += c;
            digits.clear();
        }
    } catch (const std::exception& failure) {
        return failed(u"Zahl2Buchstabe", failure, u"Fehler aufgetreten bei " + decimal(index + 1) + u".tem Zeichen");
    }
    return result;
}

namespace {

// BWW: the place in this sequence; small "a"-"z" and small umlauts count as their capitals.
constexpr TextView bwwLetters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜß";
constexpr TextView smallUmlauts = u"äöü";

struct ScrabbleGroup {
    int value;
    TextView letters;
};

constexpr ScrabbleGroup scrabbleGroups[] = {
    {1, u"ADEINRSTU"}, {2, u"GHLO"}, {3, u"BMWZ"}, {4, u"CFKP"}, {6, u"JVÄÜ"}, {8, u"XÖ"}, {10, u"QY"},
};

std::optional<int> bwwValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if ((c >= u'a' && c <= u'z') || smallUmlauts.find(c) != TextView::npos)
        c = common::toUpper(c);
    if (c >= u'A' && c <= u'Z')   // the common case, without a search
        return c - u'A' + 1;
    const std::size_t place = bwwLetters.find(c);
    if (place == TextView::npos)
        return std::nullopt;
    return static_cast<int>(place) + 1;
}

char16_t bwwLetter(int value)
{
    return bwwLetters[static_cast<std::size_t>(value) - 1];
}

std::optional<int> scrabbleValue(char16_t c)
{
    for (const ScrabbleGroup& group : scrabbleGroups) {
        if (group.letters.find(c) != TextView::npos)
            return group.value;
    }
    return std::nullopt;
}

} // namespace

} // namespace quirlwerk::conversions
