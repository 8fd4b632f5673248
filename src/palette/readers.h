// The two readers behind openReader; each takes over the open file.
#pragma once

#include "palette/palette_reader.h"

#include <cstdio>
#include <memory>

namespace quirlwerk::palette {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::unique_ptr<PaletteReader> makeGifReader(File file);
std::unique_ptr<PaletteReader> makePngReader(File file);

} // namespace quirlwerk::palette
