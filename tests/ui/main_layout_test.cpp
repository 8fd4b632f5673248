// The main window's resize rules as invariants over window sizes at and around every bound the rules encode.
#include "ui/main_layout.h"

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

TEST(layoutMainWindow, keeps_every_control_in_its_frame_apart_from_the_others_and_centred)
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
}

TEST(layoutMainWindow, a_size_beyond_32_bits_is_an_overflow)
{
    EXPECT_ANY_THROW(layoutMainWindow({1e12, 6000}, {1e12, 5200}));
}

} // namespace
} // namespace quirlwerk::ui
