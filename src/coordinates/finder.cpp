// The coordinate scanner: the text becomes a list of tokens (numbers, hemispheres, marks, gaps), then
// every token that can start a coordinate is tried against the three readings: hemisphere before,
// hemisphere after, sign and degree sign only. Each try looks at a few tokens, so the scan is linear.
#include "coordinates/finder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace quirlwerk::coordinates {
namespace {

enum class Kind : std::uint8_t { Number, Hemisphere, Degree, Minute, Second, Minus, Gap, Barrier, Word, Point };

// Kept small: a MiB of text can give half a million tokens.
struct Token {
    std::size_t begin = 0;
    std::size_t end = 0;
    double value = 0;                 // Number: the whole value; Word: the spelled number
    Kind kind = Kind::Barrier;
    std::uint8_t wholeDigits = 0;     // Number: digits before the decimal separator, counted up to a cap
    std::uint8_t fractionDigits = 0;  // Number: digits after it, counted up to a cap
    bool digitWord = false;           // Word: a single digit ("FÜNF"), which may be spelled one by one
    bool latitude = false;            // Hemisphere: N or S
    bool negative = false;            // Hemisphere: S or W
    std::uint8_t lineBreaks = 0;      // Gap, counted up to a cap
    std::uint8_t separators = 0;      // Gap: commas, slashes, semicolons, counted up to a cap
};

constexpr std::uint8_t countCap = 100;

void count(std::uint8_t& counter)
{
    if (counter < countCap)
        ++counter;
}

constexpr int maxWholeDigits = 3;      // "013": a degree part never needs more
constexpr int maxPartDigits = 2;       // minutes and seconds
constexpr double partLimit = 60;       // minutes and seconds stay below it
constexpr double latitudeLimit = 90;
constexpr double longitudeLimit = 180;
constexpr int minSignedDecimals = 2;   // "21.5°, 22.3°" is a temperature list, not a place
constexpr int minBareDecimals = 1;     // decimal degrees after a hemisphere letter without a degree sign
constexpr int minPreciseDecimals = 3;  // halves without marks may differ in decimals from here on
constexpr std::size_t maxHalfTokens = 16;   // "-52 ° 31 ' 07.4 \" N" with blanks between is 12
constexpr int maxLineBreaks = 2;       // the halves may stand on two lines, with one blank line between

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool isLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7);
}

bool isDegree(char16_t c) { return c == u'°' || c == u'º' || c == u'˚'; }
bool isMinuteMark(char16_t c) { return c == u'\'' || c == u'′' || c == u'’' || c == u'´' || c == u'‘' || c == u'`' || c == u'ʹ'; }
bool isSecondMark(char16_t c) { return c == u'"' || c == u'″' || c == u'”' || c == u'“' || c == u'ʺ'; }
bool isMinus(char16_t c) { return c == u'-' || c == u'−' || c == u'–'; }
bool isGap(char16_t c)
{
    return c == u' ' || c == u'\t' || c == 0xA0 || c == u'\u2009' || c == u'\u202F' || c == u'\r' || c == u'\n' || c == u','
        || c == u'/' || c == u';';
}

// ---- Words: a run of letters is either a sequence of known words or a barrier ----

// A letter run upper-cased with umlauts and ß written out, and where each letter came from.
struct Spelling {
    std::string letters;
    std::vector<std::size_t> source;   // source[k]: the text position of letters[k]
};

void spell(TextView text, std::size_t begin, std::size_t end, Spelling& out)
{
    out.letters.clear();
    out.source.clear();
    for (std::size_t i = begin; i < end; ++i) {
        char16_t c = text[i];
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - 32);
        const char* expanded = nullptr;
        switch (c) {
        case u'Ä': case u'ä': expanded = "AE"; break;
        case u'Ö': case u'ö': expanded = "OE"; break;
        case u'Ü': case u'ü': expanded = "UE"; break;
        case u'ß': expanded = "SS"; break;
        default: break;
        }
        if (expanded) {
            for (const char* e = expanded; *e; ++e) {
                out.letters += *e;
                out.source.push_back(i);
            }
        } else {
            out.letters += c < 0x80 ? static_cast<char>(c) : '?';   // other letters match no word
            out.source.push_back(i);
        }
    }
}

struct NumberWord {
    std::string_view spelling;
    int value;
};

bool startsWith(std::string_view text, std::size_t at, std::string_view word)
{
    return text.size() - at >= word.size() && text[at] == word[0] && text.compare(at, word.size(), word) == 0;
}

// The longest number word below 200 at a place, or 0 letters.
struct WordMatch {
    std::size_t length = 0;
    int value = 0;
    bool digit = false;
};

WordMatch belowHundred(std::string_view letters, std::size_t at);
WordMatch numberAt(std::string_view letters, std::size_t at);

enum class Vocabulary { North, South, East, West, Degree, Minute, Second, Point };

struct KnownWord {
    std::string_view spelling;
    Vocabulary meaning;
};

extern const std::array<NumberWord, 10> digitWords;
extern const std::array<NumberWord, 9> compoundUnits;
extern const std::array<NumberWord, 11> teens;
extern const std::array<NumberWord, 9> tens;
extern const std::array<KnownWord, 14> knownWords;

// Every number word below 100 written out, compounds included, filed by initial: a place in a word is
// compared only with the words that start with its letter.
struct Spelled {
    std::string spelling;
    int value;
    bool digit;
};
using ByInitial = std::array<std::vector<Spelled>, 26>;

const ByInitial& wordsBelowHundred()
{
    static const ByInitial byInitial = [] {
        ByInitial words;
        const auto add = [&](std::string spelling, int value, bool digit) {
            words[static_cast<std::size_t>(spelling[0] - 'A')].push_back({std::move(spelling), value, digit});
        };
        for (const NumberWord& word : digitWords) add(std::string(word.spelling), word.value, true);
        for (const NumberWord& word : teens) add(std::string(word.spelling), word.value, false);
        for (const NumberWord& word : tens) add(std::string(word.spelling), word.value, false);
        for (const NumberWord& unit : compoundUnits) {
            for (const NumberWord& word : tens)
                add(std::string(unit.spelling) + "UND" + std::string(word.spelling), unit.value + word.value, false);
        }
        return words;
    }();
    return byInitial;
}

WordMatch belowHundred(std::string_view letters, std::size_t at)
{
    WordMatch best;
    if (at >= letters.size() || letters[at] < 'A' || letters[at] > 'Z')
        return best;
    for (const Spelled& word : wordsBelowHundred()[static_cast<std::size_t>(letters[at] - 'A')]) {
        if (word.spelling.size() > best.length && startsWith(letters, at, word.spelling))
            best = {word.spelling.size(), word.value, word.digit};
    }
    return best;
}

// "HUNDERT", "EINHUNDERT" and what follows them reach the longitudes from 100 to 199.
WordMatch numberAt(std::string_view letters, std::size_t at)
{
    WordMatch best = belowHundred(letters, at);
    for (const std::string_view hundred : {std::string_view("HUNDERT"), std::string_view("EINHUNDERT")}) {
        if (!startsWith(letters, at, hundred))
            continue;
        const std::size_t after = at + hundred.size();
        const WordMatch rest = belowHundred(letters, after);
        if (hundred.size() + rest.length > best.length)
            best = {hundred.size() + rest.length, 100 + rest.value, false};
    }
    return best;
}

// Nothing reads a gap between two barriers: they become one, which keeps prose and Morse code to few tokens.
void addBarrier(std::vector<Token>& tokens, std::size_t begin, std::size_t end)
{
    const std::size_t n = tokens.size();
    if (n >= 2 && tokens[n - 1].kind == Kind::Gap && tokens[n - 2].kind == Kind::Barrier)
        tokens.pop_back();
    if (!tokens.empty() && tokens.back().kind == Kind::Barrier)
        tokens.back().end = end;
    else
        tokens.push_back({.begin = begin, .end = end, .kind = Kind::Barrier});
}

// Most words start with a letter no known word starts with: they need no closer look.
bool mayStartWord(char16_t c)
{
    static const std::uint32_t initials = [] {
        std::uint32_t letters = 0;
        const auto add = [&](std::string_view word) { letters |= 1u << (word[0] - 'A'); };
        for (const NumberWord& word : digitWords) add(word.spelling);
        for (const NumberWord& word : compoundUnits) add(word.spelling);
        for (const NumberWord& word : teens) add(word.spelling);
        for (const NumberWord& word : tens) add(word.spelling);
        for (const KnownWord& word : knownWords) add(word.spelling);
        add("HUNDERT");
        return letters;
    }();
    if (c >= u'a' && c <= u'z')
        c = static_cast<char16_t>(c - 32);
    switch (c) {
    case u'Ä': case u'ä': c = u'A'; break;
    case u'Ö': case u'ö': c = u'O'; break;
    case u'Ü': case u'ü': c = u'U'; break;
    case u'ß': c = u'S'; break;
    default: break;
    }
    return c >= u'A' && c <= u'Z' && (initials >> (c - u'A') & 1u);
}

// Appends the run's words as tokens, or one barrier when any part of the run is no known word.
void addWords(TextView text, std::size_t begin, std::size_t end, Spelling& spelling, std::vector<Token>& tokens)
{
    const auto barrier = [&] { addBarrier(tokens, begin, end); };
    if (end - begin == 1) {
        Token hemisphere{.begin = begin, .end = end, .kind = Kind::Hemisphere};
        switch (text[begin]) {
        case u'N': case u'n': hemisphere.latitude = true; break;
        case u'S': case u's': hemisphere.latitude = true; hemisphere.negative = true; break;
        case u'E': case u'e': case u'O': case u'o': break;
        case u'W': case u'w': hemisphere.negative = true; break;
        default: return barrier();
        }
        tokens.push_back(hemisphere);
        return;
    }
    if (!mayStartWord(text[begin]))
        return barrier();
    spell(text, begin, end, spelling);
    const std::string_view letters = spelling.letters;
    const std::size_t had = tokens.size();
    for (std::size_t at = 0; at < letters.size();) {
        const WordMatch number = numberAt(letters, at);
        const KnownWord* known = nullptr;
        for (const KnownWord& word : knownWords) {
            if (startsWith(letters, at, word.spelling) && (!known || word.spelling.size() > known->spelling.size()))
                known = &word;
        }
        const std::size_t length = std::max(number.length, known ? known->spelling.size() : 0);
        if (length == 0) {
            tokens.resize(had);
            return barrier();
        }
        const std::size_t wordEnd = at + length < letters.size() ? spelling.source[at + length] : end;
        Token token{.begin = spelling.source[at], .end = wordEnd};
        if (number.length == length) {
            token.kind = Kind::Word;
            token.value = number.value;
            token.digitWord = number.digit;
        } else {
            switch (known->meaning) {
            case Vocabulary::North: token.kind = Kind::Hemisphere; token.latitude = true; break;
            case Vocabulary::South: token.kind = Kind::Hemisphere; token.latitude = true; token.negative = true; break;
            case Vocabulary::East: token.kind = Kind::Hemisphere; break;
            case Vocabulary::West: token.kind = Kind::Hemisphere; token.negative = true; break;
            case Vocabulary::Degree: token.kind = Kind::Degree; break;
            case Vocabulary::Minute: token.kind = Kind::Minute; break;
            case Vocabulary::Second: token.kind = Kind::Second; break;
            case Vocabulary::Point: token.kind = Kind::Point; break;
            }
        }
        tokens.push_back(token);
        at += length;
    }
}

// ---- Tokens ----

void addNumber(TextView text, std::size_t& i, std::vector<Token>& tokens)
{
    Token token{.begin = i, .kind = Kind::Number};
    double whole = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        whole = whole * 10 + (text[i] - u'0');
        count(token.wholeDigits);
    }
    double fraction = 0;
    double scale = 1;
    if (i + 1 < text.size() && (text[i] == u'.' || text[i] == u',') && isDigit(text[i + 1])) {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            if (token.fractionDigits < 15) {
                fraction = fraction * 10 + (text[i] - u'0');
                scale *= 10;
            }
            count(token.fractionDigits);
        }
    }
    // "12.03.2024", "1.2.3", "48.816,34.147": a date, a version or a list, never a part of a coordinate.
    if (token.fractionDigits > 0 && i + 1 < text.size() && (text[i] == u'.' || text[i] == u',') && isDigit(text[i + 1])) {
        while (i < text.size() && (isDigit(text[i]) || text[i] == u'.' || text[i] == u','))
            ++i;
        return addBarrier(tokens, token.begin, i);
    }
    token.value = whole + fraction / scale;
    token.end = i;
    tokens.push_back(token);
}

// Decoded Morse code writes each gap between words as "/ ": there the slash is only a blank.
bool morseWordGap(TextView text, std::size_t i)
{
    return i + 1 < text.size() && (text[i + 1] == u' ' || text[i + 1] == u'\r' || text[i + 1] == u'\n');
}

void addGap(TextView text, std::size_t& i, std::vector<Token>& tokens)
{
    Token token{.begin = i, .kind = Kind::Gap};
    for (; i < text.size() && isGap(text[i]); ++i) {
        const char16_t c = text[i];
        if (c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')))
            count(token.lineBreaks);
        else if (c == u',' || c == u';' || (c == u'/' && !morseWordGap(text, i)))
            count(token.separators);
    }
    token.end = i;
    tokens.push_back(token);
}

// A minus counts before a digit or after a hemisphere ("Nord-52"); elsewhere, as in Morse code, it is
// punctuation and joins the barrier before it.
bool signOrJoiner(TextView text, std::size_t i, const std::vector<Token>& tokens)
{
    return (i + 1 < text.size() && isDigit(text[i + 1]))
        || (!tokens.empty() && tokens.back().kind == Kind::Hemisphere && tokens.back().end == i);
}

std::vector<Token> lex(TextView text)
{
    std::vector<Token> tokens;
    tokens.reserve(text.size() / 4 + 16);
    Spelling spelling;
    for (std::size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        if (isDigit(c)) {
            addNumber(text, i, tokens);
        } else if (isLetter(c)) {
            const std::size_t begin = i;
            while (i < text.size() && isLetter(text[i]))
                ++i;
            addWords(text, begin, i, spelling, tokens);
        } else if (isGap(c)) {
            addGap(text, i, tokens);
        } else {
            Token token{.begin = i, .end = i + 1};
            if (isDegree(c)) {
                token.kind = Kind::Degree;
            } else if (isMinuteMark(c)) {
                token.kind = Kind::Minute;
                if (i + 1 < text.size() && isMinuteMark(text[i + 1])) {   // '' as the seconds mark
                    token.kind = Kind::Second;
                    ++token.end;
                }
            } else if (isSecondMark(c)) {
                token.kind = Kind::Second;
            } else if (isMinus(c) && signOrJoiner(text, i, tokens)) {
                token.kind = Kind::Minus;
            } else {
                addBarrier(tokens, i, i + 1);
                ++i;
                continue;
            }
            i = token.end;
            tokens.push_back(token);
        }
    }
    return tokens;
}

bool isBlank(const std::vector<Token>& tokens, std::size_t i)
{
    return i < tokens.size() && tokens[i].kind == Kind::Gap && tokens[i].lineBreaks == 0 && tokens[i].separators == 0;
}

std::size_t skipBlank(const std::vector<Token>& tokens, std::size_t i)
{
    return isBlank(tokens, i) ? i + 1 : i;
}

bool is(const std::vector<Token>& tokens, std::size_t i, Kind kind)
{
    return i < tokens.size() && tokens[i].kind == kind;
}

// Spelled numbers become number tokens: a whole number word or single digits spelled one by one,
// then "PUNKT" or "KOMMA" and digits spelled one by one.
void joinSpelled(std::vector<Token>& words)
{
    std::size_t out = 0;   // the joined tokens overwrite the words they came from
    const auto nextWord = [&](std::size_t i) -> std::size_t {   // the word after i, through a blank
        const std::size_t j = skipBlank(words, i + 1);
        return is(words, j, Kind::Word) ? j : words.size();
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].kind == Kind::Point) {
            words[out++] = {.begin = words[i].begin, .end = words[i].end, .kind = Kind::Barrier};
            continue;
        }
        if (words[i].kind != Kind::Word) {
            words[out++] = words[i];
            continue;
        }
        Token number{.begin = words[i].begin, .end = words[i].end, .kind = Kind::Number};
        std::size_t last = i;
        double whole = words[i].value;
        number.wholeDigits = whole >= 100 ? 3 : whole >= 10 ? 2 : 1;
        if (words[i].digitWord) {
            bool zeros = whole == 0;
            for (std::size_t j = nextWord(last); j < words.size(); j = nextWord(last)) {
                if (words[j].digitWord) {
                    whole = whole * 10 + words[j].value;
                    count(number.wholeDigits);
                    zeros = zeros && words[j].value == 0;
                } else if (zeros) {   // "NULL DREIZEHN"
                    whole = words[j].value;
                    count(number.wholeDigits);
                    count(number.wholeDigits);
                    zeros = false;
                } else {
                    break;
                }
                last = j;
            }
        }
        const std::size_t point = skipBlank(words, last + 1);
        std::size_t digit = skipBlank(words, point + 1);
        if (is(words, point, Kind::Point) && is(words, digit, Kind::Word) && words[digit].digitWord) {
            double fraction = 0;
            double scale = 1;
            for (; digit < words.size(); digit = nextWord(last)) {
                if (!words[digit].digitWord)
                    break;
                if (number.fractionDigits < 15) {
                    fraction = fraction * 10 + words[digit].value;
                    scale *= 10;
                }
                count(number.fractionDigits);
                last = digit;
            }
            whole += fraction / scale;
        }
        number.value = whole;
        number.end = words[last].end;
        words[out++] = number;
        i = last;
    }
    words.resize(out);
}

// ---- Readings ----

// One way to read an angle: degrees, degrees and minutes, or degrees, minutes and seconds.
struct Angle {
    double value = 0;
    std::size_t next = 0;     // the token after the reading
    std::size_t last = 0;     // its last token
    bool degreeSign = false;
    bool marks = false;       // a degree, minutes or seconds mark
    int decimals = 0;         // of its last number
    int parts = 1;            // degrees; degrees and minutes; degrees, minutes and seconds
    bool open = false;        // its last number could still be followed by minutes or seconds
};

struct Angles {
    std::array<Angle, 3> items;
    std::size_t count = 0;
    void add(const Angle& angle) { items[count++] = angle; }
};

bool part(const Token& token)
{
    return token.kind == Kind::Number && token.wholeDigits <= maxPartDigits && token.value < partLimit;
}

Angles readAngle(const std::vector<Token>& tokens, std::size_t i)
{
    Angles found;
    if (!is(tokens, i, Kind::Number) || tokens[i].wholeDigits > maxWholeDigits)
        return found;
    const Token& degrees = tokens[i];
    Angle angle{.value = degrees.value, .next = i + 1, .last = i, .decimals = degrees.fractionDigits};
    const std::size_t sign = skipBlank(tokens, i + 1);
    if (is(tokens, sign, Kind::Degree)) {
        angle.degreeSign = angle.marks = true;
        angle.next = sign + 1;
        angle.last = sign;
    }
    angle.open = degrees.fractionDigits == 0;
    found.add(angle);
    if (degrees.fractionDigits > 0)
        return found;

    const std::size_t m = skipBlank(tokens, angle.next);
    if (!is(tokens, m, Kind::Number) || !part(tokens[m]))
        return found;
    Angle withMinutes = angle;
    withMinutes.parts = 2;
    withMinutes.value += tokens[m].value / 60;
    withMinutes.decimals = tokens[m].fractionDigits;
    withMinutes.open = tokens[m].fractionDigits == 0;
    withMinutes.next = m + 1;
    withMinutes.last = m;
    if (const std::size_t mark = skipBlank(tokens, m + 1); is(tokens, mark, Kind::Minute)) {   // "31 MINUTEN"
        withMinutes.marks = true;
        withMinutes.next = mark + 1;
        withMinutes.last = mark;
    }
    found.add(withMinutes);
    if (tokens[m].fractionDigits > 0)
        return found;

    const std::size_t s = skipBlank(tokens, withMinutes.next);
    if (s == withMinutes.next && withMinutes.last == m)   // seconds need a mark or a blank before them
        return found;
    if (!is(tokens, s, Kind::Number) || !part(tokens[s]))
        return found;
    Angle withSeconds = withMinutes;
    withSeconds.value += tokens[s].value / 3600;
    withSeconds.decimals = tokens[s].fractionDigits;
    withSeconds.open = false;
    withSeconds.parts = 3;
    withSeconds.next = s + 1;
    withSeconds.last = s;
    if (const std::size_t mark = skipBlank(tokens, s + 1); is(tokens, mark, Kind::Second)) {
        withSeconds.marks = true;
        withSeconds.next = mark + 1;
        withSeconds.last = mark;
    }
    found.add(withSeconds);
    return found;
}

// A reading that stops where a number could still continue it would report part of something else.
bool continued(const std::vector<Token>& tokens, const Angle& angle)
{
    if (!angle.open)
        return false;
    const std::size_t after = skipBlank(tokens, angle.next);
    return is(tokens, after, Kind::Number) || is(tokens, after, Kind::Minute) || is(tokens, after, Kind::Second);
}

// With a hemisphere: the value needs a fraction or a mark.
bool enoughWithHemisphere(const Angle& angle)
{
    if (angle.parts == 1)
        return angle.degreeSign || angle.decimals >= minBareDecimals;
    return angle.marks || angle.decimals > 0;
}

// Without one, angles and temperatures ("30° 15'", "21.5°") must not pass: whole minutes or a
// degree with one decimal are too coarse to mark a place.
bool enoughWithSign(const Angle& angle)
{
    if (!angle.degreeSign)
        return false;
    if (angle.parts == 1)
        return angle.decimals >= minSignedDecimals;
    return angle.parts == 3 || angle.decimals > 0;
}

bool separatorGap(const Token& token)
{
    return token.kind == Kind::Gap && token.separators <= 1 && token.lineBreaks <= maxLineBreaks;
}

// The gap between the halves, which may be missing: the index of the second half.
std::size_t afterSeparator(const std::vector<Token>& tokens, std::size_t i)
{
    if (i < tokens.size() && separatorGap(tokens[i]))
        return i + 1;
    return i;
}

struct Reading {
    Coordinate position;
    std::size_t last = 0;   // the last token of the reading
    bool found = false;
};

// Both halves are written alike: a number list after a stage name ("N2 48.816 O 7 0.5") rarely is.
bool alike(const Angle& latitude, const Angle& longitude)
{
    if (latitude.parts != longitude.parts)
        return false;
    return latitude.marks || longitude.marks || latitude.decimals == longitude.decimals
        || std::min(latitude.decimals, longitude.decimals) >= minPreciseDecimals;
}

void keepLonger(Reading& best, const Angle& first, const Angle& second, double latitude, double longitude,
                std::size_t last)
{
    if (!alike(first, second) || std::abs(latitude) > latitudeLimit || std::abs(longitude) > longitudeLimit)
        return;
    if (!best.found || last > best.last)
        best = {{latitude, longitude}, last, true};
}

double signedBy(const Token& hemisphere, double value)
{
    return hemisphere.negative ? -value : value;
}

// "N 52° 31.123 E 013° 24.456"
void hemisphereBefore(const std::vector<Token>& tokens, std::size_t i, Reading& best)
{
    const auto angleAfter = [&](std::size_t h) {
        std::size_t at = skipBlank(tokens, h + 1);
        if (is(tokens, at, Kind::Minus))   // "Nord-52"
            at = skipBlank(tokens, at + 1);
        return readAngle(tokens, at);
    };
    if (!tokens[i].latitude)
        return;
    const Angles latitudes = angleAfter(i);
    for (std::size_t a = 0; a < latitudes.count; ++a) {
        const Angle& latitude = latitudes.items[a];
        if (!enoughWithHemisphere(latitude) || continued(tokens, latitude))
            continue;
        const std::size_t h = afterSeparator(tokens, latitude.next);
        if (!is(tokens, h, Kind::Hemisphere) || tokens[h].latitude)
            continue;
        const Angles longitudes = angleAfter(h);
        for (std::size_t b = 0; b < longitudes.count; ++b) {
            const Angle& longitude = longitudes.items[b];
            if (enoughWithHemisphere(longitude) && !continued(tokens, longitude))
                keepLonger(best, latitude, longitude, signedBy(tokens[i], latitude.value), signedBy(tokens[h], longitude.value),
                           longitude.last);
        }
    }
}

// "52° 31.123' N, 13° 24.456' E"
void hemisphereAfter(const std::vector<Token>& tokens, const Angles& latitudes, Reading& best)
{
    for (std::size_t a = 0; a < latitudes.count; ++a) {
        const Angle& latitude = latitudes.items[a];
        const std::size_t h = skipBlank(tokens, latitude.next);
        if (!enoughWithHemisphere(latitude) || !is(tokens, h, Kind::Hemisphere) || !tokens[h].latitude)
            continue;
        const Angles longitudes = readAngle(tokens, afterSeparator(tokens, h + 1));
        for (std::size_t b = 0; b < longitudes.count; ++b) {
            const Angle& longitude = longitudes.items[b];
            const std::size_t k = skipBlank(tokens, longitude.next);
            if (enoughWithHemisphere(longitude) && is(tokens, k, Kind::Hemisphere) && !tokens[k].latitude)
                keepLonger(best, latitude, longitude, signedBy(tokens[h], latitude.value), signedBy(tokens[k], longitude.value), k);
        }
    }
}

// "-33.8688°, 151.2093°": no hemisphere, so both halves need the degree sign.
void signOnly(const std::vector<Token>& tokens, const Angles& latitudes, bool southern, Reading& best)
{
    const auto signedAngles = [&](std::size_t at, bool& negative) {
        negative = is(tokens, at, Kind::Minus);
        return readAngle(tokens, negative ? at + 1 : at);
    };
    for (std::size_t a = 0; a < latitudes.count; ++a) {
        const Angle& latitude = latitudes.items[a];
        if (!enoughWithSign(latitude) || continued(tokens, latitude))
            continue;
        const std::size_t second = afterSeparator(tokens, latitude.next);
        if (second == latitude.next)
            continue;
        bool western = false;
        const Angles longitudes = signedAngles(second, western);
        for (std::size_t b = 0; b < longitudes.count; ++b) {
            const Angle& longitude = longitudes.items[b];
            const std::size_t k = skipBlank(tokens, longitude.next);
            if (enoughWithSign(longitude) && !continued(tokens, longitude) && !is(tokens, k, Kind::Hemisphere))
                keepLonger(best, latitude, longitude, southern ? -latitude.value : latitude.value,
                           western ? -longitude.value : longitude.value, longitude.last);
        }
    }
}

// A reading that starts with a number meets its degree sign or hemisphere within its first half.
bool anchorAhead(const std::vector<Token>& tokens, std::size_t i)
{
    const std::size_t end = std::min(tokens.size(), i + maxHalfTokens);
    for (std::size_t j = i; j < end; ++j) {
        if (tokens[j].kind == Kind::Degree || tokens[j].kind == Kind::Hemisphere)
            return true;
    }
    return false;
}

} // namespace

std::vector<Find> findCoordinates(TextView text)
{
    std::vector<Token> tokens = lex(text);
    joinSpelled(tokens);
    std::vector<Find> finds;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Reading best;
        if (tokens[i].kind == Kind::Hemisphere) {
            hemisphereBefore(tokens, i, best);
        } else if ((tokens[i].kind == Kind::Number || tokens[i].kind == Kind::Minus) && anchorAhead(tokens, i)) {
            const bool minus = tokens[i].kind == Kind::Minus;
            const Angles first = readAngle(tokens, minus ? i + 1 : i);   // read once for both readings
            if (!minus)
                hemisphereAfter(tokens, first, best);
            signOnly(tokens, first, minus, best);
        }
        if (best.found) {
            finds.push_back({best.position, tokens[i].begin, tokens[best.last].end});
            i = best.last;
        }
    }
    return finds;
}

namespace {

constexpr std::array<NumberWord, 10> digitWords{{
    {"NULL", 0}, {"EINS", 1}, {"ZWEI", 2}, {"DREI", 3}, {"VIER", 4},
    {"FUENF", 5}, {"SECHS", 6}, {"SIEBEN", 7}, {"ACHT", 8}, {"NEUN", 9},
}};

// The units before "UND" in "EINUNDDREISSIG".
constexpr std::array<NumberWord, 9> compoundUnits{{
    {"EIN", 1}, {"ZWEI", 2}, {"DREI", 3}, {"VIER", 4}, {"FUENF", 5},
    {"SECHS", 6}, {"SIEBEN", 7}, {"ACHT", 8}, {"NEUN", 9},
}};

constexpr std::array<NumberWord, 11> teens{{
    {"ZEHN", 10}, {"ELF", 11}, {"ZWOELF", 12}, {"DREIZEHN", 13}, {"VIERZEHN", 14},
    {"FUENFZEHN", 15}, {"SECHZEHN", 16}, {"SIEBZEHN", 17}, {"ACHTZEHN", 18}, {"NEUNZEHN", 19}, {"SIEBENZEHN", 17},
}};

constexpr std::array<NumberWord, 9> tens{{
    {"ZWANZIG", 20}, {"DREISSIG", 30}, {"VIERZIG", 40}, {"FUENFZIG", 50}, {"SECHZIG", 60},
    {"SIEBZIG", 70}, {"ACHTZIG", 80}, {"NEUNZIG", 90}, {"SIEBENZIG", 70},
}};

constexpr std::array<KnownWord, 14> knownWords{{
    {"NORD", Vocabulary::North}, {"NORTH", Vocabulary::North},
    {"SUED", Vocabulary::South}, {"SOUTH", Vocabulary::South},
    {"OST", Vocabulary::East}, {"EAST", Vocabulary::East},
    {"WEST", Vocabulary::West},
    {"GRAD", Vocabulary::Degree},
    {"MINUTE", Vocabulary::Minute}, {"MINUTEN", Vocabulary::Minute},
    {"SEKUNDE", Vocabulary::Second}, {"SEKUNDEN", Vocabulary::Second},
    {"PUNKT", Vocabulary::Point}, {"KOMMA", Vocabulary::Point},
}};

} // namespace

} // namespace quirlwerk::coordinates
