// Fuzz target: any bytes through the GIF and PNG readers, header, every row and the frame count.
#include "palette/palette_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

using namespace quirlwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto format = palette::formatOf(std::span(data, size));
    if (!format)
        return 0;
    // A file in memory only: nothing is left behind in the temporary folder.
    const int fd = memfd_create("palette-fuzz", 0);
    if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) {
        if (fd >= 0)
            close(fd);
        return 0;
    }
    if (auto reader = palette::openReader("/proc/self/fd/" + std::to_string(fd), *format)) {
        palette::PictureFacts facts;
        if (reader->readHeader(facts) == palette::HeaderEnd::Read) {
            std::size_t pixels = 0;
            palette::IndexRow row;
            while (reader->nextRow(row)) {
                if (row.y < 0 || row.y >= facts.height || row.x < 0 || row.x + std::int64_t(row.indices.size()) > facts.width)
                    __builtin_trap();
                for (const std::uint8_t index : row.indices)
                    pixels += index;
            }
            reader->countFrames();
            static volatile std::size_t sink;
            sink = pixels;
        }
    }
    close(fd);
    return 0;
}
