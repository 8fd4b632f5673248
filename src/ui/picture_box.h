// picBild: the drawn picture, repainted as its rows arrive; one picture pixel per screen pixel unless zoomed.
#pragma once

#include "bitmap/picture_surface.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

class QPainter;

#include <array>


namespace quirlwerk::ui {

// The zoom steps in percent; fitting the window may land between them.
inline constexpr std::array<int, 6> zoomSteps{25, 50, 100, 200, 400, 800};

// The step after `percent` upwards (direction > 0) or downwards; `percent` itself at either end.
int nextZoomStep(double percent, int direction);

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);

    // What a run draws into; rows it never reaches show the box's background.
    bitmap::PictureSurface& surface() { return m_surface; }
    // Takes the surface's size and repaints it whole.
    void surfaceChanged();
    void rowDrawn(int y);
    // Repaints the rows drawn since the last repaint; unless forced, at most every few hundredths of a second.
    void repaintDrawnRows(bool force);

    // Screen pixels per picture pixel; 1 by default. Enlarged pixels are drawn as sharp blocks.
    double scale() const { return m_scale; }
    void setScale(double scale);

    // The picture as shown, undrawn pixels in the background colour; a null image while there is none.
    QImage picture() const;
    // The picture to copy or save: opaque when every pixel was drawn, otherwise undrawn pixels transparent.
    QImage drawnPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background() const;
    void takeSize();
    void paintScaled(QPainter& painter, const QRect& area) const;

    bitmap::PictureSurface m_surface;
    double m_scale = 1.0;
    int m_dirtyTop = -1;
    int m_dirtyBottom = -1;
    QElapsedTimer m_sinceRepaint;
};

} // namespace quirlwerk::ui
