// GeoCode: the rotation of "A"-"Z" and "a"-"z", everything else in place.
#include "conversions/geocode.h"

#include "conversions/conversion_testing.h"

using namespace quirlwerk::conversions::testing;

TEST(GeoCode, rotates_both_alphabets_by_13_and_leaves_every_other_character)
{
    EXPECT_EQ(geoCode(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz\r\n"),
              u"NOPQRSTUVWXYZABCDEFGHIJKLM nopqrstuvwxyzabcdefghijklm\r\n");
    for (int code = 0; code <= 0xFFFF; ++code) {
        const auto c = static_cast<char16_t>(code);
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        ASSERT_EQ(geoCode(Text(1, c)) == Text(1, c), !letter) << code;
    }
}
