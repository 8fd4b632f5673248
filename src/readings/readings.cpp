// Every reading of one input, each bounded, scored and ranked.
#include "readings/readings.h"

#include "conversions/dispatch.h"
#include "readings/language_score.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace quirlwerk::readings {
namespace {

using conversions::Mode;
using conversions::Shown;

Shown run(Mode mode, Direction direction, TextView input, const conversions::DispatchContext& context)
{
    return direction == Direction::Crypt ? conversions::runCrypt(mode, Text(input), context)
                                         : conversions::runDecrypt(mode, Text(input), context);
}

std::vector<TextView> linesOf(TextView text)
{
    std::vector<TextView> lines;
    std::size_t begin = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != u'\n')
            continue;
        std::size_t end = at;
        if (end > begin && text[end - 1] == u'\r')
            --end;
        lines.push_back(text.substr(begin, end - begin));
        begin = at + 1;
    }
    return lines;
}

// The lines a direction writes whatever its input are its report's headings, not part of any reading.
std::vector<Text> headingsOf(Mode mode, Direction direction, const conversions::DispatchContext& context)
{
    const Shown empty = run(mode, direction, {}, context);
    std::vector<Text> headings;
    if (empty.failure || empty.keepOutput)
        return headings;
    for (const TextView line : linesOf(empty.text)) {
        if (!line.empty())
            headings.emplace_back(line);
    }
    return headings;
}

// The output between the headings, section by section, without empty lines around them.
std::vector<Text> sectionsOf(TextView body, const std::vector<Text>& headings)
{
    std::vector<Text> sections;
    std::vector<TextView> lines;
    const auto close = [&] {
        const auto first = std::ranges::find_if(lines, [](TextView line) { return !line.empty(); });
        const auto last = std::ranges::find_if(lines.rbegin(), lines.rend(), [](TextView line) { return !line.empty(); });
        Text section;
        for (auto line = first; first != lines.end() && line != last.base(); ++line) {
            if (line != first)
                section += crlf;
            section += *line;
        }
        if (!section.empty())
            sections.push_back(std::move(section));
        lines.clear();
    };
    for (const TextView line : linesOf(body)) {
        if (!line.empty() && std::ranges::find(headings, line) != headings.end()) {
            close();
            continue;
        }
        lines.push_back(line);
    }
    close();
    return sections;
}

// The words of two letters and more, lower case.
std::vector<Text> wordsOf(TextView text)
{
    std::vector<Text> words(1);
    for (const char16_t c : text) {
        const bool upper = c >= u'A' && c <= u'Z';
        if (upper || (c >= u'a' && c <= u'z'))
            words.back() += upper ? static_cast<char16_t>(c - u'A' + u'a') : c;
        else if (!words.back().empty())
            words.emplace_back();
    }
    std::erase_if(words, [](const Text& word) { return word.size() < 2; });
    return words;
}

Text lettersOf(TextView text)
{
    Text letters;
    for (const char16_t c : text) {
        if (c >= u'A' && c <= u'Z')
            letters += static_cast<char16_t>(c - u'A' + u'a');
        else if (c >= u'a' && c <= u'z')
            letters += c;
    }
    return letters;
}

bool samePosition(const coordinates::Coordinate& a, const coordinates::Coordinate& b)
{
    constexpr double tolerance = 1e-7;
    return std::abs(a.latitude - b.latitude) < tolerance && std::abs(a.longitude - b.longitude) < tolerance;
}

class Ranker {
public:
    Ranker(TextView input, const Options& options)
        : m_input(input), m_options(options), m_inputLetters(lettersOf(input)),
          m_inputCoordinates(options.finder(input))
    {
        for (Text& word : wordsOf(input))
            m_inputWords.insert(std::move(word));
        m_context.matrix = [this]() -> const conversions::MatrixDefinition& { return m_options.matrix; };
        m_context.maxSteps = options.maxSteps;
    }

    const conversions::DispatchContext& context() const { return m_context; }

    // The reading of one direction's result, or nullopt where it has nothing to show.
    std::optional<Reading> read(Reading reading, const Shown& shown, const std::vector<Text>& headings) const
    {
        if (shown.failure || shown.keepOutput)
            return std::nullopt;
        TextView body = shown.text;
        if (!shown.ok()) {
            reading.partial = true;
            reading.status = *shown.status;
            const Text statusLine = *shown.status + Text(crlf);
            if (body.starts_with(statusLine))
                body.remove_prefix(statusLine.size());
        }
        if (body == m_input)
            return std::nullopt;
        const std::vector<Text> sections = sectionsOf(body, headings);
        if (sections.empty())
            return std::nullopt;
        if (echoes(sections))
            return std::nullopt;
        reading.score = -1;
        std::size_t letters = 0;
        for (const Text& section : sections) {
            std::vector<coordinates::Find> found = newCoordinates(section);
            const double score = scoreOf(section, !found.empty());
            // Between equals, the section with more letters: the printed text rather than its codes.
            const std::size_t sectionLetters = lettersOf(section).size();
            if (score > reading.score || (score == reading.score && sectionLetters > letters)) {
                letters = sectionLetters;
                reading.score = score;
                reading.gist = section;
                reading.coordinates = std::move(found);
            }
        }
        reading.text = shown.text;
        return reading;
    }

private:
    std::vector<coordinates::Find> newCoordinates(TextView text) const
    {
        std::vector<coordinates::Find> found = m_options.finder(text);
        std::erase_if(found, [this](const coordinates::Find& find) {
            return std::ranges::any_of(m_inputCoordinates, [&](const coordinates::Find& known) {
                return samePosition(known.position, find.position);
            });
        });
        return found;
    }

    // Most of the reading's words stand in the input as they are: the direction passed the text through.
    bool echoes(const std::vector<Text>& sections) const
    {
        Text letters;
        std::size_t wordLetters = 0;
        std::size_t echoed = 0;
        for (const Text& section : sections) {
            letters += lettersOf(section);
            for (const Text& word : wordsOf(section)) {
                wordLetters += word.size();
                echoed += m_inputWords.contains(word) ? word.size() : 0;
            }
        }
        return (!m_inputLetters.empty() && letters == m_inputLetters) || 2 * echoed > wordLetters;
    }

    TextView m_input;
    const Options& m_options;
    Text m_inputLetters;
    std::unordered_set<Text> m_inputWords;
    std::vector<coordinates::Find> m_inputCoordinates;
    conversions::DispatchContext m_context;
};

Text dialectName(const Reading& reading)
{
    Text name;
    for (const char16_t c : reading.dialect)
        name += c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    return name;
}

} // namespace

double scoreOf(TextView gist, bool hasCoordinates)
{
    return languageScore(gist) + (hasCoordinates ? coordinateBonus : 0);
}

std::optional<std::vector<Reading>> allReadings(TextView input, const Options& options, std::stop_token stop)
{
    const Ranker ranker(input, options);
    std::vector<Reading> readings;
    for (const conversions::ModeRow& row : conversions::modeTable) {
        if (row.cliName.empty())
            continue;
        for (const Direction direction : {Direction::Decrypt, Direction::Crypt}) {
            if (!(direction == Direction::Crypt ? row.crypt : row.decrypt))
                continue;
            if (stop.stop_requested())
                return std::nullopt;
            const Shown shown = run(row.mode, direction, input, ranker.context());
            Reading reading;
            reading.mode = row.mode;
            reading.direction = direction;
            if (auto read = ranker.read(std::move(reading), shown, headingsOf(row.mode, direction, ranker.context())))
                readings.push_back(std::move(*read));
        }
    }
    // A dialect's program runs as Brainfuck; its report reads like the Ook! direction's, program below.
    const std::vector<Text> programHeadings = headingsOf(Mode::Ook, Direction::Decrypt, ranker.context());
    const Text programHeading = programHeadings.empty() ? Text() : programHeadings.back();
    for (const Detected& detected : detectDialects(input, options.dialects)) {
        if (stop.stop_requested())
            return std::nullopt;
        Shown shown = run(Mode::Brainfuck, Direction::Decrypt, detected.program, ranker.context());
        if (!shown.failure && !shown.keepOutput)
            shown.text += Text(crlf) + Text(crlf) + programHeading + Text(crlf) + detected.program;
        Reading reading;
        reading.mode = Mode::Brainfuck;
        reading.dialect = detected.dialect->name;
        if (auto read = ranker.read(std::move(reading), shown, programHeadings))
            readings.push_back(std::move(*read));
    }
    std::ranges::stable_sort(readings, std::ranges::greater{}, &Reading::score);
    return readings;
}

std::string readingName(const Reading& reading)
{
    const char* direction = reading.direction == Direction::Crypt ? " crypt" : " decrypt";
    if (!reading.dialect.empty()) {
        std::string name;
        for (const char16_t c : dialectName(reading))
            name += c < 0x80 ? static_cast<char>(c) : '_';
        return name + direction;
    }
    return std::string(conversions::modeRow(reading.mode).cliName) + direction;
}

} // namespace quirlwerk::readings
