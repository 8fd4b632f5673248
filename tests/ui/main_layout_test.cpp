// The main window's resize rules as invariants over window sizes at and around every bound the rules encode;
// keeping a window position on the screen, and where a window without a stored position opens.
#include "ui/main_layout.h"
#include "ui/window_position.h"

#include <gtest/gtest.h>

#include <vector>

namespace quirlwerk::ui {
namespace {

bool inside(const TwipsRect& inner, const TwipsRect& outer)
{
    return inner.left >= 0 && inner.top >= 0 && inner.left + inner.width <= outer.width &&
           inner.top + inner.height <= outer.height;
}
bool above(const TwipsRect& upper, const TwipsRect& lower) { return upper.top + upper.height <= lower.top; }
bool leftOf(const TwipsRect& a, const TwipsRect& b) { return a.left + a.width <= b.left; }

// Outer widths at, just below and just past the minimum (5100), the hex fields' cap (6360) and the design
// width; heights likewise around 3900 and the design. The client is the outer size less a frame and menu.
std::vector<std::pair<TwipsSize, TwipsSize>> windowSizes()
{
    std::vector<std::pair<TwipsSize, TwipsSize>> sizes;
    for (const double width : {1000.0, 5085.0, 5100.0, 5115.0, 6345.0, 6360.0, 6375.0, 11445.0, 30000.0})
        for (const double height : {800.0, 3885.0, 3900.0, 3915.0, 7500.0, 20000.0})
            sizes.push_back({{width, height}, {std::max(width, 5100.0) - 120, std::max(height, 3900.0) - 975}});
    return sizes;
}

TEST(layoutMainWindow, keeps_every_control_in_its_frame_apart_from_the_others_and_centred_up_to_32_bits)
{
    for (const auto& [outer, client] : windowSizes()) {
        SCOPED_TRACE(std::to_string(outer.width) + " x " + std::to_string(outer.height));
        const MainLayout l = layoutMainWindow(outer, client);
        EXPECT_GE(l.outer.width, minimumOuterSize.width);
        EXPECT_GE(l.outer.height, minimumOuterSize.height);
        EXPECT_DOUBLE_EQ(2 * l.lblHeader.left + l.lblHeader.width, client.width);
        EXPECT_NEAR(l.cmdDecrypt.left + l.cmdCrypt.left + l.cmdCrypt.width, client.width, 1);   // the pair centred
        EXPECT_TRUE(leftOf(l.cmdDecrypt, l.cmdCrypt));
        EXPECT_TRUE(leftOf(l.datei.txtDateiIn, l.datei.cmdFile));
        EXPECT_TRUE(above(l.datei.txtDateiIn, l.datei.txtDateiOut) && above(l.datei.txtDateiOut, l.datei.lblDateiMeldung));
        EXPECT_LE(l.datei.txtDateiOut.width, 6000);   // the hex fields stop growing
        // The minimum sizes of the text fields hold even where the window cannot give them room.
        EXPECT_GE(l.txtIn.width, 2100);
        EXPECT_GE(l.txtOut.height, 900);
        EXPECT_EQ(l.txtIn.width, l.txtOut.width);
        if (client.height < 5000)
            continue;   // below that the fields keep their minimum and reach past the frame
        EXPECT_TRUE(above(l.txtIn, l.cmdDecrypt) && above(l.cmdDecrypt, l.txtOut) && above(l.lblTextOut, l.txtOut));
        for (const TwipsRect& control : {l.lblTextIn, l.txtIn, l.lblTextOut, l.txtOut})
            EXPECT_TRUE(inside(control, l.frameConv));
        // The centred button pair reaches past a narrow frame (kept rule).
        EXPECT_EQ(inside(l.cmdDecrypt, l.frameConv) && inside(l.cmdCrypt, l.frameConv), client.width >= 7170);
        for (const TwipsRect& control : {l.datei.txtDateiIn, l.datei.cmdFile, l.datei.txtDateiOut, l.datei.lblDateiMeldung})
            EXPECT_TRUE(inside(control, l.frameDatei));
        EXPECT_TRUE(inside(l.lblBildInfoWert, l.frameBild));
        EXPECT_TRUE(inside(l.frameConv, l.frameMask) && inside(l.frameDatei, l.frameMask));
        EXPECT_TRUE(inside(l.frameBild, {0, 0, client.width, client.height}));
    }
    EXPECT_ANY_THROW(layoutMainWindow({1e12, 6000}, {1e12, 5200}));
}

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
