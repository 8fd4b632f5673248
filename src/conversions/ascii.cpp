// Mode 2: texts as hexadecimal Windows-1252 codes and back.
#include "conversions/ascii.h"

#include "common/windows1252.h"

#include <array>
#include <optional>

namespace quirlwerk::conversions {
namespace {

struct Replacement {
    char16_t letter;
    TextView spelling;
};

// Applied in this order before encoding; each letter becomes its two-letter spelling.
constexpr std::array<Replacement, 7> germanLetters{{
    {u'ä', u"ae"}, {u'ö', u"oe"}, {u'ü', u"ue"}, {u'Ä', u"Ae"}, {u'Ö', u"Oe"}, {u'Ü', u"Ue"}, {u'ß', u"ss"},
}};

constexpr TextView hexDigits = u"0123456789ABCDEF";

std::optional<int> hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return std::nullopt;
}

Text spelledOut(TextView input)
{
    Text text;
    text.reserve(input.size());
    for (const char16_t c : input) {
        const Replacement* found = nullptr;
        for (const Replacement& replacement : germanLetters) {
            if (replacement.letter == c)
                found = &replacement;
        }
        if (found)
            text += found->spelling;
        else
            text += c;
    }
    return text;
}

} // namespace

Text codesToText(TextView input)
{
    constexpr int pairC3 = 0xC3;
    constexpr int pairBC = 0xBC;
    Text output;
    bool afterC3 = false;
    std::size_t at = 0;
    const std::size_t end = input.size();
    while (at < end) {
        while (at < end && !hexValue(input[at]))
            ++at;
        if (at + 1 < end && input[at] == u'0' && (input[at + 1] == u'x' || input[at + 1] == u'X')) {
            at += 2;
            continue;
        }
        if (at >= end)
            break;
        const int high = *hexValue(input[at++]);
        // A lone digit is dropped; the non-digit behind it goes with the next scan.
        if (at >= end || !hexValue(input[at]))
            continue;
        const int value = high * 16 + *hexValue(input[at++]);
        if (value == pairC3) {
            afterC3 = true;
        } else if (afterC3) {
            // Only the UTF-8 form of "ü" is understood; any other second byte stands for an unknown letter.
            output += value == pairBC ? u'ü' : u'?';
            afterC3 = false;
        } else {
            output += common::fromWindows1252(static_cast<std::uint8_t>(value));
        }
    }
    return output;
}

Text textToCodes(TextView input)
{
    Text output;
    for (const char16_t c : spelledOut(input)) {
        const std::uint8_t code = common::toWindows1252(c);
        if (code >= 16)
            output += hexDigits[code / 16];
        output += hexDigits[code % 16];
        output += u' ';
    }
    return output;
}

} // namespace quirlwerk::conversions
