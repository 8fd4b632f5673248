// The information line and the colour table load of GIF and PNG pictures.
#include "bitmap/palette_picture.h"

#include <algorithm>

namespace quirlwerk::bitmap {

Text formatInfo(palette::Format format)
{
    return u"Format: " + palette::formatName(format);
}

Text paletteSizeInfo(const palette::PictureFacts& facts)
{
    return u"    B*H: " + decimal(facts.width) + u"*" + decimal(facts.height) + u" Pixel" +
           (facts.interlaced ? u" Interlaced" : u"") + u"    Farbtiefe: " + decimal(facts.bitDepth) + u"bit";
}

Text framesInfo(std::int32_t frames, std::int32_t transparent)
{
    Text info = u"    Bilder: " + decimal(frames);
    if (transparent >= 0)
        info += u"    Transparent: " + decimal(transparent);
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
