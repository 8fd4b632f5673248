// The language score: letter frequencies, common letter pairs, common words and the printable share.
#include "readings/language_score.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

namespace quirlwerk::readings {
namespace {

using Frequencies = std::array<double, 26>;

extern const Frequencies germanLetters;
extern const Frequencies englishLetters;
extern const std::string_view commonPairList[];
extern const std::size_t commonPairCount;
extern const std::string_view commonWordList[];
extern const std::size_t commonWordCount;

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// A letter as its lower-case base letter "a"-"z", umlauts and sharp s by their base; 0 for anything else.
char letterOf(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return static_cast<char>(c - u'A' + 'a');
    if (c >= u'a' && c <= u'z')
        return static_cast<char>(c);
    switch (c) {
    case u'ä': case u'Ä': return 'a';
    case u'ö': case u'Ö': return 'o';
    case u'ü': case u'Ü': return 'u';
    case u'ß': return 's';
    default: return 0;
    }
}

bool isTextual(char16_t c)
{
    if (letterOf(c) || (c >= u'0' && c <= u'9'))
        return true;
    return std::u16string_view(u".,;:!?'\"-()/&°").find(c) != std::u16string_view::npos;
}

double cosine(const Frequencies& counts, const Frequencies& expected)
{
    double dot = 0;
    double countNorm = 0;
    double expectedNorm = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        dot += counts[i] * expected[i];
        countNorm += counts[i] * counts[i];
        expectedNorm += expected[i] * expected[i];
    }
    return countNorm == 0 ? 0 : dot / std::sqrt(countNorm * expectedNorm);
}

// 0 at `low`, 1 at `high` and above.
double ramp(double value, double low, double high)
{
    return std::clamp((value - low) / (high - low), 0.0, 1.0);
}

// A list sorted once, for the lookups.
std::vector<std::string_view> sortedList(const std::string_view* list, std::size_t count)
{
    std::vector<std::string_view> sorted(list, list + count);
    std::ranges::sort(sorted);
    return sorted;
}

bool isCommonPair(std::string_view pair)
{
    static const std::vector<std::string_view> pairs = sortedList(commonPairList, commonPairCount);
    return std::ranges::binary_search(pairs, pair);
}

bool isCommonWord(std::string_view word)
{
    static const std::vector<std::string_view> words = sortedList(commonWordList, commonWordCount);
    return std::ranges::binary_search(words, word);
}

} // namespace

double languageScore(TextView text)
{
    Frequencies counts{};
    int marks = 0;          // characters other than blanks
    int textual = 0;
    int letters = 0;
    int pairs = 0;
    int knownPairs = 0;
    int wordLetters = 0;
    int knownLetters = 0;
    int tokens = 0;         // blank-separated
    int mixedTokens = 0;    // with letters and digits both: codes, not words
    bool tokenLetters = false;
    bool tokenDigits = false;
    std::string word;
    const auto endWord = [&] {
        wordLetters += static_cast<int>(word.size());
        // One letter alone is too easily a word by chance.
        if (word.size() > 1 && isCommonWord(word))
            knownLetters += static_cast<int>(word.size());
        word.clear();
    };
    const auto endToken = [&] {
        if (tokenLetters || tokenDigits)
            ++tokens;
        if (tokenLetters && tokenDigits)
            ++mixedTokens;
        tokenLetters = tokenDigits = false;
    };
    for (const char16_t c : text) {
        const char letter = letterOf(c);
        if (!letter) {
            endWord();
            if (isBlank(c))
                endToken();
            tokenDigits = tokenDigits || (c >= u'0' && c <= u'9');
            if (!isBlank(c)) {
                ++marks;
                textual += isTextual(c) ? 1 : 0;
            }
            continue;
        }
        ++marks;
        ++textual;
        ++letters;
        tokenLetters = true;
        counts[static_cast<std::size_t>(letter - 'a')] += 1;
        if (!word.empty()) {
            ++pairs;
            const char pair[2] = {word.back(), letter};
            if (isCommonPair(std::string_view(pair, 2)))
                ++knownPairs;
        }
        word += c == u'ß' ? std::string("ss") : std::string(1, letter);
    }
    endWord();
    endToken();
    if (letters == 0)
        return 0;

    const double printable = static_cast<double>(textual) / marks;
    const double letterShare = static_cast<double>(letters) / marks;
    const double frequency = ramp(std::max(cosine(counts, germanLetters), cosine(counts, englishLetters)), 0.55, 0.9);
    const double pairShare = pairs == 0 ? 0 : ramp(static_cast<double>(knownPairs) / pairs, 0.1, 0.45);
    const double wordShare = ramp(static_cast<double>(knownLetters) / wordLetters, 0, 0.35);
    const double words = 1 - 0.8 * mixedTokens / tokens;
    // A handful of letters says little: their score grows with their number up to a short sentence.
    const double evidence = std::sqrt(std::min(1.0, letters / 16.0));
    const double language = 0.25 * frequency + 0.3 * pairShare + 0.45 * wordShare;
    return maxLanguageScore * language * words * printable * printable * ramp(letterShare, 0, 0.6) * evidence;
}

namespace {

// Per cent of the letters in ordinary prose, "a" to "z"; umlauts counted with their base letter.
const Frequencies germanLetters = {6.51, 1.89, 3.06, 5.08, 17.40, 1.66, 3.01, 4.76, 7.55, 0.27, 1.21, 3.44, 2.53,
                                   9.78, 2.51, 0.79, 0.02, 7.00, 7.27, 6.15, 4.35, 0.67, 1.89, 0.03, 0.04, 1.13};
const Frequencies englishLetters = {8.17, 1.49, 2.78, 4.25, 12.70, 2.23, 2.02, 6.09, 6.97, 0.15, 0.77, 4.03, 2.41,
                                    6.75, 7.51, 1.93, 0.10, 5.99, 6.33, 9.06, 2.76, 0.98, 2.36, 0.15, 1.97, 0.07};

// The most frequent letter pairs of both languages.
const std::string_view commonPairList[] = {
    "al", "an", "ar", "as", "at", "au", "be", "ch", "ck", "co", "da", "de", "di", "ea", "ed", "ei", "el", "em",
    "en", "er", "es", "et", "ge", "ha", "he", "hi", "ic", "ie", "ig", "il", "in", "io", "is", "it", "la", "le",
    "li", "ll", "ma", "me", "nd", "ne", "ng", "ns", "nt", "of", "on", "or", "ou", "ra", "re", "ri", "ro", "sc",
    "se", "si", "st", "ta", "te", "th", "ti", "to", "un", "ur", "ve", "wi", "ze", "zu"};
const std::size_t commonPairCount = std::size(commonPairList);

// Common words of both languages and of cache listings, lower case, "ß" as "ss", umlauts by their base.
const std::string_view commonWordList[] = {
    "a", "about", "after", "all", "alle", "also", "am", "an", "and", "any", "are", "as", "at", "auch", "auf",
    "aus", "back", "be", "bei", "been", "bei", "bis", "but", "by", "cache", "can", "could", "da", "dann", "das",
    "dass", "day", "dein", "dem", "den", "der", "des", "dich", "die", "do", "dort", "dose", "down", "du", "durch",
    "east", "ein", "eine", "einem", "einen", "einer", "er", "es", "final", "first", "for", "from", "fur", "gibt",
    "go", "good", "gut", "hat", "have", "he", "her", "here", "hier", "him", "his", "how", "ich", "if", "ihr",
    "im", "in", "into", "is", "ist", "it", "its", "ja", "jetzt", "just", "kann", "kein", "know", "like",
    "little", "log", "made", "make", "man", "many", "may", "me", "mehr", "mein", "mit", "more", "most", "much",
    "must", "my", "nach", "nein", "new", "nicht", "no", "noch", "nord", "norden", "north", "not", "now", "nur",
    "of", "oder", "on", "one", "only", "or", "ost", "osten", "other", "our", "out", "over", "people", "punkt",
    "right", "said", "schon", "sehr", "sein", "she", "sich", "sie", "sind", "so", "some", "south", "such", "sud",
    "suden", "suche", "than", "that", "the", "their", "them", "then", "there", "these", "they", "this", "time",
    "to", "two", "uber", "um", "und", "uns", "up", "us", "use", "very", "vom", "von", "vor", "war", "was", "way",
    "we", "well", "wenn", "wer", "were", "west", "westen", "what", "when", "where", "which", "who", "wie", "will",
    "wir", "with", "wo", "would", "wurde", "year", "you", "your", "zu", "zum", "zur", "zwei", "drei", "vier",
    "funf", "sechs", "sieben", "acht", "neun", "zehn", "null", "eins", "zero", "three", "four", "five", "six",
    "seven", "eight", "nine", "ten", "hello", "hallo", "welt", "world", "grad", "minuten", "koordinaten",
    "losung", "station", "weiter", "geht", "es", "ihr", "findet", "find"};
const std::size_t commonWordCount = std::size(commonWordList);

} // namespace
} // namespace quirlwerk::readings
