// The command line's side of a picture run: it shows nothing while the run works and keeps the last line.
#include "cli/image_sink.h"

namespace quirlwerk::cli {

ImageSink::ImageSink(bitmap::BitmapInputs inputs, common::Reporter& messages, bool keepPixels)
    : m_inputs(std::move(inputs)), m_messages(messages), m_keepPixels(keepPixels)
{
}

void ImageSink::show(const common::Message& message)
{
    m_messages.show(message);
}

bitmap::BitmapInputs ImageSink::inputs()
{
    return m_inputs;
}

void ImageSink::showInfo(const Text& line)
{
    m_info = line;
}

bitmap::PictureSurface* ImageSink::surface()
{
    return m_keepPixels ? &m_picture : nullptr;
}

} // namespace quirlwerk::cli
