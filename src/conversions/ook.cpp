// Mode 3: Ook! texts translated into Brainfuck, and Brainfuck spelt in Ook! words.
#include "conversions/ook.h"

#include "common/failure.h"

#include <array>
#include <cstdint>
#include <limits>

namespace quirlwerk::conversions {
namespace {

struct OokPair {
    char16_t firstMark;
    char16_t secondMark;
    char16_t command;
};

const std::array<OokPair, 8>& ookPairs();

// A character up to the blank counts as blank: tabs, line breaks and other control characters too.
bool isBlank(char16_t c)
{
    return c <= u' ';
}

const OokPair* pairForMarks(char16_t first, char16_t second)
{
    for (const OokPair& pair : ookPairs()) {
        if (pair.firstMark == first && pair.secondMark == second)
            return &pair;
    }
    return nullptr;
}

const OokPair* pairForCommand(char16_t command)
{
    for (const OokPair& pair : ookPairs()) {
        if (pair.command == command)
            return &pair;
    }
    return nullptr;
}

// The counter of consumed characters is a signed 32-bit value: it overflows rather than wraps.
void count(std::int32_t& counter)
{
    if (counter == std::numeric_limits<std::int32_t>::max())
        throw common::Failure::overflow();
    ++counter;
}

Text markText(TextView buffer, std::size_t index)
{
    return index < buffer.size() ? Text(1, buffer[index]) : Text();
}

} // namespace

Conversion Ook2Brainfuck(Text input)
{
    constexpr std::size_t pairLength = 8;
    constexpr std::size_t firstMarkIndex = 3;
    constexpr std::size_t secondMarkIndex = 7;
    // A rest shorter than a pair with its gap is no pair: "Ook.Ook?" at the end is dropped.
    constexpr std::size_t shortestPair = 9;

    Conversion result;
    try {
        const TextView text = input;
        std::int32_t counter = 0;
        std::size_t at = 0;
        while (at < text.size()) {
            while (at < text.size() && isBlank(text[at])) {
                ++at;
                count(counter);
            }
            if (text.size() - at < shortestPair)
                break;
            Text buffer;
            while (buffer.size() < pairLength && at < text.size()) {
                const char16_t c = text[at++];
                count(counter);
                if (!isBlank(c))
                    buffer += c;
            }
            const Text first = markText(buffer, firstMarkIndex);
            const Text second = markText(buffer, secondMarkIndex);
            const OokPair* pair = first.empty() || second.empty() ? nullptr : pairForMarks(first[0], second[0]);
            if (pair) {
                result.output += pair->command;
                continue;
            }
            result.output += u'?';
            if (result.ok()) {
                result.status = u"Fehler bei Zeichen hinter Position " + decimal(counter)
                    + u": Fehlerhafte Folge ''" + first + u"/" + second + u"''";
            }
        }
    } catch (const std::exception& failure) {
        return failed(u"Ook2Brainfuck", failure, u"Fehler aufgetreten: " + common::describe(failure));
    }
    return result;
}

Text BrainfuckToOok(TextView program)
{
    Text ook;
    for (const char16_t c : program) {
        const OokPair* pair = pairForCommand(c);
        if (!pair)
            continue;
        if (!ook.empty())
            ook += u' ';
        ook += u"Ook";
        ook += pair->firstMark;
        ook += u" Ook";
        ook += pair->secondMark;
    }
    return ook;
}

namespace {

constexpr std::array<OokPair, 8> pairs{{
    {u'.', u'.', u'+'},
    {u'!', u'!', u'-'},
    {u'.', u'?', u'>'},
    {u'?', u'.', u'<'},
    {u'!', u'?', u'['},
    {u'?', u'!', u']'},
    {u'!', u'.', u'.'},
    {u'.', u'!', u','},
}};

const std::array<OokPair, 8>& ookPairs()
{
    return pairs;
}

} // namespace

} // namespace quirlwerk::conversions
