// Fuzz target: the hex code reader over any bytes, cut into pieces at a place the input chooses.
#include "hexfile/hex_codes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quirlwerk::hexfile;
    if (size < 1)
        return 0;
    const std::size_t cut = data[0] % size;
    const std::span<const std::uint8_t> text(data + 1, size - 1);
    std::vector<std::uint8_t> whole(text.size() + 1);
    std::vector<std::uint8_t> pieces(text.size() + 1);

    HexCodeReader once;
    std::size_t written = once.read(text, whole.data());
    written += once.finish(whole.data() + written);

    // The same text in two pieces must give the same bytes.
    HexCodeReader split;
    const std::size_t first = std::min(cut, text.size());
    std::size_t again = split.read(text.first(first), pieces.data());
    again += split.read(text.subspan(first), pieces.data() + again);
    again += split.finish(pieces.data() + again);
    if (again != written || !std::equal(whole.begin(), whole.begin() + written, pieces.begin()))
        __builtin_trap();
    return 0;
}
