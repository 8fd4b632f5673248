// The contract every text conversion follows: input text in; output text, status and failure box out.
#pragma once

#include "common/report.h"
#include "common/text.h"

#include <exception>
#include <optional>

namespace quirlwerk::conversions {

inline constexpr TextView statusOk = u"OK";

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
