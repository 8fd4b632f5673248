// Mode 6: word lengths as numbers and as two bit strings.
#include "conversions/word_lengths.h"

#include "conversions/checked_sum.h"

#include <cstdint>

namespace quirlwerk::conversions {
namespace {

constexpr int numbersPerLine = 40;
constexpr int bitsPerLine = 80;

bool isWordCharacter(char16_t c);

class LengthLists {
public:
    // Every separator checks both lines, whether or not a word ends there.
    void breakFullLines()
    {
        if (m_numbersOnLine == numbersPerLine) {
            m_lengths += crlf;
            m_numbersOnLine = 0;
        }
        if (m_bitsOnLine == bitsPerLine) {
            m_bitsEvenZero += crlf;
            m_bitsEvenOne += crlf;
            m_bitsOnLine = 0;
        }
    }

    void add(std::int32_t length, bool blankBefore)
    {
        if (blankBefore)
            m_lengths += u' ';
        m_lengths += decimal(length);
        ++m_numbersOnLine;
        const bool even = length % 2 == 0;
        m_bitsEvenZero += even ? u'0' : u'1';
        m_bitsEvenOne += even ? u'1' : u'0';
        ++m_bitsOnLine;
    }

    bool lineStarted() const { return m_numbersOnLine > 0; }
    const Text& lengths() const { return m_lengths; }

    Text output() const
    {
        const Text breakTwice = Text(crlf) + Text(crlf);
        return m_lengths + breakTwice + u"Gerade Zahlen = 0, Ungerade Zahlen = 1:" + Text(crlf) + m_bitsEvenZero
            + breakTwice + u"Gerade Zahlen = 1, Ungerade Zahlen = 0:" + Text(crlf) + m_bitsEvenOne;
    }

private:
    Text m_lengths;
    Text m_bitsEvenZero;
    Text m_bitsEvenOne;
    int m_numbersOnLine = 0;
    int m_bitsOnLine = 0;
};

} // namespace

Conversion ZaehleBuchstaben(Text input)
{
    Conversion result;
    LengthLists lists;
    try {
        std::int32_t length = 0;
        for (const char16_t c : input) {
            if (isWordCharacter(c)) {
                length = checkedAdd(length, 1);
                continue;
            }
            lists.breakFullLines();
            if (length > 0)
                lists.add(length, lists.lineStarted());
            length = 0;
        }
        // The last word skips the line checks; its blank depends on the whole list, not the line.
        if (length > 0)
            lists.add(length, !lists.lengths().empty());
        result.output = lists.output();
    } catch (const std::exception& failure) {
        return failed(u"ZaehleBuchstaben", failure, u"Fehler aufgetreten: " + lists.lengths());
    }
    return result;
}

namespace {

constexpr TextView wordLetters = u"ßÄÖÜäöü";

bool isWordCharacter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')
        || wordLetters.find(c) != TextView::npos;
}

} // namespace

} // namespace quirlwerk::conversions
