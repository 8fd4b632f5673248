// Coordinates written out: the standard form and the other forms, rounded in whole units of their last
// digit so a carry (59.9999' -> 1°) can never print 60 minutes. UTM comes from GeographicLib.
#include "coordinates/formats.h"

#include <GeographicLib/UTMUPS.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quirlwerk::coordinates {
namespace {

struct Split {
    char hemisphere;
    long long degrees;
    long long minutes;   // 0 where the form has none
    long long rest;      // the last part, in units of its last digit
};

// value in units of 1/perDegree degree, split at the form's minutes and seconds.
Split split(double value, bool latitude, long long perDegree, long long perMinute)
{
    long long units = std::llround(std::abs(value) * static_cast<double>(perDegree));
    const bool negative = value < 0 && units != 0;
    Split parts{};
    parts.hemisphere = latitude ? (negative ? 'S' : 'N') : (negative ? 'W' : 'E');
    parts.degrees = units / perDegree;
    units %= perDegree;
    parts.minutes = perMinute ? units / perMinute : 0;
    parts.rest = perMinute ? units % perMinute : units;
    return parts;
}

std::string printed(const char* pattern, auto... values)
{
    char buffer[96];
    const int length = std::snprintf(buffer, sizeof buffer, pattern, values...);
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string standard(Coordinate position)
{
    const Split latitude = split(position.latitude, true, 60000, 1000);
    const Split longitude = split(position.longitude, false, 60000, 1000);
    return printed("%c %02lld° %02lld.%03lld %c %03lld° %02lld.%03lld", latitude.hemisphere, latitude.degrees,
                   latitude.minutes, latitude.rest, longitude.hemisphere, longitude.degrees, longitude.minutes,
                   longitude.rest);
}

std::string decimalDegrees(Coordinate position)
{
    const Split latitude = split(position.latitude, true, 1000000, 0);
    const Split longitude = split(position.longitude, false, 1000000, 0);
    return printed("%c %lld.%06lld° %c %lld.%06lld°", latitude.hemisphere, latitude.degrees, latitude.rest,
                   longitude.hemisphere, longitude.degrees, longitude.rest);
}

std::string seconds(Coordinate position)
{
    const Split latitude = split(position.latitude, true, 36000, 600);
    const Split longitude = split(position.longitude, false, 36000, 600);
    return printed("%c %lld° %02lld' %02lld.%lld\" %c %lld° %02lld' %02lld.%lld\"", latitude.hemisphere,
                   latitude.degrees, latitude.minutes, latitude.rest / 10, latitude.rest % 10, longitude.hemisphere,
                   longitude.degrees, longitude.minutes, longitude.rest / 10, longitude.rest % 10);
}

// Zone and latitude band, "33U"; the polar caps have no zone and are written "UPS N" or "UPS S".
std::string utm(Coordinate position)
{
    int zone = 0;
    bool north = false;
    double easting = 0;
    double northing = 0;
    GeographicLib::UTMUPS::Forward(position.latitude, position.longitude, zone, north, easting, northing);
    std::string grid;
    if (zone == GeographicLib::UTMUPS::UPS) {
        grid = north ? "UPS N" : "UPS S";
    } else {
        constexpr std::string_view bands = "CDEFGHJKLMNPQRSTUVWX";   // 8° each from 80° S, X reaches 84° N
        const int band = std::clamp(static_cast<int>(std::floor(position.latitude + 80)) / 8, 0, 19);
        grid = printed("%02d%c", zone, bands[static_cast<std::size_t>(band)]);   // "07X", as grid references write it
    }
    return printed("%s E %lld N %lld", grid.c_str(), std::llround(easting), std::llround(northing));
}

Text fromUtf8Ascii(const std::string& bytes)
{
    Text text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0xC2 && i + 1 < bytes.size()) {   // the degree sign is the only character beyond ASCII
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[++i]));
        } else {
            text += static_cast<char16_t>(byte);
        }
    }
    return text;
}

} // namespace

Text standardForm(Coordinate position)
{
    return formatted(position, Format::Standard);
}

Text formatted(Coordinate position, Format format)
{
    switch (format) {
    case Format::Standard: return fromUtf8Ascii(standard(position));
    case Format::Decimal: return fromUtf8Ascii(decimalDegrees(position));
    case Format::Seconds: return fromUtf8Ascii(seconds(position));
    case Format::Utm: return fromUtf8Ascii(utm(position));
    }
    return {};
}

std::string decimalPair(Coordinate position)
{
    const auto signedDecimal = [](double value) {
        const long long units = std::llround(value * 1000000);
        const long long whole = std::abs(units);
        return printed("%s%lld.%06lld", units < 0 ? "-" : "", whole / 1000000, whole % 1000000);
    };
    return signedDecimal(position.latitude) + ' ' + signedDecimal(position.longitude);
}

std::string mapLink(Coordinate position)
{
    const std::string pair = decimalPair(position);
    const std::size_t blank = pair.find(' ');
    const std::string latitude = pair.substr(0, blank);
    const std::string longitude = pair.substr(blank + 1);
    return "https://www.openstreetmap.org/?mlat=" + latitude + "&mlon=" + longitude + "#map=17/" + latitude + '/'
        + longitude;
}

} // namespace quirlwerk::coordinates
