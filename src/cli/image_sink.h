// The picture of a command-line run as an image; quirlwerk-cli and its benchmark draw through this.
#pragma once

#include "bitmap/zeichne_bitmap.h"

#include <QImage>

#include <algorithm>
#include <cerrno>
#include <new>
#include <vector>

#include <sys/mman.h>

namespace quirlwerk::cli {

// An image in memory of its own, prepared in large pages where the system offers them: a picture of
// hundreds of megabytes then costs a few hundred page faults instead of tens of thousands.
inline QImage largeImage(int width, int height)
{
    const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    if (bytes < (std::size_t(2) << 20))
        return QImage(width, height, QImage::Format_ARGB32);
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    madvise(memory, bytes, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    if (madvise(memory, bytes, MADV_POPULATE_WRITE) != 0 && errno != EINVAL) {
        munmap(memory, bytes);
        throw std::bad_alloc();
    }
#endif
    struct Mapping {
        void* memory;
        std::size_t bytes;
    };
    return QImage(static_cast<uchar*>(memory), width, height, width * 4, QImage::Format_ARGB32,
                  [](void* info) {
                      const auto* mapping = static_cast<Mapping*>(info);
                      munmap(mapping->memory, mapping->bytes);
                      delete mapping;
                  },
                  new Mapping{memory, bytes});
}

// Collects the picture; pixels no row reached are transparent. Clearing is deferred until the image
// is taken, so that each pixel of a large picture is written once.
class ImageSink : public bitmap::PixelSink {
public:
    ImageSink(bitmap::BitmapInputs inputs, common::Reporter& messages, bool keepPixels)
        : m_inputs(std::move(inputs)), m_messages(messages), m_keepPixels(keepPixels)
    {
    }

    void show(const common::Message& message) override { m_messages.show(message); }
    bitmap::BitmapInputs inputs() override { return m_inputs; }
    void showInfo(const Text& line) override { m_info = line; }
    void clearPicture() override { std::fill(m_drawn.begin(), m_drawn.end(), 0); }
    void resizePicture(std::int32_t width, std::int32_t height) override
    {
        if (!m_keepPixels)
            return;
        m_image = largeImage(width, height);
        if (width > 0 && height > 0 && m_image.isNull())
            throw std::bad_alloc();
        m_drawn.assign(static_cast<std::size_t>(height), 0);
    }
    bitmap::Colour* row(std::int32_t y) override
    {
        return m_keepPixels ? reinterpret_cast<bitmap::Colour*>(m_image.scanLine(y)) : nullptr;
    }
    void rowDrawn(std::int32_t y, std::int32_t count) override
    {
        if (m_keepPixels)
            m_drawn[static_cast<std::size_t>(y)] = count;
    }

    const Text& info() const { return m_info; }

    // Opaque when every pixel was drawn; otherwise the pixels no row reached are transparent.
    QImage image()
    {
        const int width = m_image.width();
        if (std::all_of(m_drawn.begin(), m_drawn.end(), [width](std::int32_t count) { return count >= width; })) {
            m_image.reinterpretAsFormat(QImage::Format_RGB32);
            return m_image;
        }
        for (int y = 0; y < m_image.height(); ++y) {
            auto* line = reinterpret_cast<bitmap::Colour*>(m_image.scanLine(y));
            std::fill(line + m_drawn[static_cast<std::size_t>(y)], line + m_image.width(), bitmap::Colour(0));
        }
        return m_image;
    }

private:
    bitmap::BitmapInputs m_inputs;
    common::Reporter& m_messages;
    bool m_keepPixels;
    Text m_info;
    QImage m_image;
    std::vector<std::int32_t> m_drawn;   // pixels written per row since the picture was last cleared
};

} // namespace quirlwerk::cli
