// The coordinate scanner: a table of what it reads and refuses, and generated coordinates in every form,
// at every limit, hidden in random text.
#include "coordinates/finder.h"

#include "common/utf8.h"

#include <GeographicLib/DMS.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

namespace quirlwerk::coordinates {
namespace {

constexpr double berlinN = 52 + 31.123 / 60, berlinE = 13 + 24.456 / 60;
constexpr double secondsN = 52 + 31 / 60.0 + 7.4 / 3600, secondsE = 13 + 24 / 60.0 + 27.4 / 3600;

struct Positive {
    const char* name;
    std::u16string_view text;
    double latitude;
    double longitude;
    std::u16string_view match = {};   // empty: the whole text
};

const Positive positives[] = {
    {"standard form", u"N 52° 31.123 E 013° 24.456", berlinN, berlinE},
    {"nothing between the parts", u"N52°31.123E13°24.456", berlinN, berlinE},
    {"halves on lines with a blank line", u"N 52° 31.123\n\nE 013° 24.456", berlinN, berlinE},
    {"halves separated by a slash", u"N 52° 31.123 / E 013° 24.456", berlinN, berlinE},
    {"hemisphere after", u"52° 31.123' N, 13° 24.456' E", berlinN, berlinE},
    {"hemisphere after, no blanks", u"52°31.123'N 13°24.456'E", berlinN, berlinE},
    {"hemisphere after on two lines", u"52° 31.123 N\n13° 24.456 E", berlinN, berlinE},
    {"hemisphere-after halves joined", u"52°31.123'N13°24.456'E", berlinN, berlinE},
    {"whole minutes with marks", u"N 52° 31' E 13° 24'", 52 + 31 / 60.0, 13 + 24 / 60.0},
    {"one decimal of minutes", u"N 52 31.1 E 13 24.4", 52 + 31.1 / 60, 13 + 24.4 / 60},
    {"long minute fraction", u"N 52° 31.12345 E 13° 24.45678", 52 + 31.12345 / 60, 13 + 24.45678 / 60},
    {"three-digit latitude degrees", u"N 052° 31.123 E 013° 24.456", berlinN, berlinE},
    {"seconds", u"N 52° 31' 07.4\" E 13° 24' 27.4\"", secondsN, secondsE},
    {"seconds with two apostrophes", u"N 52° 31' 07.4'' E 13° 24' 27.4''", secondsN, secondsE},
    {"seconds with curly quotes and modifier primes", u"N 52° 31’ 07.4” E 13° 24ʹ 27.4ʺ", secondsN, secondsE},
    {"seconds without marks", u"N 52 31 07.4 E 13 24 27.4", secondsN, secondsE},
    {"whole seconds", u"N 52° 31' 07\" E 13° 24' 27\"", 52 + 31 / 60.0 + 7 / 3600.0, 13 + 24 / 60.0 + 27 / 3600.0},
    {"seconds, hemisphere after", u"52° 31' 07.4\" N 13° 24' 27.4\" E", secondsN, secondsE},
    {"decimal degrees with one decimal", u"N 52.5 E 13.4", 52.5, 13.4},
    {"decimal degrees, letters after", u"52.518717° N 13.4076° E", 52.518717, 13.4076},
    {"decimal degrees, letters after, comma", u"52.518717 N, 13.4076 E", 52.518717, 13.4076},
    {"whole degrees with sign and letter", u"N 52° E 13°", 52, 13},
    {"decimal degrees with decimal commas", u"N 52,518717 E 13,407600", 52.518717, 13.4076},
    {"signed decimal degrees", u"-33.8688°, 151.2093°", -33.8688, 151.2093},
    {"signed decimal degrees, west", u"40.6892°, -74.0445°", 40.6892, -74.0445},
    {"signed with a minus sign character", u"−33.8688° −70.6693°", -33.8688, -70.6693},
    {"signed with a slash", u"52.5187°/13.4076°", 52.5187, 13.4076},
    {"signed minutes", u"52° 31.123', 13° 24.456'", berlinN, berlinE},
    {"signed seconds", u"-52° 31' 07.4\", -13° 24' 27.4\"", -secondsN, -secondsE},
    {"Nord- with a hyphen", u"Nord-52° 31.123 Ost-13° 24.456", berlinN, berlinE},
    {"words after the numbers", u"52° 31.123 Nord 13° 24.456 Ost", berlinN, berlinE},
    {"number words with AE OE UE SS", u"NORD ZWEIUNDFUENFZIG GRAD EINUNDDREISSIG KOMMA EINS ZWEI DREI OST DREIZEHN GRAD VIERUNDZWANZIG KOMMA VIER FUENF SECHS", berlinN, berlinE},
    {"decoded Morse code, words apart by slash and blank", u"NORD/ ZWEIUNDFUENFZIG/ GRAD/ EINUNDDREISSIG/ PUNKT/ EINS/ ZWEI/ DREI/ OST/ DREIZEHN/ GRAD/ VIERUNDZWANZIG/ PUNKT/ VIER/ FUENF/ SECHS", berlinN, berlinE},
    {"number words run together", u"NORDZWEIUNDFUENFZIGGRADEINUNDDREIßIGPUNKTEINSZWEIDREIOSTDREIZEHNGRADVIERUNDZWANZIGPUNKTVIERFUENFSECHS", berlinN, berlinE},
    {"number words in lower case", u"nord zweiundfünfzig grad einunddreißig punkt eins zwei drei ost dreizehn grad vierundzwanzig punkt vier fünf sechs", berlinN, berlinE},
    {"teens, zero, minute and second words", u"SUED ELF GRAD NULL MINUTEN FUENF PUNKT EINS SEKUNDEN WEST ZWOELF GRAD ZEHN MINUTEN ZWANZIG SEKUNDEN", -(11 + 5.1 / 3600), -(12 + 10 / 60.0 + 20 / 3600.0)},
    {"digits spelled one by one", u"NORD FUENF ZWEI GRAD DREI EINS PUNKT EINS ZWEI DREI MINUTEN OST NULL EINS DREI GRAD ZWEI VIER PUNKT VIER FUENF SECHS", berlinN, berlinE},
    {"number words and digits mixed", u"NORD 52 GRAD EINUNDDREISSIG PUNKT EINS ZWEI DREI OST 13 GRAD 24.456", berlinN, berlinE},
    {"in a sentence", u"Die Dose liegt bei N 52° 31.123 E 013° 24.456.", berlinN, berlinE, u"N 52° 31.123 E 013° 24.456"},
    {"after a stage name", u"S1: N 52° 31.123 E 013° 24.456", berlinN, berlinE, u"N 52° 31.123 E 013° 24.456"},
    {"after a number", u"Station 3 N 52° 31.123 E 013° 24.456", berlinN, berlinE, u"N 52° 31.123 E 013° 24.456"},
    {"followed by a number", u"N 52° 31.123 E 013° 24.456 7 Meter", berlinN, berlinE, u"N 52° 31.123 E 013° 24.456"},
    {"in parentheses", u"(N 52° 31.123 E 013° 24.456)", berlinN, berlinE, u"N 52° 31.123 E 013° 24.456"},
    {"after a date", u"12.03.2024: 52.518717° N 13.4076° E", 52.518717, 13.4076, u"52.518717° N 13.4076° E"},
    {"converter output", u"ERGEBNIS:\r\nN 52 31.123\r\nE 13 24.456\r\nENDE", berlinN, berlinE, u"N 52 31.123\r\nE 13 24.456"},
    {"minutes past 60 before the find", u"N 52° 61.123 N 52° 31.123 E 013° 24.456", berlinN, berlinE, u"N 52° 31.123 E 013° 24.456"},
};

// Each refused text, by its reason.
const std::pair<const char*, std::u16string_view> negatives[] = {
    {"number list", u"6, 12, 16, 29"}, {"number pair", u"48.816 34.147"}, {"number pair with comma", u"48.816, 34.147"},
    {"stage names", u"S1 N2 S3"}, {"stage list", u"Stage S1: N2, E3"}, {"stage name, numbers, a date", u"N2 48.81 O 7 12.03.2024"},
    {"whole numbers after letters", u"N 52 E 13"}, {"whole minutes without marks", u"N 52 31 E 13 24"}, {"minutes at 60", u"N 52° 60.000 E 013° 24.456"},
    {"longitude minutes at 60", u"N 52° 31.123 E 013° 60.000"}, {"minutes past 60", u"N 52° 64.456 E 013° 24.456"}, {"seconds at 60", u"N 52° 31' 60\" E 13° 24' 27\""},
    {"seconds at 60 in the longitude", u"N 52° 31' 07\" E 13° 24' 60.0\""}, {"latitude past 90", u"N 91° 00.000 E 013° 24.456"}, {"latitude just past 90", u"N 90° 00.001 E 010° 00.000"},
    {"decimal latitude just past 90", u"S 90.000001 W 10.5"}, {"longitude past 180", u"N 52° 31.123 E 181° 24.456"}, {"longitude just past 180", u"N 10° 00.000 E 180° 00.001"},
    {"signed latitude past 90", u"-90.5°, 13.4567°"}, {"four-digit degrees", u"N 0052° 31.123 E 013° 24.456"}, {"three-digit minutes", u"N 52° 031.123 E 013° 24.456"},
    {"latitude twice", u"N 52° 31.123 N 13° 24.456"}, {"longitude first", u"E 13° 24.456 N 52° 31.123"}, {"half a coordinate", u"N 52° 31.123"},
    {"date", u"Am 12.03.2024 um 12:30 Uhr"}, {"ISO date and time", u"2024-03-12T12:30:45"}, {"time with seconds", u"12:30:45"},
    {"phone numbers", u"Tel. +49 30 1234567, Fax 030/1234568"}, {"mobile number", u"0171 / 123 45 67"}, {"temperatures", u"21.5°, 22.3°"},
    {"whole angles", u"45°, 90°"}, {"angles in minutes", u"Winkel 30° 15', 45° 10'"}, {"degrees then letters in prose", u"Bei 20° Nord und 10° Ost"},
    {"number words without degrees", u"NORD ZWEIUNDFÜNFZIG OST DREIZEHN"}, {"prose number words", u"Die Elf spielt um acht Grad"}, {"hemisphere inside a word", u"AN 52° 31.123 EN 13° 24.456"},
    {"known words inside longer words", u"NORDEN 52° 31.123 OSTEN 13° 24.456"}, {"decimal degrees needing a fraction", u"N 52 E 13.5"}, {"hemisphere and a minus", u"52.5187°, -13.4076° E"},
    {"version numbers", u"Version 1.2.3 N 4.5.6"}, {"whole minutes, then seconds at 60", u"N 52° 31' E 13° 24' 60\""},
    {"two separators between the halves", u"N 52° 31.123 ,, E 013° 24.456"},
};

TEST(FindCoordinates, reads_each_form_in_the_table)
{
    for (const Positive& row : positives) {
        SCOPED_TRACE(row.name);
        const std::vector<Find> finds = findCoordinates(row.text);
        ASSERT_EQ(finds.size(), 1u);
        EXPECT_NEAR(finds[0].position.latitude, row.latitude, 1e-9);
        EXPECT_NEAR(finds[0].position.longitude, row.longitude, 1e-9);
        const TextView match = row.match.empty() ? row.text : row.match;
        EXPECT_EQ(row.text.substr(finds[0].begin, finds[0].end - finds[0].begin), match);
    }
}

TEST(FindCoordinates, refuses_each_text_in_the_table)
{
    for (const auto& [name, text] : negatives) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(findCoordinates(text).empty());
    }
}

// ---- Generated coordinates ----

struct Parts {
    int degrees, minutes, thousandths, seconds, tenths;
};

Text text(const std::string& utf8) { return *common::fromUtf8(utf8); }

std::string padded(int value, int width)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*d", width, value);
    return digits;
}

std::string spelled(int number)   // German number words below 200, as the letter values give them
{
    static const char* const units[] = {"NULL", "EINS", "ZWEI", "DREI", "VIER", "FÜNF", "SECHS", "SIEBEN", "ACHT", "NEUN", "ZEHN",
                                        "ELF", "ZWÖLF", "DREIZEHN", "VIERZEHN", "FÜNFZEHN", "SECHZEHN", "SIEBZEHN", "ACHTZEHN", "NEUNZEHN"};
    static const char* const tens[] = {"", "", "ZWANZIG", "DREISSIG", "VIERZIG", "FÜNFZIG", "SECHZIG", "SIEBZIG", "ACHTZIG", "NEUNZIG"};
    if (number >= 100)
        return "HUNDERT" + (number > 100 ? spelled(number - 100) : std::string());
    if (number < 20 || number % 10 == 0)
        return number < 20 ? units[number] : tens[number / 10];
    return (number % 10 == 1 ? std::string("EIN") : units[number % 10]) + "UND" + tens[number / 10];
}

// Each form writes one half; GeographicLib reads the same parts written plainly ("52d31.123'N"), which
// it cannot see: the marks, words and spacing are ours.
using Form = std::function<std::string(const Parts&, char hemisphere, bool latitude)>;
const std::pair<const char*, Form> forms[] = {
    {"standard", [](const Parts& p, char h, bool lat) { return std::string(1, h) + " " + padded(p.degrees, lat ? 2 : 3) + "° " + padded(p.minutes, 2) + "." + padded(p.thousandths, 3); }},
    {"compact", [](const Parts& p, char h, bool) { return h + std::to_string(p.degrees) + " " + std::to_string(p.minutes) + "," + padded(p.thousandths, 3) + "'"; }},
    {"seconds", [](const Parts& p, char h, bool) { return std::string(1, h) + " " + std::to_string(p.degrees) + "° " + std::to_string(p.minutes) + "′ " + padded(p.seconds, 2) + "." + std::to_string(p.tenths) + "″"; }},
    {"decimal", [](const Parts& p, char h, bool) { return std::string(1, h) + " " + std::to_string(p.degrees) + "." + padded(p.thousandths, 3) + "°"; }},
    {"words", [](const Parts& p, char h, bool) { return std::string(h == 'N' ? "NORD" : h == 'S' ? "SÜD" : h == 'W' ? "WEST" : "OST") + " " + spelled(p.degrees) + " GRAD " + spelled(p.minutes) + " PUNKT " + spelled(p.thousandths / 100) + " " + spelled(p.thousandths / 10 % 10) + " " + spelled(p.thousandths % 10); }},
    // The standard form with each spelling of its marks, gaps and hemisphere words, drawn at random.
    {"spelt", [](const Parts& p, char h, bool) {
        static std::mt19937 random(11);
        const auto any = [](std::initializer_list<const char*> spellings) { return std::string(spellings.begin()[random() % spellings.size()]); };
        const std::string gap = any({" ", "\t"});
        return (h == 'N' ? any({"N", "n", "Nord", "North"}) : h == 'S' ? any({"s", "Süd", "Sued", "South"}) : h == 'W' ? any({"w", "West"})
                : any({"e", "O", "Ost", "East"})) + gap + std::to_string(p.degrees) + any({"°", "º", "˚", " Grad", " °", ""}) + gap
               + padded(p.minutes, 2) + "." + padded(p.thousandths, 3) + any({"", "'", "′", "’", "´"}); }},
};

double referenceValue(const std::string& form, const Parts& p, char h)
{
    const std::string plain = form == "seconds" ? std::to_string(p.degrees) + "d" + std::to_string(p.minutes) + "'" + padded(p.seconds, 2) + "." + std::to_string(p.tenths) + "\""
                             : form == "decimal" ? std::to_string(p.degrees) + "." + padded(p.thousandths, 3)
                                                 : std::to_string(p.degrees) + "d" + std::to_string(p.minutes) + "." + padded(p.thousandths, 3) + "'";
    GeographicLib::DMS::flag ignored{};
    return GeographicLib::DMS::Decode(plain + (h == 'O' ? 'E' : h), ignored);
}

// Degrees at 0 and at the limit, minutes and seconds at 0 and just below 60, and everything between.
Parts randomParts(std::mt19937& random, int limit)
{
    switch (random() % 6) {
    case 0: return {limit, 0, 0, 0, 0};
    case 1: return {limit - 1, 59, 999, 59, 9};
    case 2: return {0, 0, 0, 0, 0};
    default: return {int(random() % unsigned(limit)), int(random() % 60), int(random() % 1000), int(random() % 60), int(random() % 10)};
    }
}

// Prose, numbers, dates, phone numbers, stage names and hemisphere words, but no degree part.
std::string randomProse(std::mt19937& random, int count)
{
    static const char* const words[] = {"Der", "Cache", "liegt", "am", "Ufer", "12.03.2024", "3", "48.816", "34,147", "und", "Telefon", "030/1234567",
                                        "12:30", "Stage", "S1", "N2", "Zweig", "Punkt", "-", ",", "\n", "Station", "Ost", "Süden", "7", "0.5", "("};
    std::string prose;
    for (int i = 0; i < count; ++i)
        prose += std::string(words[random() % std::size(words)]) + " ";
    return prose;
}

TEST(FindCoordinates, finds_every_form_hidden_in_random_text_at_every_limit)
{
    std::mt19937 random(52);
    for (int round = 0; round < 3000; ++round) {
        const auto& [name, form] = forms[round % std::size(forms)];
        const Parts lat = randomParts(random, 90), lon = randomParts(random, 180);
        const char north = random() % 2 ? 'N' : 'S', east = random() % 3 == 0 ? 'W' : random() % 2 ? 'E' : 'O';
        const std::string coordinate = form(lat, north, true) + (random() % 2 ? "\n" : ", ") + form(lon, east, false);
        const std::string before = randomProse(random, static_cast<int>(random() % 8)), after = randomProse(random, 3);
        SCOPED_TRACE(before + coordinate + " " + after);
        const std::vector<Find> finds = findCoordinates(text(before + coordinate + " " + after));
        ASSERT_EQ(finds.size(), 1u);
        EXPECT_EQ(finds[0].end - finds[0].begin, text(coordinate).size());
        EXPECT_NEAR(finds[0].position.latitude, referenceValue(name, lat, north), 1e-6);
        EXPECT_NEAR(finds[0].position.longitude, referenceValue(name, lon, east), 1e-6);
    }
}

TEST(FindCoordinates, finds_nothing_in_random_text_without_degree_parts)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        const std::string prose = randomProse(random, 40);
        SCOPED_TRACE(prose);
        EXPECT_TRUE(findCoordinates(text(prose)).empty());
    }
}

} // namespace
} // namespace quirlwerk::coordinates
