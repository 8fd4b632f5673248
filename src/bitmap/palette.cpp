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

void loadColourTable(Bytes table, std::int64_t tableLength, std::int32_t colourCount,
                     const TransformSettings& settings, PictureModel& model)
{
    for (FarbEintrag& entry : model.FarbTabelle)
        entry.Anzahl = 0;
    model.AnzahlFarben = 0;
    model.twins = noTwins();
    // Positions count from 1, as the bytes of the table are numbered.
    for (std::int64_t i = 1; i < tableLength && model.AnzahlFarben < colourCount; i += 4) {
        const std::int32_t e = model.AnzahlFarben;
        if (e >= 256 || i + 2 > tableLength || static_cast<std::size_t>(i + 2) > table.size())
            throw common::Failure::indexOutOfRange();
        auto component = [&](std::int64_t position) { return static_cast<std::int16_t>(F(table[position - 1], e, settings)); };
        FarbEintrag& entry = model.FarbTabelle[e];
        model.fileColours[std::size_t(e)] = 0xFF000000u | Colour(table[i + 1]) << 16 | Colour(table[i]) << 8 | table[i - 1];
        entry.Blau = component(i);
        entry.Gruen = component(i + 1);
        entry.Rot = component(i + 2);
        model.AnzahlFarben = e + 1;
    }
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
