// The code cutter. Windows of 64 characters holding only two-digit codes are judged at once by bit masks, other
// plain codes one at a time; anything unusual, and codes that straddle two pieces of the file, character by character.
#include "hexfile/hex_codes.h"

#include <array>
#include <bit>

// QUIRLWERK_HEX_PORTABLE forces the portable path, so that its tests run on x86 too.
#if defined(__SSE2__) && !defined(QUIRLWERK_HEX_PORTABLE)
#define QUIRLWERK_HEX_SSE2
#include <emmintrin.h>
#endif

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

// One bit per character of a 64-character window, bit i for in[i].
struct WindowClasses {
    std::uint64_t separators = 0;
    std::uint64_t digits = 0;
    std::uint64_t zeros = 0;
    std::uint64_t xs = 0;   // "x" or "X"
    std::uint8_t values[64];   // of the hex digits; anything for other characters
};

#ifdef QUIRLWERK_HEX_SSE2
WindowClasses classify(const std::uint8_t* in)
{
    WindowClasses classes;
    const __m128i space = _mm_set1_epi8(32);
    const __m128i nine = _mm_set1_epi8(9);
    const __m128i five = _mm_set1_epi8(5);
    const __m128i lowerCase = _mm_set1_epi8(0x20);
    auto bits = [](__m128i mask, int at) {
        return static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(mask))) << at;
    };
    for (int at = 0; at < 64; at += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
        const __m128i folded = _mm_or_si128(c, lowerCase);
        // Unsigned "at most" as max(a, b) == b.
        const __m128i separator = _mm_cmpeq_epi8(_mm_max_epu8(c, space), space);
        const __m128i decimal = _mm_sub_epi8(c, _mm_set1_epi8('0'));
        const __m128i letter = _mm_sub_epi8(folded, _mm_set1_epi8('a'));
        const __m128i digit = _mm_or_si128(_mm_cmpeq_epi8(_mm_max_epu8(decimal, nine), nine),
                                           _mm_cmpeq_epi8(_mm_max_epu8(letter, five), five));
        classes.separators |= bits(separator, at);
        classes.digits |= bits(digit, at);
        classes.zeros |= bits(_mm_cmpeq_epi8(c, _mm_set1_epi8('0')), at);
        classes.xs |= bits(_mm_cmpeq_epi8(folded, _mm_set1_epi8('x')), at);
        const __m128i decimalDigit = _mm_cmpeq_epi8(_mm_max_epu8(decimal, nine), nine);
        const __m128i value = _mm_or_si128(_mm_and_si128(decimalDigit, decimal),
                                           _mm_andnot_si128(decimalDigit, _mm_add_epi8(letter, _mm_set1_epi8(10))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(classes.values + at), value);
    }
    return classes;
}
#else
WindowClasses classify(const std::uint8_t* in)
{
    WindowClasses classes;
    for (int at = 0; at < 64; ++at) {
        const std::uint64_t bit = std::uint64_t{1} << at;
        classes.separators |= isSeparator(in[at]) ? bit : 0;
        classes.digits |= digitValues[in[at]] >= 0 ? bit : 0;
        classes.zeros |= in[at] == '0' ? bit : 0;
        classes.xs |= isX(in[at]) ? bit : 0;
        classes.values[at] = static_cast<std::uint8_t>(digitValues[in[at]]);
    }
    return classes;
}
#endif

// When every code before the separator at `limit` has two digits, writes their bytes and returns true.
// The window starts between codes. Codes without "0x" then start at even offsets from the start of their run;
// a "0x" code starts at such an offset too and must be the last code of its run.
bool readPairs(const WindowClasses& classes, int limit, std::uint8_t*& out)
{
    constexpr std::uint64_t oddPositions = 0xAAAAAAAAAAAAAAAA;
    const std::uint64_t inside = (std::uint64_t{1} << limit) - 1;
    const std::uint64_t code = ~classes.separators & inside;
    const std::uint64_t runStarts = code & ~(code << 1);
    const std::uint64_t runEnds = code & ~(code >> 1);
    // Adding a run's start bit carries through the whole run: it marks the runs that start at odd positions.
    const std::uint64_t oddStarts = runStarts & oddPositions;
    const std::uint64_t oddRuns = ((code + oddStarts) ^ code) & code;
    const std::uint64_t evenOffsets = code & ~(oddPositions ^ oddRuns);
    const std::uint64_t prefixes = classes.zeros & (classes.xs >> 1) & evenOffsets;

    const bool onlyDigitsAndPrefixes = (code & ~classes.digits) == prefixes << 1;
    const bool pairsOnly = (runEnds & evenOffsets) == 0;   // no code of one digit
    const bool prefixedEndRuns = ((prefixes << 3) & ~runEnds) == 0;   // "0x" and two digits, then a separator
    if (!(onlyDigitsAndPrefixes && pairsOnly && prefixedEndRuns))
        return false;
    std::uint64_t digits = classes.digits & code & ~prefixes;
    std::uint8_t* o = out;
    while (digits != 0) {
        const int high = std::countr_zero(digits);
        digits &= digits - 1;
        const int low = std::countr_zero(digits);
        digits &= digits - 1;
        *o++ = static_cast<std::uint8_t>(classes.values[high] << 4 | classes.values[low]);
    }
    out = o;
    return true;
}

// Takes codes one at a time while the next 5 characters settle them; in[0] to in[4] must exist for every in < stop.
const std::uint8_t* readShortCodes(const std::uint8_t* in, const std::uint8_t* stop, std::uint8_t*& out)
{
    std::uint8_t* o = out;
    while (in < stop) {
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

// Takes whole codes while they are plain; returns where a code needs the character-by-character path.
// Windows of 64 characters are judged at once; a window with unusual codes goes one code at a time.
const std::uint8_t* readCommonCodes(const std::uint8_t* in, const std::uint8_t* end, std::uint8_t*& out)
{
    constexpr std::uint64_t allDigits = ~std::uint64_t{0};
    while (end - in >= 64) {
        const WindowClasses classes = classify(in);
        // Codes before the window's last separator end inside it. That separator is looked for in the first 61
        // characters, so that the masks of a "0x" code's last digit (3 further on) still fit in 64 bits.
        const std::uint64_t separators = classes.separators & ((std::uint64_t{1} << 61) - 1);
        int limit = 0;
        if (separators != 0) {
            limit = 63 - std::countl_zero(separators);
            if (limit > 0 && readPairs(classes, limit, out)) {
                in += limit;
                continue;
            }
        } else if (classes.digits == allDigits) {   // 32 glued pairs
            std::uint8_t* o = out;
            for (int at = 0; at < 64; at += 2)
                *o++ = static_cast<std::uint8_t>(digitValues[in[at]] << 4 | digitValues[in[at + 1]]);
            out = o;
            in += 64;
            continue;
        }
        const std::uint8_t* const stop = in + (limit > 0 ? limit : 56);
        in = readShortCodes(in, stop, out);
        if (in < stop)
            return in;
    }
    return readShortCodes(in, end - 4, out);
}

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
