// Puzzles made from known texts with every conversion that encodes, for the ranking tests and the benchmark.
#pragma once

#include "conversions/dispatch.h"
#include "conversions/modes.h"
#include "conversions/ook.h"
#include "readings/dialects.h"
#include "readings/readings.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace quirlwerk::testing {

// A Brainfuck program printing the text: each character from the last by a multiplying loop for the square
// of the difference's root and single steps for the rest.
inline Text printingProgram(TextView text)
{
    Text program;
    int cell = 0;
    for (const char16_t c : text) {
        const int distance = std::abs(c - cell);
        const char16_t step = c > cell ? u'+' : u'-';
        const auto root = static_cast<std::size_t>(std::sqrt(distance));
        program.append(u">").append(root, u'+').append(u"[<").append(root, step).append(u">-]<");
        program.append(static_cast<std::size_t>(distance) - root * root, step).append(u".");
        cell = c;
    }
    return program;
}

struct Puzzle {
    std::string name;
    Text input;
    conversions::Mode mode;
    readings::Direction direction;
    Text dialect;
};

inline Text encoded(conversions::Mode mode, readings::Direction direction, TextView text)
{
    return (direction == readings::Direction::Crypt ? conversions::runCrypt : conversions::runDecrypt)(
               mode, Text(text), conversions::DispatchContext{}).text;
}

// The letter values' first number line, after "(BWW: sum): ".
inline Text letterNumbers(TextView text)
{
    const Text report = encoded(conversions::Mode::LetterValues, readings::Direction::Decrypt, text);
    const std::size_t line = report.find(u'\n') + 1;
    const std::size_t numbers = report.find(u"): ", line) + 3;
    return report.substr(numbers, report.find(u'\r', numbers) - numbers);
}

inline Text bitString(TextView text)
{
    Text bits;
    for (const char16_t c : text)
        for (int bit = 7; bit >= -1; --bit)
            bits += bit < 0 ? u' ' : (c >> bit) & 1 ? u'1' : u'0';
    return bits;
}

inline std::vector<Puzzle> puzzlesFor(TextView text)
{
    using conversions::Mode;
    using readings::Direction;
    const Text program = printingProgram(text);
    std::vector<Puzzle> puzzles = {
        {"geocode", encoded(Mode::GeoCode, Direction::Decrypt, text), Mode::GeoCode, Direction::Decrypt, {}},
        {"ascii", encoded(Mode::AsciiText, Direction::Crypt, text), Mode::AsciiText, Direction::Decrypt, {}},
        {"matrix", encoded(Mode::MatrixText, Direction::Crypt, text), Mode::MatrixText, Direction::Decrypt, {}},
        {"morse", encoded(Mode::Morse, Direction::Crypt, text), Mode::Morse, Direction::Decrypt, {}},
        {"letters", letterNumbers(text), Mode::LetterValues, Direction::Crypt, {}},
        {"bits", bitString(text), Mode::BitString, Direction::Decrypt, {}},
        {"brainfuck", program, Mode::Brainfuck, Direction::Decrypt, {}},
        {"ook", conversions::BrainfuckToOok(program), Mode::Ook, Direction::Decrypt, {}},
    };
    for (const readings::Dialect& dialect : readings::knownDialects())
        puzzles.push_back({"dialect", readings::spell(program, dialect), Mode::Brainfuck, Direction::Decrypt, dialect.name});
    return puzzles;
}

} // namespace quirlwerk::testing
