// Coordinates found anywhere in a text: the answer most puzzles end in.
#pragma once

#include "common/text.h"

#include <cstddef>
#include <vector>

namespace quirlwerk::coordinates {

// Degrees, south and west negative.
struct Coordinate {
    double latitude = 0;
    double longitude = 0;
};

struct Find {
    Coordinate position;
    std::size_t begin = 0;   // the text matched: [begin, end) in code units of the scanned text
    std::size_t end = 0;
};

// Every coordinate in the text, each once, in the order found. Stateless and linear in the text's length.
std::vector<Find> findCoordinates(TextView text);

// The geocaching standard form, "N 52° 31.123 E 013° 24.456".
Text standardForm(Coordinate position);

} // namespace quirlwerk::coordinates
