// Window geometry in one place: twips to pixels, placing a control at its design place, naming controls.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace quirlwerk::ui {

// 15 twips are one pixel at 96 dots per inch.
inline constexpr int twipsPerPixel = 15;

struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool operator==(const TwipsRect&) const = default;
};

struct TwipsSize {
    double width = 0;
    double height = 0;
};

// How far a control may grow beyond its design size: not at all, to the height its font needs, or also to
// the width its whole caption needs.
enum class Fit { Design, Height, Text };

// Edges are rounded, not sizes, so that neighbours stay flush.
inline QRect toPixels(const TwipsRect& twips)
{
    auto pixels = [](double value) { return static_cast<int>(std::lround(value / twipsPerPixel)); };
    const int left = pixels(twips.left);
    const int top = pixels(twips.top);
    return {left, top, pixels(twips.left + twips.width) - left, pixels(twips.top + twips.height) - top};
}

inline QSize toPixels(TwipsSize twips)
{
    return toPixels(TwipsRect{0, 0, twips.width, twips.height}).size();
}

inline TwipsSize toTwips(QSize pixels)
{
    return {double(pixels.width() * twipsPerPixel), double(pixels.height() * twipsPerPixel)};
}

inline void placeTwips(QWidget& control, const TwipsRect& twips, Fit fit = Fit::Design)
{
    QRect pixels = toPixels(twips);
    if (fit != Fit::Design) {
        const QSize hint = control.sizeHint();
        pixels.setHeight(std::max(pixels.height(), hint.height()));
        if (fit == Fit::Text)
            pixels.setWidth(std::max(pixels.width(), hint.width()));
    }
    control.setGeometry(pixels);
}

// A control with the object name its handlers and tests know it by.
template <typename Control, typename... Arguments>
Control* makeNamed(const char* name, Arguments&&... arguments)
{
    auto* control = new Control(std::forward<Arguments>(arguments)...);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

template <typename Object>
Object* named(Object* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

} // namespace quirlwerk::ui
