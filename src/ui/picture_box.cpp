// Paints the picture surface row by row over the background, and repaints only the strip drawn since the last time.
#include "ui/picture_box.h"

#include <QPainter>
#include <QPaintEvent>

#include <algorithm>

namespace quirlwerk::ui {
namespace {

constexpr qint64 repaintIntervalMs = 40;

// Drawn colours are opaque and undrawn ones 0, so the premultiplied format reads both as they are.
QImage rowImage(const bitmap::Colour* row, int width)
{
    return QImage(reinterpret_cast<const uchar*>(row), width, 1, width * int(sizeof(bitmap::Colour)),
                  QImage::Format_ARGB32_Premultiplied);
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picBild"));
    setFixedSize(0, 0);
    m_sinceRepaint.start();
}

void PictureBox::surfaceChanged()
{
    setFixedSize(m_surface.width(), m_surface.height());
    m_dirtyTop = m_dirtyBottom = -1;
    update();
}

void PictureBox::rowDrawn(int y)
{
    m_dirtyTop = m_dirtyTop < 0 ? y : std::min(m_dirtyTop, y);
    m_dirtyBottom = std::max(m_dirtyBottom, y);
}

void PictureBox::repaintDrawnRows(bool force)
{
    if (m_dirtyTop < 0 || (!force && m_sinceRepaint.elapsed() < repaintIntervalMs))
        return;
    update(QRect(0, m_dirtyTop, m_surface.width(), m_dirtyBottom - m_dirtyTop + 1));
    m_dirtyTop = m_dirtyBottom = -1;
    m_sinceRepaint.restart();
}

QColor PictureBox::background() const
{
    return palette().color(QPalette::Button);
}

QImage PictureBox::picture() const
{
    if (m_surface.width() == 0 || m_surface.height() == 0)
        return {};
    QImage shown(m_surface.width(), m_surface.height(), QImage::Format_RGB32);
    shown.fill(background());
    QPainter painter(&shown);
    for (int y = 0; y < m_surface.height(); ++y)
        if (const bitmap::Colour* row = m_surface.drawnRow(y))
            painter.drawImage(0, y, rowImage(row, m_surface.width()));
    return shown;
}

QImage PictureBox::drawnPicture() const
{
    const int width = m_surface.width();
    if (width == 0 || m_surface.height() == 0)
        return {};
    // Drawn colours are 0xFFRRGGBB and undrawn ones 0: both formats take the rows as they are.
    QImage image(width, m_surface.height(), m_surface.complete() ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<bitmap::Colour*>(image.scanLine(y));
        if (const bitmap::Colour* row = m_surface.drawnRow(y))
            std::copy(row, row + width, line);
        else
            std::fill(line, line + width, bitmap::Colour(0));
    }
    return image;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    const QRect area = event->rect() & QRect(0, 0, m_surface.width(), m_surface.height());
    if (area.isEmpty())
        return;
    QPainter painter(this);
    painter.fillRect(area, background());
    for (int y = area.top(); y <= area.bottom(); ++y)
        if (const bitmap::Colour* row = m_surface.drawnRow(y))
            painter.drawImage(QPoint(area.left(), y), rowImage(row, m_surface.width()),
                              QRect(area.left(), 0, area.width(), 1));
}

} // namespace quirlwerk::ui
