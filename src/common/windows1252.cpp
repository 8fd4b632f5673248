// Windows-1252: Latin-1 with typographic characters in 80 to 9F.
#include "common/windows1252.h"

#include <array>

namespace quirlwerk::common {
namespace {

// 80 to 9F; the unassigned codes (81, 8D, 8F, 90, 9D) stand for themselves.
constexpr std::array<char16_t, 32> upperControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char16_t fromWindows1252(std::uint8_t code)
{
    if (code >= 0x80 && code <= 0x9F)
        return upperControlBlock[code - 0x80];
    return code;
}

std::optional<std::uint8_t> windows1252Code(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<std::uint8_t>(c);
    for (std::size_t i = 0; i < upperControlBlock.size(); ++i) {
        if (upperControlBlock[i] == c)
            return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

std::uint8_t toWindows1252(char16_t c)
{
    return windows1252Code(c).value_or(0x3F);
}

} // namespace quirlwerk::common
