// The forms a find is written in: hand-checked samples, read-back through the scanner, UTM against GeographicLib.
#include "coordinates/formats.h"

#include "common/utf8.h"

#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace quirlwerk::coordinates {
namespace {

struct Sample {
    const char* name;
    Coordinate position;
    const char* standard;
    const char* decimal;
    const char* seconds;
    const char* utm;
};

const Sample samples[] = {
    {"north east", {52.518717, 13.4076}, "N 52° 31.123 E 013° 24.456", "N 52.518717° E 13.407600°",
     "N 52° 31' 07.4\" E 13° 24' 27.4\"", "33U E 391953 N 5819926"},
    {"south east", {-33.8688, 151.2093}, "S 33° 52.128 E 151° 12.558", "S 33.868800° E 151.209300°",
     "S 33° 52' 07.7\" E 151° 12' 33.5\"", "56H E 334369 N 6250948"},
    {"minutes carried into degrees, no minus zero", {52.99999999, -0.0000001}, "N 53° 00.000 E 000° 00.000",
     "N 53.000000° E 0.000000°", "N 53° 00' 00.0\" E 0° 00' 00.0\"", "30U E 701306 N 5876481"},
    {"polar cap", {-85, -170}, "S 85° 00.000 W 170° 00.000", "S 85.000000° W 170.000000°",
     "S 85° 00' 00.0\" W 170° 00' 00.0\"", "UPS S E 1903546 N 1452981"},
};

TEST(Formats, writes_the_samples_in_every_form)
{
    for (const Sample& row : samples) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(common::toUtf8(standardForm(row.position)), row.standard);
        EXPECT_EQ(common::toUtf8(formatted(row.position, Format::Decimal)), row.decimal);
        EXPECT_EQ(common::toUtf8(formatted(row.position, Format::Seconds)), row.seconds);
        EXPECT_EQ(common::toUtf8(formatted(row.position, Format::Utm)), row.utm);
    }
    EXPECT_EQ(decimalPair({-0.0000004, -12.5}), "0.000000 -12.500000");
    EXPECT_EQ(mapLink({52.518717, -13.4076}),
              "https://www.openstreetmap.org/?mlat=52.518717&mlon=-13.407600#map=17/52.518717/-13.407600");
}

// Random places, the poles, the date line and values that round up to a whole degree.
Coordinate randomPlace(std::mt19937& random, int round)
{
    std::uniform_real_distribution<double> unit(-1, 1);
    const double edge = 1 - 1e-9;
    switch (round % 5) {
    case 0: return {90.0 * (round % 2 ? 1 : -1), 180.0 * (round % 3 ? 1 : -1)};
    case 1: return {89 + edge * (round % 2 ? 1 : -1), 179 + edge};
    default: return {90 * unit(random), 180 * unit(random)};
    }
}

TEST(Formats, every_text_form_reads_back_within_its_last_digit)
{
    const std::pair<Format, double> halfUnits[] = {
        {Format::Standard, 0.0005 / 60}, {Format::Decimal, 0.0000005}, {Format::Seconds, 0.05 / 3600}};
    std::mt19937 random(13);
    for (int round = 0; round < 2000; ++round) {
        const Coordinate place = randomPlace(random, round);
        for (const auto& [format, halfUnit] : halfUnits) {
            const Text text = formatted(place, format);
            SCOPED_TRACE(common::toUtf8(text));
            const std::vector<Find> finds = findCoordinates(text);
            ASSERT_EQ(finds.size(), 1u);
            EXPECT_EQ(finds[0].end - finds[0].begin, text.size());
            EXPECT_NEAR(finds[0].position.latitude, place.latitude, halfUnit + 1e-12);
            EXPECT_NEAR(finds[0].position.longitude, place.longitude, halfUnit + 1e-12);
        }
    }
}

// GeographicLib's projection gives the metres; its grid reference names the zone and band we must print.
TEST(Formats, utm_names_the_zone_and_band_and_the_metres_of_the_place)
{
    std::mt19937 random(33);
    for (int round = 0; round < 2000; ++round) {
        const Coordinate place = randomPlace(random, round);
        const std::string utm = common::toUtf8(formatted(place, Format::Utm));
        SCOPED_TRACE(utm);
        std::istringstream fields(utm);
        std::string grid, e, n;
        double easting = 0, northing = 0;
        fields >> grid;
        const bool polar = grid == "UPS";
        if (polar)
            fields >> grid;
        fields >> e >> easting >> n >> northing;
        ASSERT_EQ(e + n, "EN");
        int zone = 0;
        bool north = false;
        double x = 0, y = 0;
        GeographicLib::UTMUPS::Forward(place.latitude, place.longitude, zone, north, x, y);
        std::string reference;
        GeographicLib::MGRS::Forward(zone, north, x, y, place.latitude, 0, reference);
        EXPECT_EQ(grid, polar ? std::string(north ? "N" : "S") : reference.substr(0, reference.size() - 2));
        EXPECT_NEAR(easting, x, 0.5);
        EXPECT_NEAR(northing, y, 0.5);
    }
}

} // namespace
} // namespace quirlwerk::coordinates
