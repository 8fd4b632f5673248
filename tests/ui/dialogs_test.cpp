// Qt's own buttons speak German, as the rest of the program does.
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

} // namespace
} // namespace quirlwerk::ui
