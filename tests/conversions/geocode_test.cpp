// GeoCode: the rotation of "A"-"Z" and "a"-"z", everything else in place.
#include "conversions/geocode.h"

#include "conversions/conversion_testing.h"

#include <random>

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;

TEST(GeoCode, rotates_letters_only)
{
    constexpr TextRow rows[] = {
        {"sentence", u"Hallo Welt!", u"Unyyb Jryg!"},
        {"umlauts, sharp s, accents, digits and brackets stay", u"[Grüße] 0123 éÉ", u"[Teüßr] 0123 éÉ"},
        {"line breaks stay in place", u"ab\r\ncd", u"no\r\npq"},
        {"alphabet edges", u"AMNZamnz", u"NZAMnzam"},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(geoCode(row.input), row.output);
    }
}

TEST(GeoCode, applied_twice_gives_back_any_text_of_the_same_length)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        Text text(random() % 64, u' ');
        for (char16_t& c : text)
            c = static_cast<char16_t>(random());
        const Text once = geoCode(text);
        EXPECT_EQ(once.size(), text.size());
        EXPECT_EQ(geoCode(once), text);
    }
}
