// The colour functions of a run and the colour table load.
#include "bitmap/palette.h"

#include "common/failure.h"
#include "common/numbers.h"

#include <algorithm>

namespace quirlwerk::bitmap {
namespace {

std::int32_t wrapAbove255(std::int32_t value)
{
    return value < 255 ? value + 1 : 0;
}

} // namespace

TextView trimBlanks(TextView text)
{
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    return text;
}

std::int32_t settingValue(TextView text)
{
    return text.empty() ? 0 : common::leadingWholeNumber(text);
}

std::int32_t F(std::int32_t v, std::int32_t e, const TransformSettings& settings)
{
    if (settings.moduloOn() && !settings.moduloOnIndex)
        v %= settings.modulo;
    if (settings.thresholdOn()) {
        const std::int32_t compared = settings.thresholdOnIndex ? e : v;
        v = compared >= settings.threshold ? 255 : 0;
    }
    return v;
}

std::int32_t nextModulo(TextView text)
{
    text = trimBlanks(text);
    std::int32_t m = text.empty() ? 1 : common::leadingWholeNumber(text);
    if (m < 1)
        m = 1;
    return wrapAbove255(m);
}

std::int32_t nextThreshold(TextView text)
{
    text = trimBlanks(text);
    return wrapAbove255(text.empty() ? 0 : common::leadingWholeNumber(text));
}

std::int32_t editedComponent(std::int32_t typed)
{
    return std::min(typed, 255);
}

Colour cellColour(const FarbEintrag& entry)
{
    if (entry.Rot == 0 && entry.Gruen == 0 && entry.Blau == 0)
        return 0xFF010000u;
    return drawingColour(entry);
}

} // namespace quirlwerk::bitmap
