// Small text helpers shared by every part of the program.
#include "common/text.h"

#include <string>

namespace quirlwerk {

Text withCrLf(TextView text)
{
    Text result;
    result.reserve(text.size() + text.size() / 16);
    char16_t previous = 0;
    for (const char16_t c : text) {
        if (c == u'\n' && previous != u'\r')
            result += u'\r';
        result += c;
        previous = c;
    }
    return result;
}

Text decimal(long long value)
{
    return fromAscii(std::to_string(value));
}

Text fromAscii(std::string_view ascii)
{
    return Text(ascii.begin(), ascii.end());
}

} // namespace quirlwerk
