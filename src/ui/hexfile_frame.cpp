// The hex-file frame: its controls at their design places, the file dialog, and the conversion's front end.
#include "ui/hexfile_frame.h"

#include "common/failure.h"
#include "hexfile/hex_file.h"
#include "ui/dialogs.h"
#include "ui/file_drop.h"
#include "ui/focus_colours.h"
#include "ui/main_layout.h"
#include "ui/qt_text.h"
#include "ui/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace quirlwerk::ui {

HexFileFrame::HexFileFrame(Dialogs& dialogs, QWidget* parent) : QFrame(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frameDatei"));
    buildControls();
    connectHandlers();
}

void HexFileFrame::buildControls()
{
    placeTwips(*this, {5100, 540, 5955, 3975});
    lblDateiIn = makeNamed<QLabel>("lblDateiIn", QStringLiteral("Input: Datei mit HEX-Zeichen"), this);
    placeTwips(*lblDateiIn, {120, 60, 2070, 195}, Fit::Text);
    txtDateiIn = makeNamed<QLineEdit>("txtDateiIn", this);
    placeTwips(*txtDateiIn, {120, 300, 5295, 315});
    cmdFile = makeNamed<QPushButton>("cmdFile", this);
    cmdFile->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    cmdFile->setIconSize(QSize(16, 16));
    cmdFile->setAccessibleName(QStringLiteral("Datei auswählen"));
    cmdFile->setToolTip(QStringLiteral("Datei auswählen"));
    placeTwips(*cmdFile, {5460, 300, 375, 315});
    lblDateiOut = makeNamed<QLabel>("lblDateiOut", QStringLiteral("Output: Binärdatei"), this);
    placeTwips(*lblDateiOut, {120, 900, 1275, 195}, Fit::Text);
    txtDateiOut = makeNamed<QLineEdit>("txtDateiOut", this);
    placeTwips(*txtDateiOut, {120, 1140, 5595, 315});
    cmdDateiConv = makeNamed<QPushButton>("cmdDateiConv", QStringLiteral("Binärdatei schreiben"), this);
    placeTwips(*cmdDateiConv, {120, 1740, 2595, 375});
    lblDateiMeldung = makeNamed<QLabel>("lblDateiMeldung", this);
    lblDateiMeldung->setTextFormat(Qt::PlainText);   // the output name as typed, even with angle brackets
    placeTwips(*lblDateiMeldung, {120, 2520, 5625, 255});
    for (QLineEdit* field : {txtDateiIn, txtDateiOut})
        installFocusColours(field);
    // The labels name the fields for screen readers.
    lblDateiIn->setBuddy(txtDateiIn);
    lblDateiOut->setBuddy(txtDateiOut);
}

void HexFileFrame::applyLayout(const HexFileGeometry& geometry)
{
    placeTwips(*txtDateiIn, geometry.txtDateiIn);
    placeTwips(*cmdFile, geometry.cmdFile);
    placeTwips(*txtDateiOut, geometry.txtDateiOut);
    placeTwips(*lblDateiMeldung, geometry.lblDateiMeldung);
}

void HexFileFrame::connectHandlers()
{
    connect(cmdDateiConv, &QPushButton::clicked, this, &HexFileFrame::cmdDateiConv_Click);
    connect(cmdFile, &QPushButton::clicked, this, &HexFileFrame::cmdFile_Click);
    connect(txtDateiIn, &QLineEdit::textChanged, this, &HexFileFrame::txtDateiIn_Change);
    connect(txtDateiOut, &QLineEdit::textChanged, this, &HexFileFrame::txtDateiOut_Change);
    // The conversion runs to its end without yielding, so a drop never meets a run under way.
    acceptFileDrops(txtDateiIn, [] { return true; }, [this](const QString& file) { txtDateiIn->setText(file); });
}

QWidget* HexFileFrame::firstField() const
{
    return txtDateiIn;
}

void HexFileFrame::clearMessage()
{
    lblDateiMeldung->clear();
}

// A result belongs to the names it was made from.
void HexFileFrame::txtDateiIn_Change()
{
    clearMessage();
}

void HexFileFrame::txtDateiOut_Change()
{
    clearMessage();
}

void HexFileFrame::cmdDateiConv_Click()
{
    ConvertHexFile();
}

void HexFileFrame::ConvertHexFile()
{
    DialogReporter reporter(m_dialogs, this);
    const hexfile::HexFileResult result =
        hexfile::ConvertHexFile(toText(txtDateiIn->text()), toText(txtDateiOut->text()), reporter);
    if (result.label)
        lblDateiMeldung->setText(toQString(*result.label));
    if (result.focus == hexfile::NameField::Input)
        txtDateiIn->setFocus();
    else if (result.focus == hexfile::NameField::Output)
        txtDateiOut->setFocus();
}

void HexFileFrame::cmdFile_Click()
{
    try {
        const QString chosen =
            m_dialogs.chooseOpenFile(this, QStringLiteral("Öffnen"), QCoreApplication::applicationDirPath(),
                                     {QStringLiteral("*.txt"), QStringLiteral("*.*")});
        if (!chosen.isEmpty())
            txtDateiIn->setText(chosen);
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, {common::Icon::Critical,
                                     u"cmdFile_Click() - Fehler aufgetreten: " + common::describe(failure)});
    }
}

} // namespace quirlwerk::ui
