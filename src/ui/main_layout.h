// Where the main window's frames and controls go for a given window size, in twips.
#pragma once

#include <string_view>
#include <vector>

namespace quirlwerk::ui {

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

// The window is never laid out smaller than this (outer size, frame and caption included).
inline constexpr TwipsSize minimumOuterSize{5100, 3900};
// The client area the controls were designed for.
inline constexpr TwipsSize designClientSize{11325, 6525};
// The heading's design width; the heading itself is as wide as its text.
inline constexpr double designHeaderWidth = 2385;

struct ControlGeometry {
    std::string_view name;   // the control's object name
    TwipsRect rect;          // relative to its container
};

struct MainLayout {
    TwipsSize outer;                         // the outer size after the minimum was applied
    std::vector<ControlGeometry> controls;   // containers before what they contain

    // The geometry of a named control; throws std::out_of_range for an unknown name.
    const TwipsRect& operator[](std::string_view name) const;
};

// Every control's geometry for the window's outer and client size. Widths and heights that the window
// cannot give are kept at their minimums, even when the controls then reach past the visible area.
// A size too large for 32 bits is an overflow failure.
MainLayout layoutMainWindow(TwipsSize outer, TwipsSize client, double headerWidth = designHeaderWidth);

} // namespace quirlwerk::ui
