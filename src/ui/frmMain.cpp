// The main window (first cut: mode 1 with its text frame).
#include "ui/frmMain.h"

#include "conversions/dispatch.h"
#include "ui/dialogs.h"
#include "ui/hexfile_frame.h"
#include "ui/image_frame.h"
#include "ui/qt_text.h"
#include "version.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quirlwerk::ui {
namespace {

Text fieldText(const QPlainTextEdit& field)
{
    return withCrLf(toText(field.toPlainText()));
}

void setFieldText(QPlainTextEdit& field, TextView text)
{
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    field.setPlainText(shown);
}

} // namespace

frmMain::frmMain(GlobData& glob, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_glob(glob), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quirlwerk   Version %1.%2.%3").arg(versionMajor).arg(versionMinor).arg(versionRevision));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    lblHeader = new QLabel(QStringLiteral("Konvertierung: GeoCode-Umwandlung"), central);
    lblHeader->setObjectName(QStringLiteral("lblHeader"));
    layout->addWidget(lblHeader);

    frameConv = new QWidget(central);
    frameConv->setObjectName(QStringLiteral("frameConv"));
    auto* convLayout = new QVBoxLayout(frameConv);
    txtIn = new QPlainTextEdit(frameConv);
    txtIn->setObjectName(QStringLiteral("txtIn"));
    cmdDecrypt = new QPushButton(QStringLiteral("Ver- / Entschlüsseln"), frameConv);
    cmdDecrypt->setObjectName(QStringLiteral("cmdDecrypt"));
    cmdCrypt = new QPushButton(frameConv);
    cmdCrypt->setObjectName(QStringLiteral("cmdCrypt"));
    cmdCrypt->hide();
    txtOut = new QPlainTextEdit(frameConv);
    txtOut->setObjectName(QStringLiteral("txtOut"));
    convLayout->addWidget(txtIn);
    convLayout->addWidget(cmdDecrypt);
    convLayout->addWidget(cmdCrypt);
    convLayout->addWidget(txtOut);
    layout->addWidget(frameConv);

    frameDatei = new HexFileFrame(m_dialogs, central);
    frameDatei->hide();
    frameBild = new ImageFrame(m_glob, m_dialogs, central);
    frameBild->hide();
    setCentralWidget(central);

    connect(cmdDecrypt, &QPushButton::clicked, this, &frmMain::cmdDecrypt_Click);
    connect(cmdCrypt, &QPushButton::clicked, this, &frmMain::cmdCrypt_Click);
    m_glob.ConversionMode = 1;
}

void frmMain::cmdDecrypt_Click()
{
    const conversions::Shown shown = conversions::runDecrypt(m_glob.ConversionMode, fieldText(*txtIn), {});
    if (shown.failure)
        m_dialogs.showMessage(this, *shown.failure);
    if (!shown.keepOutput)
        setFieldText(*txtOut, shown.text);
}

void frmMain::cmdCrypt_Click()
{
    const conversions::Shown shown = conversions::runCrypt(m_glob.ConversionMode, fieldText(*txtIn), {});
    if (shown.failure)
        m_dialogs.showMessage(this, *shown.failure);
    if (!shown.keepOutput)
        setFieldText(*txtOut, shown.text);
}

} // namespace quirlwerk::ui
