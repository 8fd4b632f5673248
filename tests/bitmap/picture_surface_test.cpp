// The lazy picture surface: rows cost memory only once drawn, stay transparent until then, and clear again.
#include "bitmap/picture_surface.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quirlwerk::bitmap;

namespace {

constexpr std::size_t MiB = std::size_t(1) << 20;

} // namespace

TEST(PictureSurface, rows_cost_whole_blocks_in_the_order_first_drawn_and_are_transparent_until_then)
{
    PictureSurface large;
    large.begin(16384, 16384);
    EXPECT_EQ(large.allocatedBytes(), 0u);
    EXPECT_FALSE(large.complete());
    Colour* row = large.row(16383);
    EXPECT_EQ(large.row(16383), row);   // the same row on later calls
    EXPECT_EQ(large.drawnRow(16383), row);
    EXPECT_TRUE(std::all_of(row, row + 16384, [](Colour c) { return c == 0; }));
    EXPECT_LE(large.allocatedBytes(), 4 * MiB);

    PictureSurface surface;
    surface.begin(1000, 10000);   // 4000 bytes a row
    for (int y = 9999; y >= 0; y -= 2)
        surface.row(y)[999] = 0xFF000000u | Colour(y);
    // 5000 rows of 4000 bytes: what they need, rounded up to whole blocks.
    EXPECT_GE(surface.allocatedBytes(), 5000u * 4000u);
    EXPECT_LT(surface.allocatedBytes(), 5000u * 4000u + 4 * MiB);
    for (int y = 0; y < 10000; ++y)
        ASSERT_EQ(y % 2 ? surface.drawnRow(y)[999] : Colour(surface.drawnRow(y) != nullptr), y % 2 ? 0xFF000000u | Colour(y) : 0u) << y;
}

TEST(PictureSurface, drawn_counts_make_it_complete_and_clear_empties_it)
{
    PictureSurface surface;
    surface.begin(3, 2);
    surface.row(0)[0] = 0xFF123456u;
    surface.rowDrawn(0, 3);
    surface.rowDrawn(1, 2);
    EXPECT_FALSE(surface.complete());
    surface.rowDrawn(1, 7);   // more than the width counts as the whole row
    surface.rowDrawn(1, 1);   // a later shorter row does not undo it
    EXPECT_EQ(surface.drawnCount(1), 3);
    EXPECT_TRUE(surface.complete());

    surface.clear();
    EXPECT_EQ(std::pair(surface.width(), surface.height()), std::pair(3, 2));
    EXPECT_EQ(surface.drawnRow(0), nullptr);
    EXPECT_EQ(surface.drawnCount(0), 0);
    EXPECT_FALSE(surface.complete());
    EXPECT_EQ(surface.row(1)[0], 0u);   // its memory is used again, transparent

    surface.reset();
    EXPECT_EQ(std::pair(surface.width(), surface.height()), std::pair(0, 0));
    EXPECT_TRUE(surface.complete());
}

TEST(PictureSurface, drawing_again_reuses_memory_only_as_far_as_the_new_size_needs)
{
    PictureSurface surface;
    surface.begin(1024, 4096);   // 16 MiB: four blocks
    for (int y = 0; y < 4096; ++y)
        std::fill_n(surface.row(y), 1024, 0xFF0000FFu);
    const std::size_t full = surface.allocatedBytes();
    surface.clear();
    for (int y = 0; y < 4096; ++y)
        ASSERT_EQ(surface.row(y)[1023], 0u) << y;
    EXPECT_EQ(surface.allocatedBytes(), full);

    surface.begin(1024, 1024);   // one block is all this size can use
    EXPECT_EQ(surface.allocatedBytes(), full / 4);
    surface.begin(16384, 16384);   // kept, nothing new until drawn
    EXPECT_EQ(surface.allocatedBytes(), full / 4);
    surface.reset();
    EXPECT_EQ(surface.allocatedBytes(), 0u);
}
