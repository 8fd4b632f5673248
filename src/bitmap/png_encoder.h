// A drawn picture as a PNG file's bytes, encoded row by row.
#pragma once

#include "bitmap/picture_model.h"
#include "bitmap/picture_surface.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

namespace quirlwerk::bitmap {

// Receives the encoded bytes piece by piece; it may throw to stop the encoding.
using PngOutput = std::function<void(const std::uint8_t* bytes, std::size_t size)>;

// Indexed (1, 2, 4 or 8 bits, the fewest that hold the colours) when the drawn colours, plus one transparent
// entry for undrawn pixels where there are any, fit in 256 entries: exact, and far less to compress than 32-bit.
// Otherwise 8-bit RGB when every pixel was drawn, RGBA with undrawn pixels transparent when not. Only one row is
// held at a time, so a picture the file hardly filled costs no memory for its empty rows. Throws
// std::runtime_error when the encoder fails.
//
// The palette lists the drawn colours in the order of `colourOrder` (the colour table the picture was drawn
// from), then any others in the order first met: neighbouring pixels then differ in their index as little as in
// the file, which is what the row filters compress.
enum class PngPixels {
    fewest,   // indexed where the colours fit, as described above
    full,     // always 32-bit (RGB or RGBA): the reference the indexed file is measured against
};
void encodePng(const PictureSurface& picture, const PngOutput& output, std::span<const Colour> colourOrder = {},
               PngPixels pixels = PngPixels::fewest);

// The drawing colours of the model's table, in its order: the colour order for a picture drawn from it.
std::vector<Colour> tableOrder(const PictureModel& model);

// Encoded straight into a replacing file, so that a failure leaves the old file (or none) rather than half a
// new one. Throws on failure.
void savePng(const PictureSurface& picture, const std::filesystem::path& target, std::span<const Colour> colourOrder = {});

} // namespace quirlwerk::bitmap
