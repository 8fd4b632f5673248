// Mode 7: bit strings in groups of eight, as hexadecimal codes and as text.
#include "conversions/bit_string.h"

#include "common/windows1252.h"

#include <cstdint>

namespace quirlwerk::conversions {
namespace {

constexpr int groupsPerLine = 8;
constexpr int bitsPerGroup = 8;
constexpr int hexLineColumns = 80;   // every byte counts 3 columns, so a line holds 27 values

Text upperHex(int value)
{
    constexpr TextView hexDigits = u"0123456789ABCDEF";
    Text text;
    if (value >= 16)
        text += hexDigits[value / 16];
    text += hexDigits[value % 16];
    return text;
}

class ByteLists {
public:
    void addGroup(const Text& bits)
    {
        if (m_groupsOnLine == groupsPerLine) {
            m_groups += crlf;
            m_groupsOnLine = 0;
        }
        // Also right after a line break: every group line after the first begins with a blank.
        if (!m_groups.empty())
            m_groups += u' ';
        m_groups += bits;
        ++m_groupsOnLine;

        int value = 0;
        for (const char16_t bit : bits)
            value = value * 2 + (bit == u'1' ? 1 : 0);
        if (m_hexColumn >= hexLineColumns) {
            m_hex += crlf;
            m_text += crlf;
            m_hexColumn = 0;
        }
        if (m_hexColumn > 0)
            m_hex += u' ';
        m_hex += upperHex(value);
        m_text += common::fromWindows1252(static_cast<std::uint8_t>(value));
        m_hexColumn += 3;
    }

    const Text& groups() const { return m_groups; }

    Text output() const
    {
        const Text breakTwice = Text(crlf) + Text(crlf);
        return m_groups + breakTwice + u"Umwandlung in HEX-Zahlen:" + Text(crlf) + m_hex + breakTwice
            + u"Umwandlung in Text:" + Text(crlf) + m_text;
    }

private:
    Text m_groups;
    Text m_hex;
    Text m_text;
    int m_groupsOnLine = 0;
    int m_hexColumn = 0;
};

} // namespace

Conversion Convert01toHex(Text input)
{
    Conversion result;
    ByteLists lists;
    try {
        Text bits;
        for (const char16_t c : input) {
            if (c != u'0' && c != u'1')
                continue;
            bits += c;
            if (bits.size() == bitsPerGroup) {
                lists.addGroup(bits);
                bits.clear();
            }
        }
        // Fewer than eight bits at the end are dropped.
        result.output = lists.output();
    } catch (const std::exception& failure) {
        return failed(u"Convert01toHex", failure, u"Fehler aufgetreten: " + lists.groups());
    }
    return result;
}

} // namespace quirlwerk::conversions
