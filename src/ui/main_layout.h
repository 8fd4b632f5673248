// Where the main window's frames and controls go for a given window size, in twips.
#pragma once

#include "ui/twips.h"

namespace quirlwerk::ui {

// The window is never laid out smaller than this (outer size, frame and caption included).
inline constexpr TwipsSize minimumOuterSize{5100, 3900};
// The client area the controls were designed for.
inline constexpr TwipsSize designClientSize{11325, 6525};
// The heading's design width; the heading itself is as wide as its text.
inline constexpr double designHeaderWidth = 2385;

// The hex-file frame's controls that follow the window's width.
struct HexFileGeometry {
    TwipsRect txtDateiIn;
    TwipsRect cmdFile;
    TwipsRect txtDateiOut;
    TwipsRect lblDateiMeldung;
};

// Every place the resize rules set, relative to each control's container.
struct MainLayout {
    TwipsSize outer;   // the outer size after the minimum was applied
    TwipsRect frameMask;
    TwipsRect lblHeader;
    TwipsRect frameConv;
    TwipsRect lblTextIn;
    TwipsRect txtIn;
    TwipsRect cmdDecrypt;
    TwipsRect cmdCrypt;
    TwipsRect lblTextOut;
    TwipsRect txtOut;
    TwipsRect frameDatei;
    HexFileGeometry datei;
    TwipsRect frameBild;
    TwipsRect lblBildInfoWert;
};

// Every control's geometry for the window's outer and client size. Widths and heights that the window
// cannot give are kept at their minimums, even when the controls then reach past the visible area.
// A size too large for 32 bits is an overflow failure.
MainLayout layoutMainWindow(TwipsSize outer, TwipsSize client, double headerWidth = designHeaderWidth);

} // namespace quirlwerk::ui
