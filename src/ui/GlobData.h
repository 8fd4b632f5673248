// State the windows share: the conversion mode, the help topic and the picture model.
#pragma once

#include "bitmap/picture_model.h"
#include "conversions/modes.h"

#include <cstdint>

namespace quirlwerk::ui {

struct GlobData {
    conversions::Mode ConversionMode = conversions::Mode::None;   // written only by start-up and the mode commands
    std::int32_t HilfeThema = 0;       // 0 general page, otherwise a mode number
    bitmap::PictureModel picture;      // FarbTabelle and AnzahlFarben
};

} // namespace quirlwerk::ui
