// Every reading of one input: each direction of each text conversion and each Brainfuck dialect the text is
// written in, ranked best first.
#pragma once

#include "common/text.h"
#include "conversions/matrix_definition.h"
#include "conversions/modes.h"
#include "coordinates/finder.h"
#include "readings/dialects.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

namespace quirlwerk::readings {

// Brainfuck and Ook! stop here, far below the mode's own bound: one endless program must not hold up the rest.
inline constexpr std::int64_t readingMaxSteps = 10'000'000;

// A reading that shows coordinates the input did not already hold ranks above every other.
inline constexpr double coordinateBonus = 100;

enum class Direction { Decrypt, Crypt };

struct Reading {
    conversions::Mode mode = conversions::Mode::None;   // Brainfuck for a dialect
    Direction direction = Direction::Decrypt;
    Text dialect;        // the dialect's name; empty for a mode's own direction
    Text text;           // what the mode's output field shows, status line included
    Text gist;           // the part scored and listed: the output without the status and the report's headings
    bool partial = false;   // stopped at a bound or at a fault: `status` says where
    Text status;
    double score = 0;
    std::vector<coordinates::Find> coordinates;   // positions in `gist`
};

using Finder = std::function<std::vector<coordinates::Find>(TextView)>;

struct Options {
    conversions::MatrixDefinition matrix;
    std::int64_t maxSteps = readingMaxSteps;
    std::vector<Dialect> dialects = knownDialects();
    Finder finder = coordinates::findCoordinates;
};

// Every reading with something to show, best first; nullopt when `stop` was requested before the end.
// Readings that fail, give nothing or only give the input's letters back are left out.
std::optional<std::vector<Reading>> allReadings(TextView input, const Options& options, std::stop_token stop = {});

// The score of one output: its language score plus the bonus when it holds coordinates.
double scoreOf(TextView gist, bool hasCoordinates);

// "ascii crypt", "blub decrypt": the name the command line prints.
std::string readingName(const Reading& reading);

} // namespace quirlwerk::readings
