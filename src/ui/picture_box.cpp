// Paints the picture surface row by row over the background, and repaints only the strip drawn since the last time.
#include "ui/picture_box.h"

#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

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

int nextZoomStep(double percent, int direction)
{
    // A small tolerance, so that a fitted 99.99 % steps to 200 %, not to 100 %.
    constexpr double tolerance = 0.01;
    if (direction > 0) {
        for (const int step : zoomSteps)
            if (step > percent + tolerance)
                return step;
    } else {
        for (auto step = zoomSteps.rbegin(); step != zoomSteps.rend(); ++step)
            if (*step < percent - tolerance)
                return *step;
    }
    return int(std::lround(percent));
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picBild"));
    setFixedSize(0, 0);
    m_sinceRepaint.start();
}

void PictureBox::surfaceChanged()
{
    takeSize();
    m_dirtyTop = m_dirtyBottom = -1;
    update();
}

void PictureBox::setScale(double scale)
{
    m_scale = scale;
    takeSize();
    update();
}

void PictureBox::takeSize()
{
    const auto scaled = [this](int pixels) { return pixels == 0 ? 0 : std::max(1, int(std::ceil(pixels * m_scale))); };
    setFixedSize(scaled(m_surface.width()), scaled(m_surface.height()));
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
    const int top = int(std::floor(m_dirtyTop * m_scale));
    const int bottom = int(std::ceil((m_dirtyBottom + 1) * m_scale));
    update(QRect(0, top, width(), std::max(1, bottom - top)));
    m_dirtyTop = m_dirtyBottom = -1;
    m_sinceRepaint.restart();
}

// Only the picture pixels under the area, as one block scaled without smoothing, so that enlarged pixels
// stay sharp squares.
void PictureBox::paintScaled(QPainter& painter, const QRect& area) const
{
    const int left = std::clamp(int(area.left() / m_scale), 0, m_surface.width() - 1);
    const int right = std::clamp(int(area.right() / m_scale), left, m_surface.width() - 1);
    const int top = std::clamp(int(area.top() / m_scale), 0, m_surface.height() - 1);
    const int bottom = std::clamp(int(area.bottom() / m_scale), top, m_surface.height() - 1);
    QImage block(right - left + 1, bottom - top + 1, QImage::Format_ARGB32_Premultiplied);
    block.fill(Qt::transparent);
    for (int y = top; y <= bottom; ++y)
        if (const bitmap::Colour* row = m_surface.drawnRow(y))
            std::copy(row + left, row + right + 1, reinterpret_cast<bitmap::Colour*>(block.scanLine(y - top)));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(left * m_scale, top * m_scale, block.width() * m_scale, block.height() * m_scale), block);
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
    const QRect area = event->rect() & rect();
    if (area.isEmpty() || m_surface.width() == 0 || m_surface.height() == 0)
        return;
    QPainter painter(this);
    painter.fillRect(area, background());
    if (m_scale != 1.0) {
        paintScaled(painter, area);
        return;
    }
    for (int y = area.top(); y <= area.bottom(); ++y)
        if (const bitmap::Colour* row = m_surface.drawnRow(y))
            painter.drawImage(QPoint(area.left(), y), rowImage(row, m_surface.width()),
                              QRect(area.left(), 0, area.width(), 1));
}

} // namespace quirlwerk::ui
