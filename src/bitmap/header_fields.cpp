// Reading the little-endian header fields and writing the information line.
#include "bitmap/header_fields.h"

#include "common/failure.h"

namespace quirlwerk::bitmap {
namespace {

// The four bytes at the 1-based position, lowest first.
std::uint32_t fourBytes(Bytes bytes, std::int32_t position)
{
    if (position < 1 || static_cast<std::size_t>(position) + 3 > bytes.size())
        throw common::Failure::indexOutOfRange();
    const std::uint8_t* b = bytes.data() + (position - 1);
    return b[0] | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

} // namespace

std::int32_t LeseLong(Bytes bytes, std::int32_t position)
{
    const std::uint32_t value = fourBytes(bytes, position);
    if (value > 0x7FFFFFFFu)
        throw common::Failure::overflow();
    return static_cast<std::int32_t>(value);
}

std::int32_t LeseLongMitVorzeichen(Bytes bytes, std::int32_t position)
{
    return static_cast<std::int32_t>(fourBytes(bytes, position));
}

std::int32_t readWord(Bytes bytes, std::int32_t position)
{
    if (position < 1 || static_cast<std::size_t>(position) + 1 > bytes.size())
        throw common::Failure::indexOutOfRange();
    return bytes[position - 1] | bytes[position] << 8;
}

Text offsetInfo(std::int32_t dataOffset)
{
    return u"Offset Data: " + decimal(dataOffset) + u" Bytes";
}

Text sizeInfo(std::int32_t width, std::int32_t height, bool bottomUp, std::int32_t bitCount,
              std::int32_t compression)
{
    Text line = u"    B*H: " + decimal(width) + u"*" + decimal(height) + u" Pixel";
    line += bottomUp ? u" BottumUp" : u" TopDown";
    line += u"    Farbtiefe: " + decimal(bitCount) + u"bit    Komprimierung: ";
    if (compression == 0)
        line += u"0-keine";
    else if (compression == 1)
        line += u"1-Lauflänge 8-Bit";
    else
        line += decimal(compression) + u"-??";
    return line;
}

Text coloursInfo(std::int32_t colourCount, std::int32_t entriesInUse)
{
    return u"    Anzahl Farben: " + decimal(colourCount) + u"/" + decimal(entriesInUse);
}

} // namespace quirlwerk::bitmap
