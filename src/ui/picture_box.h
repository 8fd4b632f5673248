// picBild: the drawn picture, one picture pixel per screen pixel, repainted as its rows arrive.
#pragma once

#include "bitmap/picture_surface.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>


namespace quirlwerk::ui {

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

    // The picture as shown, undrawn pixels in the background colour; a null image while there is none.
    QImage picture() const;
    // The picture to copy or save: opaque when every pixel was drawn, otherwise undrawn pixels transparent.
    QImage drawnPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background() const;

    bitmap::PictureSurface m_surface;
    int m_dirtyTop = -1;
    int m_dirtyBottom = -1;
    QElapsedTimer m_sinceRepaint;
};

} // namespace quirlwerk::ui
