// State the windows share: the conversion mode, the help topic and the picture model.
#pragma once

#include "bitmap/picture_model.h"

#include <cstdint>

namespace quirlwerk::ui {

struct GlobData {
    std::int32_t ConversionMode = 0;   // 0 until start-up, then 1..11; written only by the mode commands
    std::int32_t HilfeThema = 0;       // 0 general page, otherwise a mode number
    bitmap::PictureModel picture;      // FarbTabelle and AnzahlFarben
};

} // namespace quirlwerk::ui
