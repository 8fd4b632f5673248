// The front end of a command-line picture run: messages to stderr, the information line and the picture kept.
#pragma once

#include "bitmap/zeichne_bitmap.h"

namespace quirlwerk::cli {

class ImageSink : public bitmap::PixelSink {
public:
    // Without keepPixels the run only reads, checks and counts.
    ImageSink(bitmap::BitmapInputs inputs, common::Reporter& messages, bool keepPixels);

    void show(const common::Message& message) override;
    bitmap::BitmapInputs inputs() override;
    void showInfo(const Text& line) override;
    bitmap::PictureSurface* surface() override;

    const Text& info() const { return m_info; }
    const bitmap::PictureSurface& picture() const { return m_picture; }

private:
    bitmap::BitmapInputs m_inputs;
    common::Reporter& m_messages;
    bool m_keepPixels;
    Text m_info;
    bitmap::PictureSurface m_picture;
};

} // namespace quirlwerk::cli
