// Turning a colour table entry into the colour a pixel is drawn with.
#include "bitmap/picture_model.h"

#include <algorithm>

namespace quirlwerk::bitmap {

Colour drawingColour(const FarbEintrag& entry)
{
    auto component = [](std::int16_t value) { return static_cast<Colour>(std::clamp<int>(value, 0, 255)); };
    return 0xFF000000u | component(entry.Rot) << 16 | component(entry.Gruen) << 8 | component(entry.Blau);
}

} // namespace quirlwerk::bitmap
