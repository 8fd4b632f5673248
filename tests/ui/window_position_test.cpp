// Keeping a stored window position on the screen.
#include "ui/window_position.h"

#include <gtest/gtest.h>

namespace quirlwerk::ui {
namespace {

struct ClampRow {
    const char* name;
    QPoint stored;
    QSize window;
    QPoint placed;
};

// A screen of 28800 x 16200 twips (1920 x 1080 pixels).
const QSize screen(28800, 16200);

const ClampRow clampRows[] = {
    {"on the screen stays", {1000, 1000}, {5100, 3900}, {1000, 1000}},
    {"negative gives 0", {-500, -500}, {5100, 3900}, {0, 0}},
    {"beyond the screen ends flush with its far edge", {30000, 20000}, {5100, 3900}, {23700, 12300}},
    {"exactly flush stays", {23700, 12300}, {5100, 3900}, {23700, 12300}},
    // The upper bound comes after the lower one, so a window larger than the screen ends left of it.
    {"wider and higher than the screen", {-500, 500}, {30000, 17000}, {-1200, -800}},
};

TEST(clampToScreen, lower_bound_first_then_the_far_edge)
{
    for (const ClampRow& row : clampRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(clampToScreen(row.stored, row.window, screen), row.placed);
    }
}

} // namespace
} // namespace quirlwerk::ui
