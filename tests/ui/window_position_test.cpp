// Keeping a window position on the screen, and where a window without a stored position opens.
#include "ui/window_position.h"

#include <gtest/gtest.h>

namespace quirlwerk::ui {
namespace {

// Edges at, just inside and just past 0 and the far edge, for windows smaller, as large as and larger
// than the screen; the reference is the rule read literally: the lower bound first, then the far edge.
TEST(clampToScreen, matches_the_literal_rule_at_and_around_both_edges)
{
    const QSize screen(28800, 16200);
    for (const QSize window : {QSize(5100, 3900), screen, QSize(30000, 17000)}) {
        const QSize far = screen - window;
        for (const int dx : {-16, -15, -1, 0, 1, 15})
            for (const int x : {dx, far.width() + dx}) {
                const int y = far.height() - dx;
                const QPoint placed = clampToScreen({x, y}, window, screen);
                EXPECT_EQ(placed.x(), std::min(std::max(x, 0), far.width())) << x;
                EXPECT_EQ(placed.y(), std::min(std::max(y, 0), far.height())) << y;
            }
    }
}

// The colour table and the matrix window beside the main window: right, else left, else below, on the screen.
TEST(besideWindow, opens_right_then_left_then_below_the_owner_and_stays_on_the_screen)
{
    const QSize table(4920, 7395);
    struct Row {
        const char* name;
        QSize screen;
        QRect owner;
        QPoint placed;
    };
    const Row rows[] = {
        {"room on the right", {28800, 16200}, {1000, 1000, 11445, 7500}, {12445, 1000}},
        {"just room on the right", {28800, 16200}, {1000, 1000, 22880, 7500}, {23880, 1000}},
        {"room on the left only", {28800, 16200}, {5000, 1000, 22000, 7500}, {80, 1000}},
        {"just room on the left", {28800, 16200}, {4920, 1000, 22000, 7500}, {0, 1000}},
        {"below on a narrow screen", {16000, 24000}, {1000, 1000, 11445, 7500}, {1000, 8500}},
        {"below, kept on a small screen", {12000, 9000}, {1000, 1000, 11445, 7500}, {1000, 1605}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QPoint placed = besideWindow(row.owner, table, row.screen);
        EXPECT_EQ(placed, row.placed);
        EXPECT_EQ(placed, clampToScreen(placed, table, row.screen));
    }
}

} // namespace
} // namespace quirlwerk::ui
