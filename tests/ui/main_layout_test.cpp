// The main window's resize rules as a function of its size.
#include "ui/main_layout.h"

#include <gtest/gtest.h>

namespace quirlwerk::ui {
namespace {

struct GeometryRow {
    const char* control;
    TwipsRect (*of)(const MainLayout&);
    TwipsRect rect;
};

#define PLACE(member) #member, [](const MainLayout& layout) { return layout.member; }

// Outer width 8000, client 7880 x 5200.
const GeometryRow workedExample[] = {
    {PLACE(frameMask), {-60, -60, 8120, 5320}},
    {PLACE(lblHeader), {2747.5, 300, 2385, 195}},
    {PLACE(frameConv), {180, 540, 7640, 4660}},
    {PLACE(frameDatei), {180, 540, 7640, 4660}},
    {PLACE(frameBild), {30, 540, 7820, 4660}},
    {PLACE(lblTextIn), {60, 0, 945, 195}},
    {PLACE(txtIn), {0, 240, 7640, 1823}},
    {PLACE(txtOut), {0, 2777, 7640, 1823}},
    {PLACE(lblTextOut), {60, 2537, 990, 195}},
    {PLACE(cmdDecrypt), {595, 2232, 3255, 375}},
    {PLACE(cmdCrypt), {4150, 2232, 3135, 375}},
    {PLACE(datei.cmdFile), {5625, 300, 375, 315}},
    {PLACE(datei.txtDateiIn), {120, 300, 5385, 315}},
    {PLACE(datei.txtDateiOut), {120, 1140, 5760, 315}},
    {PLACE(datei.lblDateiMeldung), {120, 2520, 5760, 255}},
    {PLACE(lblBildInfoWert), {600, 1050, 7100, 300}},
};

TEST(layoutMainWindow, places_every_control_of_the_worked_example)
{
    const MainLayout layout = layoutMainWindow({8000, 6000}, {7880, 5200});
    for (const GeometryRow& row : workedExample) {
        SCOPED_TRACE(row.control);
        EXPECT_EQ(row.of(layout), row.rect);
    }
}

TEST(layoutMainWindow, keeps_the_minimum_sizes_small_and_caps_the_hex_file_fields_wide)
{
    const MainLayout tiny = layoutMainWindow({1000, 800}, {880, 300});
    EXPECT_EQ(tiny.outer.width, 5100);
    EXPECT_EQ(tiny.outer.height, 3900);
    EXPECT_EQ(tiny.frameMask.width, 5220);   // from the corrected outer width
    EXPECT_EQ(tiny.frameConv.height, 1200);
    EXPECT_EQ(tiny.frameBild.height, 1200);
    EXPECT_EQ(tiny.txtIn.width, 4740);
    EXPECT_EQ(tiny.txtIn.height, 900);
    EXPECT_EQ(tiny.txtOut.height, 900);

    const MainLayout wide = layoutMainWindow({30000, 6000}, {29880, 5200});
    EXPECT_EQ(wide.datei.cmdFile.left, 5625);
    EXPECT_EQ(wide.datei.txtDateiIn.width, 5385);
    EXPECT_EQ(wide.datei.txtDateiOut.width, 5760);
    EXPECT_EQ(wide.txtIn.width, 29640);
}

TEST(layoutMainWindow, a_size_beyond_32_bits_is_an_overflow)
{
    EXPECT_ANY_THROW(layoutMainWindow({1e12, 6000}, {1e12, 5200}));
}

} // namespace
} // namespace quirlwerk::ui
