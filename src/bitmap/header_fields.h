// The header fields of an 8-bit bitmap file and the information line built from them.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <span>

namespace quirlwerk::bitmap {

using Bytes = std::span<const std::uint8_t>;

// The 32-bit little-endian value at the 1-based position. A top byte of 128 or more does not fit:
// overflow failure. Four bytes not all inside the array: index failure.
std::int32_t LeseLong(Bytes bytes, std::int32_t position);

// The same four bytes as a two's-complement value, so that a negative height is accepted.
std::int32_t LeseLongMitVorzeichen(Bytes bytes, std::int32_t position);

// The unsigned 16-bit value at the 1-based position.
std::int32_t readWord(Bytes bytes, std::int32_t position);

// The pieces of the information line, in the order a run appends them.
Text offsetInfo(std::int32_t dataOffset);
Text sizeInfo(std::int32_t width, std::int32_t height, bool bottomUp, std::int32_t bitCount,
              std::int32_t compression);
Text coloursInfo(std::int32_t colourCount, std::int32_t entriesInUse);

} // namespace quirlwerk::bitmap
