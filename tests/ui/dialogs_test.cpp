// Qt's own buttons speak German, as the rest of the program does; the application icon comes from the PNGs
// built into the program, one per size, each drawn at its size.
#include "ui/app_icon.h"
#include "ui/dialogs.h"

#include <gtest/gtest.h>

#include <QPushButton>

namespace quirlwerk::ui {
namespace {

TEST(GermanQtTexts, question_box_buttons)
{
    const auto box = messageBox(nullptr, {common::Icon::Question, u"Soll sie überschrieben werden?"},
                                QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Ja"));
    EXPECT_EQ(box->button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Nein"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);   // codes and names with angle brackets show as typed
}

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
