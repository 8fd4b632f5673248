// The substitution dialects of Brainfuck: the tables, the token reader and the detection.
#include "readings/dialects.h"

#include <algorithm>

namespace quirlwerk::readings {
namespace {

bool isBlank(char16_t c)
{
    return c <= u' ';
}

char16_t folded(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

Text foldedText(TextView text)
{
    Text result(text);
    std::ranges::transform(result, result.begin(), folded);
    return result;
}

std::vector<TextView> wordsOf(TextView text)
{
    std::vector<TextView> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && isBlank(text[at]))
            ++at;
        const std::size_t begin = at;
        while (at < text.size() && !isBlank(text[at]))
            ++at;
        if (at > begin)
            words.push_back(text.substr(begin, at - begin));
    }
    return words;
}

// The tokens as the reader matches them: case folded where that keeps them apart, and a token of several
// words also without its blanks, for texts that run the words together.
struct Matcher {
    bool caseless = false;
    std::vector<std::pair<std::vector<Text>, char16_t>> phrases;   // tokens of several words
    std::vector<std::pair<Text, char16_t>> pieces;                 // longest first

    explicit Matcher(const Dialect& dialect)
    {
        std::vector<Text> foldedTokens;
        for (const Text& token : dialect.tokens)
            foldedTokens.push_back(foldedText(token));
        std::ranges::sort(foldedTokens);
        caseless = std::ranges::adjacent_find(foldedTokens) == foldedTokens.end();
        for (std::size_t i = 0; i < dialect.tokens.size(); ++i) {
            const Text token = caseless ? foldedText(dialect.tokens[i]) : dialect.tokens[i];
            const char16_t command = brainfuckCommands[i];
            std::vector<Text> words;
            Text joined;
            for (const TextView word : wordsOf(token)) {
                words.emplace_back(word);
                joined += word;
            }
            if (words.size() > 1)
                phrases.emplace_back(words, command);
            if (!joined.empty())
                pieces.emplace_back(joined, command);
        }
        std::ranges::stable_sort(phrases, std::ranges::greater{}, [](const auto& p) { return p.first.size(); });
        std::ranges::stable_sort(pieces, std::ranges::greater{}, [](const auto& p) { return p.first.size(); });
    }
};

} // namespace

Translation toBrainfuck(TextView text, const Dialect& dialect)
{
    const Matcher matcher(dialect);
    const Text source = matcher.caseless ? foldedText(text) : Text(text);
    const std::vector<TextView> words = wordsOf(source);
    Translation translation;
    std::size_t marks = 0;
    std::size_t covered = 0;
    for (std::size_t i = 0; i < words.size();) {
        const auto phrase = std::ranges::find_if(matcher.phrases, [&](const auto& p) {
            return i + p.first.size() <= words.size()
                && std::equal(p.first.begin(), p.first.end(), words.begin() + static_cast<std::ptrdiff_t>(i));
        });
        if (phrase != matcher.phrases.end()) {
            for (std::size_t k = 0; k < phrase->first.size(); ++k) {
                marks += words[i + k].size();
                covered += words[i + k].size();
            }
            translation.program += phrase->second;
            i += phrase->first.size();
            continue;
        }
        const TextView word = words[i++];
        marks += word.size();
        for (std::size_t at = 0; at < word.size();) {
            const auto piece = std::ranges::find_if(
                matcher.pieces, [&](const auto& p) { return word.substr(at).starts_with(p.first); });
            if (piece == matcher.pieces.end()) {
                ++at;
                continue;
            }
            translation.program += piece->second;
            covered += piece->first.size();
            at += piece->first.size();
        }
    }
    translation.covered = marks == 0 ? 0 : static_cast<double>(covered) / static_cast<double>(marks);
    return translation;
}

Text spell(TextView program, const Dialect& dialect)
{
    Text text;
    for (const char16_t c : program) {
        const std::size_t index = brainfuckCommands.find(c);
        if (index == TextView::npos)
            continue;
        if (!text.empty())
            text += u' ';
        text += dialect.tokens[index];
    }
    return text;
}

std::vector<Detected> detectDialects(TextView text, const std::vector<Dialect>& dialects)
{
    constexpr std::size_t fewestTokens = 8;
    std::vector<Detected> found;
    for (const Dialect& dialect : dialects) {
        Translation translation = toBrainfuck(text, dialect);
        if (translation.covered >= coveredShare && translation.program.size() >= fewestTokens)
            found.push_back({&dialect, std::move(translation.program)});
    }
    return found;
}

std::optional<Dialect> userDialect(TextView words, Text name)
{
    const std::vector<TextView> tokens = wordsOf(words);
    if (tokens.size() != 8)
        return std::nullopt;
    Dialect dialect{std::move(name), {}};
    std::ranges::copy(tokens, dialect.tokens.begin());
    std::vector<Text> sorted(dialect.tokens.begin(), dialect.tokens.end());
    std::ranges::sort(sorted);
    if (std::ranges::adjacent_find(sorted) != sorted.end())
        return std::nullopt;
    return dialect;
}

const std::vector<Dialect>& knownDialects()
{
    // Tokens in the order > < + - . , [ ].
    static const std::vector<Dialect> dialects = {
        {u"Blub", {u"Blub. Blub?", u"Blub? Blub.", u"Blub. Blub.", u"Blub! Blub!", u"Blub! Blub.", u"Blub. Blub!",
                   u"Blub! Blub?", u"Blub? Blub!"}},
        {u"Pikalang", {u"pipi", u"pichu", u"pi", u"ka", u"pikachu", u"pikapi", u"pika", u"chu"}},
        {u"Alphuck", {u"a", u"c", u"e", u"i", u"j", u"o", u"p", u"s"}},
    };
    return dialects;
}

} // namespace quirlwerk::readings
