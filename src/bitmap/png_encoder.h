// A drawn picture as a PNG file's bytes, encoded row by row.
#pragma once

#include "bitmap/picture_surface.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>

namespace quirlwerk::bitmap {

// Receives the encoded bytes piece by piece; it may throw to stop the encoding.
using PngOutput = std::function<void(const std::uint8_t* bytes, std::size_t size)>;

// 8-bit RGB when every pixel was drawn, otherwise RGBA with undrawn pixels transparent; only one row is held
// at a time, so a picture the file hardly filled costs no memory for its empty rows. Throws std::runtime_error when the encoder fails.
void encodePng(const PictureSurface& picture, const PngOutput& output);

// Encoded straight into a replacing file, so that a failure leaves the old file (or none) rather than half a
// new one. Throws on failure.
void savePng(const PictureSurface& picture, const std::filesystem::path& target);

} // namespace quirlwerk::bitmap
