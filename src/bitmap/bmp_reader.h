// 8-bit bitmap files behind the same reader as GIF and PNG, so that the picture run has one path.
#pragma once

#include "bitmap/header_fields.h"
#include "palette/palette_reader.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace quirlwerk::bitmap {

// How many leading bytes a run reads to tell the formats apart: a bitmap's file header up to its info size.
inline constexpr std::size_t headerBytes = 18;

// The reader a file's first bytes call for ("BM", GIF or PNG), opened on the file; nullptr for any other
// file. An unreadable file is a failure.
std::unique_ptr<palette::PaletteReader> openPicture(const std::filesystem::path& file);

// The colour table of a bitmap (blue, green, red, reserved per entry) as the load reads it: at most
// colourCount entries. tableLength is the table's length in the file, `table` its first bytes. False when
// the load breaks off: a 257th entry or an entry cut after one or two bytes (the entries before it count).
bool bmpColours(Bytes table, std::int64_t tableLength, std::int32_t colourCount, std::vector<palette::Rgb>& colours);

// How many leading bytes of a colour table a load can reach.
inline constexpr std::size_t usableTableBytes = 256 * 4 + 4;

} // namespace quirlwerk::bitmap
