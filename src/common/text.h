// Texts as the program handles them: sequences of 16-bit characters, lines ending in CR LF.
#pragma once

#include <string>
#include <string_view>

namespace quirlwerk {

using Text = std::u16string;
using TextView = std::u16string_view;

inline constexpr TextView crlf = u"\r\n";

// Every line feed that has no carriage return before it becomes CR LF; nothing else changes.
Text withCrLf(TextView text);

// The decimal digits of a value, with a minus sign for negative values.
Text decimal(long long value);

// Plain ASCII (for messages written in the source) to a text.
Text fromAscii(std::string_view ascii);

} // namespace quirlwerk
