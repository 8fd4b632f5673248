// Case mapping limited to the letters a Windows-1252 text can hold.
#include "common/letter_case.h"

namespace quirlwerk::common {

char16_t toUpper(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)   // à..þ without the division sign
        return c - 0x20;
    switch (c) {
    case 0x00FF: return 0x0178;   // ÿ -> Ÿ
    case 0x0161: return 0x0160;   // š -> Š
    case 0x0153: return 0x0152;   // œ -> Œ
    case 0x017E: return 0x017D;   // ž -> Ž
    default: return c;
    }
}

char16_t toLower(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)   // À..Þ without the multiplication sign
        return c + 0x20;
    switch (c) {
    case 0x0178: return 0x00FF;
    case 0x0160: return 0x0161;
    case 0x0152: return 0x0153;
    case 0x017D: return 0x017E;
    default: return c;
    }
}

Text toUpper(TextView text)
{
    Text result(text);
    for (char16_t& c : result)
        c = toUpper(c);
    return result;
}

Text toLower(TextView text)
{
    Text result(text);
    for (char16_t& c : result)
        c = toLower(c);
    return result;
}

} // namespace quirlwerk::common
