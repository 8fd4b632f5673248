// The information line and the colour table load of a picture.
#include "bitmap/palette_picture.h"

#include <algorithm>

namespace quirlwerk::bitmap {

Text headerInfo(const palette::PictureFacts& facts)
{
    if (facts.format == palette::Format::Bmp)
        return offsetInfo(facts.dataOffset);
    return u"Format: " + palette::formatName(facts.format);
}

Text sizeInfo(const palette::PictureFacts& facts)
{
    if (facts.format == palette::Format::Bmp)
        return sizeInfo(facts.width, facts.height, facts.bottomUp, facts.bitDepth, facts.compression);
    return u"    B*H: " + decimal(facts.width) + u"*" + decimal(facts.height) + u" Pixel" +
           (facts.interlaced ? u" Interlaced" : u"") + u"    Farbtiefe: " + decimal(facts.bitDepth) + u"bit";
}

Text framesInfo(const palette::PictureFacts& facts, std::int32_t frames)
{
    if (facts.format == palette::Format::Bmp)
        return {};
    Text info = u"    Bilder: " + decimal(frames);
    if (facts.transparent >= 0)
        info += u"    Transparent: " + decimal(facts.transparent);
    return info;
}

void loadPaletteColours(std::span<const palette::Rgb> colours, const TransformSettings& settings, PictureModel& model)
{
    for (FarbEintrag& entry : model.FarbTabelle)
        entry.Anzahl = 0;
    model.twins = noTwins();
    const std::size_t count = std::min(colours.size(), model.FarbTabelle.size());
    for (std::size_t e = 0; e < count; ++e) {
        const auto index = static_cast<std::int32_t>(e);
        FarbEintrag& entry = model.FarbTabelle[e];
        model.fileColours[e] = 0xFF000000u | Colour(colours[e].red) << 16 | Colour(colours[e].green) << 8 | colours[e].blue;
        entry.Rot = static_cast<std::int16_t>(F(colours[e].red, index, settings));
        entry.Gruen = static_cast<std::int16_t>(F(colours[e].green, index, settings));
        entry.Blau = static_cast<std::int16_t>(F(colours[e].blue, index, settings));
    }
    model.AnzahlFarben = static_cast<std::int32_t>(count);
}

} // namespace quirlwerk::bitmap
