// The application icon comes from the PNGs built into the program, one per size, each drawn at its size.
#include "ui/app_icon.h"

#include <gtest/gtest.h>

namespace quirlwerk::ui {
namespace {

TEST(ApplicationIcon, has_a_drawn_picture_at_each_size)
{
    const QIcon icon = applicationIcon();
    for (const int size : applicationIconSizes) {
        SCOPED_TRACE(size);
        // A missing resource still gives a QIcon, but no pixmap.
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        // Not blank: the corner is transparent, the middle is not.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
}

} // namespace
} // namespace quirlwerk::ui
