// The forms a found coordinate can be copied or printed in, and its map link.
#pragma once

#include "coordinates/finder.h"

#include <array>
#include <string>
#include <string_view>

namespace quirlwerk::coordinates {

enum class Format { Standard, Decimal, Seconds, Utm };

struct FormatRow {
    Format format;
    std::string_view cliName;        // coords --format NAME
    std::u16string_view menuText;    // the window's copy menu
};

inline constexpr std::array<FormatRow, 4> formatTable{{
    {Format::Standard, "dmm", u"Grad und Minuten (Standard)"},
    {Format::Decimal, "dd", u"Dezimalgrad"},
    {Format::Seconds, "dms", u"Grad, Minuten und Sekunden"},
    {Format::Utm, "utm", u"UTM"},
}};

// "N 52° 31.123 E 013° 24.456", "N 52.518717° E 13.407600°", "N 52° 31' 07.4\" E 13° 24' 27.4\"",
// "33U E 391776 N 5820072". Every form but UTM reads back through findCoordinates.
Text formatted(Coordinate position, Format format);

// "52.518717 13.407600": south and west negative, six decimals.
std::string decimalPair(Coordinate position);

// https://www.openstreetmap.org/?mlat=52.518717&mlon=13.407600#map=17/52.518717/13.407600
std::string mapLink(Coordinate position);

} // namespace quirlwerk::coordinates
