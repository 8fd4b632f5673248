// Which reader a file needs, and opening it.
#include "palette/palette_reader.h"

#include "palette/readers.h"

#include <algorithm>
#include <array>

namespace quirlwerk::palette {
namespace {

constexpr std::array<std::uint8_t, 8> pngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                                                       [](char a, std::uint8_t b) { return std::uint8_t(a) == b; });
}

} // namespace

std::optional<Format> formatOf(std::span<const std::uint8_t> firstBytes)
{
    if (startsWith(firstBytes, "GIF87a") || startsWith(firstBytes, "GIF89a"))
        return Format::Gif;
    if (firstBytes.size() >= pngSignature.size() &&
        std::equal(pngSignature.begin(), pngSignature.end(), firstBytes.begin()))
        return Format::Png;
    return std::nullopt;
}

Text formatName(Format format)
{
    return format == Format::Gif ? u"GIF" : format == Format::Png ? u"PNG" : u"BMP";
}

std::unique_ptr<PaletteReader> openReader(const std::filesystem::path& file, Format format)
{
    File opened(std::fopen(file.c_str(), "rb"));
    if (!opened || format == Format::Bmp)
        return nullptr;
    return format == Format::Gif ? makeGifReader(std::move(opened)) : makePngReader(std::move(opened));
}

} // namespace quirlwerk::palette
