// Word lengths: the length list with its 40-number lines and the two bit strings with their 80-bit lines.
#include "conversions/word_lengths.h"

#include "conversions/conversion_testing.h"

#include <vector>

using namespace quirlwerk::conversions::testing;

static std::vector<Text> split(Text text, TextView by)
{
    std::vector<Text> parts;
    for (std::size_t end; (end = text.find(by)) != Text::npos; text.erase(0, end + by.size()))
        parts.push_back(text.substr(0, end));
    parts.push_back(text);
    return parts;
}

// The line-break quirks, written out: a separator breaks a full line even when no word follows; the last word
// skips the check; its blank follows the whole list.
TEST(ZaehleBuchstaben, breaks_lines_before_the_next_word_but_not_before_the_last)
{
    const Text ones40 = repeated(u"1", 40, u" "), heading0 = u"\r\n\r\nGerade Zahlen = 0, Ungerade Zahlen = 1:\r\n";
    const Text heading1 = u"\r\n\r\nGerade Zahlen = 1, Ungerade Zahlen = 0:\r\n";
    const std::pair<Text, Text> rows[] = {
        {u" ,.!\r\n", heading0 + heading1},
        {repeated(u"a ", 40) + u" ", ones40 + u"\r\n" + heading0 + repeated(u"1", 40) + heading1 + repeated(u"0", 40)},
        {repeated(u"a ", 40) + u"a", ones40 + u" 1" + heading0 + repeated(u"1", 41) + heading1 + repeated(u"0", 41)},
        {repeated(u"a ", 40) + u" a", ones40 + u"\r\n 1" + heading0 + repeated(u"1", 41) + heading1 + repeated(u"0", 41)},
        {repeated(u"ab ", 80) + u"ab", repeated(repeated(u"2", 40, u" "), 2, u"\r\n") + u" 2" + heading0 + repeated(u"0", 81) + heading1 + repeated(u"1", 81)},
    };
    for (const auto& [input, output] : rows)
        expectOk(ZaehleBuchstaben(input), output);
}

// Word counts around each line width; words from the edges of every word-character range, separators beside them.
// Every line but the last is full; a last word behind no separator skips the check and may make the last one longer.
TEST(ZaehleBuchstaben, lists_every_word_in_full_lines)
{
    std::mt19937 random(4);
    for (const int words : {1, 39, 40, 41, 79, 80, 81, 120, 121}) {
        for (const bool endsInWord : {false, true}) {
            Text input, expected[3];   // the lengths, the bits with even = 0, with even = 1
            for (int word = 0; word < words; ++word) {
                const std::size_t length = 1 + random() % 12;
                expected[0] += decimal(static_cast<long long>(length)) + u" ";
                expected[1] += length % 2 ? u'1' : u'0';
                expected[2] += length % 2 ? u'0' : u'1';
                input += drawn(u"azAZ09ßÄÖÜäöü", length, random);
                input += drawn(u" ,.\r\n@[`{/:é_", word + 1 < words || !endsInWord ? 1 + random() % 3 : 0, random);
            }
            const std::vector<Text> sections = split(ZaehleBuchstaben(input).output, u"\r\n\r\nGerade Zahlen = ");
            ASSERT_EQ(sections.size(), 3u);
            for (std::size_t list = 0; list < 3; ++list) {
                const std::vector<Text> lines = split(list ? sections[list].substr(sections[list].find(u":\r\n") + 3) : sections[0], u"\r\n");
                Text listed;
                for (std::size_t line = 0; line < lines.size(); ++line) {
                    std::size_t items = list ? lines[line].size() : 0;
                    for (const Text& number : list ? std::vector<Text>() : split(lines[line], u" "))
                        listed += number.empty() ? Text() : (++items, number + u" ");
                    listed += list ? lines[line] : Text();
                    EXPECT_TRUE(line + 1 < lines.size() ? items == (list ? 80u : 40u) : items <= (list ? 80u : 40u) + endsInWord)
                        << words << " words, list " << list << ", line " << line;
                }
                EXPECT_EQ(listed, expected[list]) << words << " words, list " << list;
            }
        }
    }
}
