// GeoCode: "A"-"Z" and "a"-"z" move 13 places; everything else, umlauts included, stays in place.
#include "conversions/geocode.h"

namespace quirlwerk::conversions {

Text geoCode(TextView input)
{
    Text output(input);
    for (char16_t& c : output) {
        if (c >= u'A' && c <= u'Z')
            c = u'A' + (c - u'A' + 13) % 26;
        else if (c >= u'a' && c <= u'z')
            c = u'a' + (c - u'a' + 13) % 26;
    }
    return output;
}

} // namespace quirlwerk::conversions
