// Holds the picture as an image and repaints only the strip of rows drawn since the last repaint.
#include "ui/picture_box.h"

#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <new>

namespace quirlwerk::ui {
namespace {

constexpr qint64 repaintIntervalMs = 40;

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picBild"));
    setFixedSize(0, 0);
    m_sinceRepaint.start();
}

void PictureBox::clearPicture()
{
    m_picture.fill(palette().color(QPalette::Button));
    m_drawn.assign(static_cast<std::size_t>(std::max(0, m_picture.height())), 0);
    m_dirtyTop = m_dirtyBottom = -1;
    update();
}

void PictureBox::resizePicture(int width, int height)
{
    m_picture = QImage();   // the old picture goes before the new one is allocated
    if (width > 0 && height > 0) {
        m_picture = QImage(width, height, QImage::Format_RGB32);
        if (m_picture.isNull())
            throw std::bad_alloc();
    }
    setFixedSize(width, height);
    clearPicture();
}

bitmap::Colour* PictureBox::row(int y)
{
    return reinterpret_cast<bitmap::Colour*>(m_picture.scanLine(y));
}

void PictureBox::rowDrawn(int y, int count)
{
    m_drawn[static_cast<std::size_t>(y)] = std::max(m_drawn[static_cast<std::size_t>(y)], count);
    m_dirtyTop = m_dirtyTop < 0 ? y : std::min(m_dirtyTop, y);
    m_dirtyBottom = std::max(m_dirtyBottom, y);
}

QImage PictureBox::drawnPicture() const
{
    const int width = m_picture.width();
    if (std::all_of(m_drawn.begin(), m_drawn.end(), [width](int count) { return count >= width; }))
        return m_picture;
    QImage image = m_picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + std::min(width, m_drawn[static_cast<std::size_t>(y)]), line + width, QRgb(0));
    }
    return image;
}

void PictureBox::repaintDrawnRows(bool force)
{
    if (m_dirtyTop < 0 || (!force && m_sinceRepaint.elapsed() < repaintIntervalMs))
        return;
    update(QRect(0, m_dirtyTop, m_picture.width(), m_dirtyBottom - m_dirtyTop + 1));
    m_dirtyTop = m_dirtyBottom = -1;
    m_sinceRepaint.restart();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    const QRect area = event->rect() & m_picture.rect();
    painter.drawImage(area.topLeft(), m_picture, area);
}

} // namespace quirlwerk::ui
