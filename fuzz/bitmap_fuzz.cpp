// Fuzz target: any file through a full picture load and a redraw; nothing a file says may crash or exhaust memory.
#include "bitmap/zeichne_bitmap.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace quirlwerk;

// Keeps the pixels in the lazy surface, so that what a file claims and what it supplies both reach it.
class SurfaceSink : public bitmap::PixelSink {
public:
    explicit SurfaceSink(Text file) : m_file(std::move(file)) {}
    void show(const common::Message&) override {}
    bitmap::BitmapInputs inputs() override
    {
        bitmap::BitmapInputs inputs;
        inputs.fileName = m_file;
        inputs.moduloText = u"7";
        inputs.thresholdText = u"100";
        return inputs;
    }
    void showInfo(const Text&) override {}
    bitmap::PictureSurface* surface() override { return &m_surface; }

private:
    Text m_file;
    bitmap::PictureSurface m_surface;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A file in memory, named through /proc: nothing is left in the temporary folder when the fuzzer stops.
    static const int file = memfd_create("bitmap-fuzz", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(file);
    if (file < 0 || ftruncate(file, 0) != 0 || pwrite(file, data, size, 0) != static_cast<ssize_t>(size))
        __builtin_trap();
    SurfaceSink sink(Text(path.begin(), path.end()));
    bitmap::PictureModel model;
    bitmap::ZeichneBitmap(bitmap::DrawMode::FullLoad, model, sink);
    bitmap::ZeichneBitmap(bitmap::DrawMode::Redraw, model, sink);
    return 0;
}
