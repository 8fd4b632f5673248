// The forms a find is written in: hand-checked samples (UTM from GeographicLib's projection) and read-back
// through the scanner.
#include "coordinates/formats.h"

#include "common/utf8.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace quirlwerk::coordinates {
namespace {

struct Sample {
    const char* name;
    Coordinate position;
    std::array<const char*, 4> forms;   // in the order of formatTable
};

const Sample samples[] = {
    {"north east", {52.518717, 13.4076}, {"N 52° 31.123 E 013° 24.456", "N 52.518717° E 13.407600°", "N 52° 31' 07.4\" E 13° 24' 27.4\"", "33U E 391953 N 5819926"}},
    {"south east", {-33.8688, 151.2093}, {"S 33° 52.128 E 151° 12.558", "S 33.868800° E 151.209300°", "S 33° 52' 07.7\" E 151° 12' 33.5\"", "56H E 334369 N 6250948"}},
    {"carried into degrees, no minus zero, last of its band", {55.99999999, -0.0000001}, {"N 56° 00.000 E 000° 00.000", "N 56.000000° E 0.000000°", "N 56° 00' 00.0\" E 0° 00' 00.0\"", "30U E 687071 N 6210141"}},
    {"polar cap", {-85, -170}, {"S 85° 00.000 W 170° 00.000", "S 85.000000° W 170.000000°", "S 85° 00' 00.0\" W 170° 00' 00.0\"", "UPS S E 1903546 N 1452981"}},
};

TEST(Formats, writes_the_samples_in_every_form)
{
    for (const Sample& row : samples) {
        SCOPED_TRACE(row.name);
        for (std::size_t i = 0; i < formatTable.size(); ++i)
            EXPECT_EQ(common::toUtf8(formatted(row.position, formatTable[i].format)), row.forms[i]);
        EXPECT_EQ(standardForm(row.position), formatted(row.position, Format::Standard));
    }
    EXPECT_EQ(decimalPair({-0.0000004, -12.5}), "0.000000 -12.500000");
    EXPECT_EQ(mapLink({52.518717, -13.4076}), "https://www.openstreetmap.org/?mlat=52.518717&mlon=-13.407600#map=17/52.518717/-13.407600");
}

// Random places, the poles and the date line, and values a hair below a whole degree.
Coordinate randomPlace(std::mt19937& random, int round)
{
    std::uniform_real_distribution<double> unit(-1, 1);
    if (round % 5 == 0)
        return {round % 2 ? 90.0 : -90.0, round % 3 ? 180.0 : -180.0};
    if (round % 5 == 1)
        return {round % 2 ? 90 - 1e-9 : -(90 - 1e-9), 180 - 1e-9};
    return {90 * unit(random), 180 * unit(random)};
}

TEST(Formats, every_text_form_reads_back_within_half_its_last_digit)
{
    const std::pair<Format, double> halfUnits[] = {{Format::Standard, 0.0005 / 60}, {Format::Decimal, 0.0000005}, {Format::Seconds, 0.05 / 3600}};
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

} // namespace
} // namespace quirlwerk::coordinates
