// A pixel sink for the tests: keeps the picture, every message and every information line.
#pragma once

#include "bitmap/zeichne_bitmap.h"

#include <vector>

namespace quirlwerk::bitmap::testing {

inline constexpr Colour undrawn = 0;   // drawn colours are opaque, so 0 marks a pixel never drawn

class RecordingSink : public PixelSink {
public:
    BitmapInputs given;
    std::vector<common::Message> messages;
    Text lastInfo;   // the information line as last shown
    std::int32_t width = 0, height = 0;
    std::vector<Colour> pixels;
    int yields = 0;
    int focusRequests = 0;
    int colourTableShown = 0;
    std::vector<bool> busy;
    int stopAfterYields = -1;   // answers the stop question as a closed window would

    void show(const common::Message& message) override { messages.push_back(message); }
    void yield() override { ++yields; }
    bool stopRequested() override { return stopAfterYields >= 0 && yields >= stopAfterYields; }
    BitmapInputs inputs() override { return given; }
    void showInfo(const Text& line) override { lastInfo = line; }
    void focusFileName() override { ++focusRequests; }
    void setBusy(bool on) override { busy.push_back(on); }
    void clearPicture() override { std::fill(pixels.begin(), pixels.end(), undrawn); }
    void resizePicture(std::int32_t w, std::int32_t h) override
    {
        width = w;
        height = h;
        pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), undrawn);
    }
    Colour* row(std::int32_t y) override { return pixels.data() + static_cast<std::size_t>(y) * width; }
    void rowDrawn(std::int32_t, std::int32_t) override {}
    void showColourTable() override { ++colourTableShown; }

    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline Colour rgb(int red, int green, int blue)
{
    return 0xFF000000u | Colour(red) << 16 | Colour(green) << 8 | Colour(blue);
}

} // namespace quirlwerk::bitmap::testing
