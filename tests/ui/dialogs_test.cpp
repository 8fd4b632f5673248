// Qt's own buttons and dialogs speak German, as the rest of the program does.
#include "ui/dialogs.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

namespace quirlwerk::ui {
namespace {

TEST(GermanQtTexts, question_box_buttons)
{
    const auto box = messageBox(nullptr, {common::Icon::Question, u"Soll sie überschrieben werden?"},
                                QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Ja"));
    EXPECT_EQ(box->button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Nein"));
}

TEST(GermanQtTexts, qt_file_dialog)
{
    QFileDialog dialog(nullptr, QStringLiteral("Öffnen"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text().remove(u'&');
    EXPECT_EQ(labels, (QStringList{"Suchen in:", "Dateiname:", "Dateien des Typs:"}));
}

} // namespace
} // namespace quirlwerk::ui
