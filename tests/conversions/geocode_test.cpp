// GeoCode: the rotation of "A"-"Z" and "a"-"z", everything else in place.
#include "conversions/geocode.h"

#include <gtest/gtest.h>

#include <random>

using namespace quirlwerk;
using namespace quirlwerk::conversions;

namespace {

struct GeoCodeRow {
    const char* name;
    std::u16string_view input;
    std::u16string_view output;
};

constexpr GeoCodeRow rows[] = {
    {"sentence", u"Hallo Welt!", u"Unyyb Jryg!"},
    {"empty", u"", u""},
    {"umlauts and sharp s stay", u"Grüße", u"Teüßr"},
    {"brackets", u"[Nord]", u"[Abeq]"},
    {"line breaks stay in place", u"ab\r\ncd", u"no\r\npq"},
    {"alphabet edges", u"AMNZamnz", u"NZAMnzam"},
    {"digits and accents", u"0123 éÉ", u"0123 éÉ"},
};

} // namespace

TEST(GeoCode, rotates_letters_only)
{
    for (const GeoCodeRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(geoCode(row.input), row.output);
    }
}

TEST(GeoCode, applied_twice_gives_back_any_text)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> character(0, 0xFFFF);
    for (int round = 0; round < 200; ++round) {
        Text text(random() % 64, u' ');
        for (char16_t& c : text)
            c = static_cast<char16_t>(character(random));
        const Text once = geoCode(text);
        EXPECT_EQ(once.size(), text.size());
        EXPECT_EQ(geoCode(once), text);
    }
}
