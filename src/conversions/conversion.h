// The contract every text conversion follows: input text in; output text, status and failure box out.
#pragma once

#include "common/report.h"
#include "common/text.h"

#include <cstddef>
#include <exception>
#include <optional>

namespace quirlwerk::conversions {

inline constexpr TextView statusOk = u"OK";

// The longest output a conversion may give, in characters; the dispatch refuses anything longer.
inline constexpr std::size_t maxOutputSize = std::size_t{256} << 20;

// Thrown by a routine whose output would grow beyond its bound. Not a std::exception, so that the routine's own
// failure trap lets it pass to the dispatch, which refuses the whole conversion.
struct OutputTooLarge {};

// Call before appending: the output cannot take `adding` more characters within the bound.
inline void ensureRoom(const Text& output, std::size_t adding, std::size_t maxOutput)
{
    if (adding > maxOutput || output.size() > maxOutput - adding)
        throw OutputTooLarge{};
}

struct Conversion {
    Text output;
    Text status = Text(statusOk);                  // exactly "OK" is success
    std::optional<common::Message> failure;        // the box the front end shows before the output

    bool ok() const { return status == statusOk; }
};

// An unexpected failure caught at a routine's boundary: the output becomes the description,
// the box reads "<routine>() - Error <description>" with the critical icon.
Conversion failed(TextView routine, const std::exception& failure, Text status);

} // namespace quirlwerk::conversions
