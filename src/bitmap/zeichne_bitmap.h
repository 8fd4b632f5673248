// One run of ZeichneBitmap: check the inputs, read the headers and the colour table, stream the pixel rows.
#pragma once

#include "bitmap/picture_model.h"
#include "bitmap/picture_surface.h"
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

// The run's view of a front end while it works: messages, repaints and the busy pointer (Reporter), its
// controls, the information line and the picture it draws. What the front end does afterwards comes back
// in the result.
class PixelSink : public common::Reporter {
public:
    bool askYesNo(const common::Message&) override { return false; }   // a run never asks

    // Read once, after the first yield.
    virtual BitmapInputs inputs() = 0;
    virtual void showInfo(const Text& line) = 0;

    // Where the pixels go, or nullptr when the front end keeps none (the run still counts them).
    virtual PictureSurface* surface() = 0;
    // The surface was cleared or given a new size.
    virtual void surfaceChanged() {}
    // Row y of the surface has new pixels.
    virtual void rowDrawn(std::int32_t y) { (void)y; }

    // Checked after every yield: the window that shows the picture has gone away.
    virtual bool stopRequested() { return false; }
};

enum class RunEnd {
    Drawn,      // the pixel stream ran to its end
    Message,    // an input or format message ended the run
    Failed,     // a failure, reported with the step it happened in
    Stopped,    // the front end asked the run to stop
};

enum class BitmapField { None, FileName };

struct BitmapResult {
    RunEnd end = RunEnd::Failed;
    BitmapField focus = BitmapField::None;   // the field an input message was about
    bool showColourTable = false;            // a full load was drawn: show the colour table window, then fill it

    bool operator==(const BitmapResult&) const = default;
};

// Largest picture the front ends are asked to hold; it also bounds the surface's row table.
inline constexpr std::int32_t maxPictureSide = 65535;
inline constexpr std::int64_t maxPicturePixels = std::int64_t(256) << 20;

enum class DrawMode {
    FullLoad,   // the colour table from the file, the pixels counted, the twins found
    Redraw,     // the model as it is: edits and counts kept
};

BitmapResult ZeichneBitmap(DrawMode mode, PictureModel& model, PixelSink& sink);

} // namespace quirlwerk::bitmap
