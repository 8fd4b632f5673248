// picBild: the drawn picture, one picture pixel per screen pixel, repainted as its rows arrive.
#pragma once

#include "bitmap/picture_model.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <vector>

namespace quirlwerk::ui {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);

    void clearPicture();
    // A new picture of that size, cleared; throws std::bad_alloc when it cannot be held.
    void resizePicture(int width, int height);
    bitmap::Colour* row(int y);
    // The first `count` pixels of row y have been drawn.
    void rowDrawn(int y, int count);
    // Repaints the rows drawn since the last repaint; unless forced, at most every few hundredths of a second.
    void repaintDrawnRows(bool force);

    const QImage& picture() const { return m_picture; }
    // The picture to copy or save: opaque when every pixel was drawn, otherwise undrawn pixels transparent.
    QImage drawnPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    std::vector<int> m_drawn;   // pixels drawn per row since the picture was last cleared
    int m_dirtyTop = -1;
    int m_dirtyBottom = -1;
    QElapsedTimer m_sinceRepaint;
};

} // namespace quirlwerk::ui
