// Puzzles made from known texts with every conversion that encodes, for the ranking tests and the benchmark.
#pragma once

#include "conversions/dispatch.h"
#include "conversions/modes.h"
#include "conversions/ook.h"
#include "readings/dialects.h"
#include "readings/readings.h"

#include <string>
#include <vector>

namespace quirlwerk::testing {

// A Brainfuck program printing the text: each character from the last by a multiplying loop or single steps.
inline Text printingProgram(TextView text)
{
    Text program;
    int cell = 0;
    for (const char16_t c : text) {
        const int delta = static_cast<int>(c) - cell;
        const Text step = delta > 0 ? u"+" : u"-";
        int rest = delta > 0 ? delta : -delta;
        if (rest > 10) {
            int root = 1;
            while ((root + 1) * (root + 1) <= rest)
                ++root;
            program += u">";
            for (int i = 0; i < root; ++i)
                program += u"+";
            program += u"[<";
            for (int i = 0; i < root; ++i)
                program += step;
            program += u">-]<";
            rest -= root * root;
        }
        for (int i = 0; i < rest; ++i)
            program += step;
        program += u".";
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
    const conversions::DispatchContext context;
    return (direction == readings::Direction::Crypt ? conversions::runCrypt : conversions::runDecrypt)(
               mode, Text(text), context).text;
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
    for (const char16_t c : text) {
        for (int bit = 7; bit >= 0; --bit)
            bits += (c >> bit) & 1 ? u'1' : u'0';
        bits += u' ';
    }
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
