// The code cutter: a fast path for the usual pairs and short "0x" codes, a character-by-character path for the
// rest and for codes that straddle two pieces of the file.
#include "hexfile/hex_codes.h"

#include <array>

namespace quirlwerk::hexfile {
namespace {

constexpr bool isSeparator(std::uint8_t c)
{
    return c <= 32;
}

constexpr bool isX(std::uint8_t c)
{
    return (c | 0x20) == 'x';
}

constexpr std::array<std::int8_t, 256> makeDigitValues()
{
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int c = '0'; c <= '9'; ++c)
        values[c] = static_cast<std::int8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) {
        values[c] = static_cast<std::int8_t>(c - 'A' + 10);
        values[c + 32] = static_cast<std::int8_t>(c - 'A' + 10);   // lower case: codes are read in capitals
    }
    return values;
}

constexpr std::array<std::int8_t, 256> digitValues = makeDigitValues();

} // namespace

std::size_t HexCodeReader::read(std::span<const std::uint8_t> input, std::uint8_t* out)
{
    const std::uint8_t* const start = out;
    const std::uint8_t* in = input.data();
    const std::uint8_t* const end = in + input.size();
    while (in != end && m_state != State::Stopped) {
        if (m_state == State::BetweenCodes) {
            in = readCommonCodes(in, end, out);
            if (in == end)
                break;
        }
        take(*in++, out);
    }
    return static_cast<std::size_t>(out - start);
}

std::size_t HexCodeReader::finish(std::uint8_t* out)
{
    const std::uint8_t* const start = out;
    if (m_state == State::FirstCharacter)
        endCode(out, 1, m_first);
    else if (m_state == State::AfterPrefix)
        endCode(out, m_digits, m_last);
    return static_cast<std::size_t>(out - start);
}

// Takes whole codes while the next few characters settle them; returns where a code needs the slow path.
const std::uint8_t* HexCodeReader::readCommonCodes(const std::uint8_t* in, const std::uint8_t* end, std::uint8_t*& out)
{
    std::uint8_t* o = out;
    while (end - in >= 5) {
        const std::uint8_t c0 = in[0];
        if (isSeparator(c0)) {
            ++in;
            continue;
        }
        const int d0 = digitValues[c0];
        const int d1 = digitValues[in[1]];
        if ((d0 | d1) >= 0) {   // both hex digits: a digit value is never negative
            *o++ = static_cast<std::uint8_t>(d0 << 4 | d1);
            in += 2;
            continue;
        }
        if (d0 >= 0 && isSeparator(in[1])) {
            *o++ = static_cast<std::uint8_t>(d0);
            in += 2;
            continue;
        }
        if (c0 == '0' && isX(in[1])) {
            const int d2 = digitValues[in[2]];
            const int d3 = digitValues[in[3]];
            if (d2 >= 0 && isSeparator(in[3])) {
                *o++ = static_cast<std::uint8_t>(d2);
                in += 4;
                continue;
            }
            if ((d2 | d3) >= 0 && isSeparator(in[4])) {
                *o++ = static_cast<std::uint8_t>(d2 << 4 | d3);
                in += 5;
                continue;
            }
        }
        break;
    }
    out = o;
    return in;
}

void HexCodeReader::take(std::uint8_t c, std::uint8_t*& out)
{
    switch (m_state) {
    case State::BetweenCodes:
        if (!isSeparator(c)) {
            m_first = c;
            m_state = State::FirstCharacter;
        }
        return;
    case State::FirstCharacter:
        if (isSeparator(c)) {
            endCode(out, 1, m_first);
        } else if (m_first == '0' && isX(c)) {
            m_digits = 0;
            m_code.clear();
            m_state = State::AfterPrefix;
        } else {
            endCode(out, 2, c);
        }
        return;
    case State::AfterPrefix:
        if (isSeparator(c))
            endCode(out, m_digits, m_last);
        else
            addDigit(c);
        return;
    case State::Stopped:
        return;
    }
}

void HexCodeReader::addDigit(std::uint8_t c)
{
    if (m_digits == 0)
        m_first = c;
    m_last = c;
    ++m_digits;
    if (m_code.size() < keptCodeLength)
        m_code.push_back(static_cast<char>(c));
}

// A code without "0x" has its digits from m_first to last; after "0x" they were gathered by addDigit.
void HexCodeReader::endCode(std::uint8_t*& out, std::size_t digits, std::uint8_t last)
{
    if (m_state == State::FirstCharacter) {
        m_code.assign(1, static_cast<char>(m_first));
        if (digits == 2)
            m_code.push_back(static_cast<char>(last));
    }
    const int high = digitValues[m_first];
    const int low = digitValues[last];
    if (digits < 1 || digits > 2 || high < 0 || low < 0) {
        m_digits = digits;
        m_state = State::Stopped;
        return;
    }
    *out++ = static_cast<std::uint8_t>(digits == 1 ? high : high << 4 | low);
    m_state = State::BetweenCodes;
}

} // namespace quirlwerk::hexfile
