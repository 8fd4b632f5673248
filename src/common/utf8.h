// UTF-8 to and from texts, for the command line.
#pragma once

#include "common/text.h"

#include <optional>
#include <string>
#include <string_view>

namespace quirlwerk::common {

// Strict decoding: overlong forms, surrogates and truncated sequences are refused.
struct Utf8Error {
    std::size_t offset;   // byte offset of the first invalid sequence
};

std::optional<Text> fromUtf8(std::string_view bytes, Utf8Error* error = nullptr);

// A lone surrogate in the text is written as U+FFFD.
std::string toUtf8(TextView text);

} // namespace quirlwerk::common
