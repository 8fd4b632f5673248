// Fuzz target: any file through a full picture load and a redraw; nothing a file says may crash or exhaust memory.
#include "bitmap/zeichne_bitmap.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
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
    static const std::string path = "/tmp/quirlwerk-bitmap-fuzz-" + std::to_string(getpid()) + ".bmp";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    SurfaceSink sink(Text(path.begin(), path.end()));
    bitmap::PictureModel model;
    bitmap::ZeichneBitmap(0, model, sink);
    bitmap::ZeichneBitmap(1, model, sink);
    return 0;
}
