// One run of ZeichneBitmap: check the inputs, read the headers and the colour table, stream the pixel rows.
#pragma once

#include "bitmap/picture_model.h"
#include "common/report.h"
#include "common/text.h"

#include <cstdint>

namespace quirlwerk::bitmap {

// What the front end holds in its controls when the run asks for it.
struct BitmapInputs {
    Text fileName;
    Text moduloText;
    Text thresholdText;
    bool moduloOnIndex = true;
    bool thresholdOnIndex = true;
};

// The run's view of a front end: messages and repaints (Reporter), its controls, and the picture it draws.
class PixelSink : public common::Reporter {
public:
    bool askYesNo(const common::Message&) override { return false; }   // a run never asks

    virtual BitmapInputs inputs() = 0;
    virtual void showInfo(const Text& line) = 0;
    virtual void focusFileName() {}
    virtual void setBusy(bool) {}

    // Empty the picture, keeping its size.
    virtual void clearPicture() = 0;
    // A new empty picture of that many pixels; 0 x 0 frees it.
    virtual void resizePicture(std::int32_t width, std::int32_t height) = 0;
    // Where the colours of row y go (width entries), or nullptr when the front end keeps no pixels.
    virtual Colour* row(std::int32_t y) = 0;
    // The first `count` pixels of row y have been written.
    virtual void rowDrawn(std::int32_t y, std::int32_t count) = 0;

    // After a full load: show the colour table window and fill it.
    virtual void showColourTable() {}
    // Checked after every yield: the window that shows the picture has gone away.
    virtual bool stopRequested() { return false; }
};

enum class RunEnd {
    Drawn,      // the pixel stream ran to its end
    Message,    // an input or format message ended the run
    Failed,     // a failure, reported with the step it happened in
    Stopped,    // the front end asked the run to stop
};

// Largest picture the front ends are asked to hold.
inline constexpr std::int32_t maxPictureSide = 32767;
inline constexpr std::int64_t maxPicturePixels = std::int64_t(256) << 20;

// keep = 0: full load (colour table from the file, pixels counted); otherwise redraw with the model as it is.
RunEnd ZeichneBitmap(std::int32_t keep, PictureModel& model, PixelSink& sink);

} // namespace quirlwerk::bitmap
