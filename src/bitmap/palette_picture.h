// Pictures in the bitmap run: their information line and their colour table in the model.
#pragma once

#include "bitmap/palette.h"
#include "bitmap/picture_model.h"
#include "common/text.h"
#include "palette/palette_reader.h"

namespace quirlwerk::bitmap {

// The information line's pieces, in the order a run appends them. A bitmap's: "Offset Data: 1078 Bytes",
// then its size, order, depth and compression. A GIF's or PNG's in the same style: "Format: GIF", then
// "    B*H: 600*200 Pixel Interlaced    Farbtiefe: 8bit", then after the drawing "    Bilder: 3    Transparent: 0"
// (the transparent index only where the file names one). The colours come last.
Text headerInfo(const palette::PictureFacts& facts);
Text sizeInfo(const palette::PictureFacts& facts);
Text framesInfo(const palette::PictureFacts& facts, std::int32_t frames);

// The box for a file that is neither a bitmap nor a palette picture: today's words and what can be read.
inline constexpr TextView notAPictureMessage =
    u"Die Datei ist keine Bitmapdatei .bmp!\nNur BMP-, GIF- und PNG-Bilder mit Farbtabelle können analysiert werden.";

// Loads a picture's colour table into the model: every count restarts from 0, entries 0 to AnzahlFarben - 1
// get the transformed colours, later entries keep theirs.
void loadPaletteColours(std::span<const palette::Rgb> colours, const TransformSettings& settings, PictureModel& model);

} // namespace quirlwerk::bitmap
