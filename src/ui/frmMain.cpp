// The main window: start-up, menus and modes, the direction buttons, closing, and the resize rules.
#include "ui/frmMain.h"

#include "common/failure.h"
#include "conversions/morse.h"
#include "ui/dialogs.h"
#include "ui/frmHilfe.h"
#include "ui/frmMatrixProj.h"
#include "ui/hexfile_frame.h"
#include "ui/image_frame.h"
#include "ui/main_layout.h"
#include "ui/qt_text.h"
#include "ui/text_field.h"
#include "ui/wait_cursor.h"
#include "ui/window_position.h"
#include "version.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace quirlwerk::ui {
namespace {

enum class ModeFrame { Conv, Datei, Bild };

struct ModeCommand {
    int mode;
    const char* menuItem;
    TextView caption;
    TextView heading;
    ModeFrame frame;
    TextView decryptCaption;   // empty: the mode has its own frame, the buttons stay as they are
    TextView cryptCaption;     // empty: cmdCrypt hidden
};

const ModeCommand& modeCommand(int mode);   // the table at the end of this file

// The order of the items in the two conversion menus.
constexpr int conversionMenu[] = {1, 2, 3, 4, 6, 10, 7, 8, 9};
constexpr int otherMenu[] = {5, 11};

} // namespace

frmMain::frmMain(GlobData& glob, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_glob(glob), m_dialogs(dialogs), m_terminate([] {
          // Ends at once, as the menu promises: no closing steps, no saved positions, no run left to finish.
          std::_Exit(EXIT_SUCCESS);
      })
{
    setObjectName(QStringLiteral("frmMain"));
    QFont designFont = font();
    designFont.setPixelSize(11);
    setFont(designFont);
    buildMenus();
    buildFrames();
    resize(toPixels(designClientSize) + QSize(0, menuBar()->sizeHint().height()));
    setMinimumSize(toPixels(minimumOuterSize));
    Form_Load();
    Form_Resize();
}

frmMain::~frmMain()
{
    // The matrix window has no parent, so that it stands beside this one; it goes with this window.
    delete m_matrix;
}

void frmMain::buildMenus()
{
    QMenu* mnuDatei = named(menuBar()->addMenu(QStringLiteral("&Datei")), "mnuDatei");
    named(mnuDatei->addAction(QStringLiteral("E&xit"), this, &frmMain::mnuExit_Click), "mnuExit");

    auto addModes = [this](QMenu* menu, const auto& modes) {
        for (const int mode : modes) {
            const ModeCommand& command = modeCommand(mode);
            named(menu->addAction(toQString(command.caption), this, [this, mode] { chooseMode(mode); }), command.menuItem);
        }
    };
    addModes(named(menuBar()->addMenu(QStringLiteral("&Konvertierungen")), "mnuConv"), conversionMenu);
    addModes(named(menuBar()->addMenu(QStringLiteral("&Sonstiges")), "mnuSonstiges"), otherMenu);

    QMenu* mnuHilfe = named(menuBar()->addMenu(QStringLiteral("Hilfe")), "mnuHilfe");
    named(mnuHilfe->addAction(QStringLiteral("Allgemeines"), this, &frmMain::mnuHilfeAllg_Click), "mnuHilfeAllg");
    named(mnuHilfe->addAction(QStringLiteral("Hilfe zur Konvertierung"), this, &frmMain::mnuHilfeKonvert_Click),
          "mnuHilfeKonvert");
}

void frmMain::buildFrames()
{
    client = named(new QWidget(this), "client");
    setCentralWidget(client);
    client->installEventFilter(this);

    frameMask = named(new QFrame(client), "frameMask");
    lblHeader = named(new QLabel(frameMask), "lblHeader");
    QFont bold = lblHeader->font();
    bold.setBold(true);
    lblHeader->setFont(bold);

    // Created in the order the Tab key visits them.
    frameConv = named(new QFrame(frameMask), "frameConv");
    lblTextIn = named(new QLabel(QStringLiteral("Text Eingabe"), frameConv), "lblTextIn");
    txtIn = named(new TextField(frameConv), "txtIn");
    cmdDecrypt = named(new QPushButton(QStringLiteral("Ver- / Entschlüsseln"), frameConv), "cmdDecrypt");
    cmdCrypt = named(new QPushButton(frameConv), "cmdCrypt");
    cmdCrypt->hide();
    lblTextOut = named(new QLabel(QStringLiteral("Text Ausgabe"), frameConv), "lblTextOut");
    txtOut = named(new TextField(frameConv), "txtOut");
    // The labels name the fields for screen readers.
    lblTextIn->setBuddy(txtIn);
    lblTextOut->setBuddy(txtOut);

    frameDatei = new HexFileFrame(m_dialogs, frameMask);
    frameBild = new ImageFrame(m_glob, m_dialogs, client);
    frameBild->raise();

    connect(cmdDecrypt, &QPushButton::clicked, this, &frmMain::cmdDecrypt_Click);
    connect(cmdCrypt, &QPushButton::clicked, this, &frmMain::cmdCrypt_Click);
}

void frmMain::Form_Load()
{
    try {
        setWindowTitle(QStringLiteral("Quirlwerk   Version %1.%2.%3").arg(versionMajor).arg(versionMinor).arg(versionRevision));
        setHeading(toQString(modeCommand(1).heading));
        // A damaged value must not leave the window half started: say so, use the default, go on.
        const QPoint stored = readStoredPosition(QStringLiteral("MainLeft"), QStringLiteral("MainTop"),
                                                 defaultPositionTwips, [this](const Text& description) {
                                                     m_dialogs.showMessage(this, {common::Icon::Exclamation,
                                                                                  u"Fehler: " + description});
                                                 });
        moveToTwips(*this, clampToScreen(stored, outerSizeTwips(*this), screenSizeTwips(*this)));
        // The frames' places come from the layout; here they lose their borders and the other two hide.
        for (QFrame* frame : {frameConv, static_cast<QFrame*>(frameDatei), static_cast<QFrame*>(frameBild)})
            frame->setFrameShape(QFrame::NoFrame);
        frameDatei->hide();
        frameBild->hide();
        frameBild->startUp();
        if (const auto failure = conversions::FillMorse())
            m_dialogs.showMessage(this, *failure);
        m_glob.ConversionMode = 1;
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, {common::Icon::Exclamation, u"Fehler: " + common::describe(failure)});
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void frmMain::Form_Unload()
{
    try {
        const QPoint position = positionTwips(*this);
        writeStoredTwips(QStringLiteral("MainLeft"), position.x());
        writeStoredTwips(QStringLiteral("MainTop"), position.y());
        if (m_matrix)
            m_matrix->close();
        frameBild->closeWindows();
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, {common::Icon::Exclamation, u"Fehler: " + common::describe(failure)});
    }
}

void frmMain::mnuExit_Click()
{
    m_terminate();
}

void frmMain::chooseMode(int mode)
{
    const ModeCommand& command = modeCommand(mode);
    m_glob.ConversionMode = mode;
    setHeading(toQString(command.heading));
    frameBild->setVisible(command.frame == ModeFrame::Bild);
    frameConv->setVisible(command.frame == ModeFrame::Conv);
    frameDatei->setVisible(command.frame == ModeFrame::Datei);
    matrixWindow().setVisible(mode == 8);
    if (command.frame == ModeFrame::Conv) {
        cmdDecrypt->setText(toQString(command.decryptCaption));
        cmdCrypt->setVisible(!command.cryptCaption.empty());
        if (!command.cryptCaption.empty())
            cmdCrypt->setText(toQString(command.cryptCaption));
    } else {
        frameDatei->clearMessage();
        frameBild->clearMessage();
    }
}

void frmMain::setHeading(const QString& heading)
{
    lblHeader->setText(heading);
    // The heading is as wide as its text and stays centred.
    Form_Resize();
}

frmMatrixProj& frmMain::matrixWindow()
{
    if (!m_matrix) {
        m_matrix = new frmMatrixProj(m_dialogs);
        // Closed, the window is discarded: the next need creates it again with the initial definition.
        connect(m_matrix, &frmMatrixProj::closed, this, [this] { m_matrix = nullptr; });
    }
    return *m_matrix;
}

frmMatrixProj* frmMain::existingMatrixWindow() const
{
    return m_matrix;
}

frmHilfe* frmMain::helpWindow() const
{
    return m_help;
}

void frmMain::mnuHilfeAllg_Click()
{
    showHelp(0);
}

void frmMain::mnuHilfeKonvert_Click()
{
    showHelp(m_glob.ConversionMode);
}

void frmMain::showHelp(int topic)
{
    m_glob.HilfeThema = topic;
    if (!m_help) {
        m_help = new frmHilfe(m_glob);
        connect(m_help, &frmHilfe::closed, this, [this] { m_help = nullptr; });
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
    m_help->SetHilfeText();
}

conversions::DispatchContext frmMain::dispatchContext()
{
    conversions::DispatchContext context;
    context.matrix = [this]() -> const conversions::MatrixDefinition& { return matrixWindow().definition(); };
    return context;
}

void frmMain::cmdDecrypt_Click()
{
    runDirection(&conversions::runDecrypt);
}

void frmMain::cmdCrypt_Click()
{
    runDirection(&conversions::runCrypt);
}

void frmMain::runDirection(Direction run)
{
    conversions::Shown shown;
    {
        const WaitCursor busy;
        shown = run(m_glob.ConversionMode, txtIn->text(), dispatchContext());
    }
    showResult(shown);
}

void frmMain::showResult(const conversions::Shown& shown)
{
    // The routine's own message comes before the output appears.
    if (shown.failure)
        m_dialogs.showMessage(this, *shown.failure);
    if (!shown.keepOutput)
        txtOut->setText(shown.text);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Form_Resize()
{
    if (isMinimized())
        return;
    try {
        // The minimum is for the outer size; the window manager's frame is not part of the widget.
        const QSize frame = frameGeometry().size() - size();
        const QSize minimum = toPixels(minimumOuterSize) - frame;
        if (minimumSize() != minimum)
            setMinimumSize(minimum);
        const double headerWidth = (lblHeader->fontMetrics().horizontalAdvance(lblHeader->text()) + 4) * twipsPerPixel;
        const MainLayout layout = layoutMainWindow(toTwips(frameGeometry().size()), toTwips(client->size()), headerWidth);
        placeTwips(*frameMask, layout.frameMask);
        placeTwips(*lblHeader, layout.lblHeader);
        placeTwips(*frameConv, layout.frameConv);
        // The two field labels are at least as wide as their captions in this font.
        placeTwips(*lblTextIn, layout.lblTextIn, Fit::Text);
        placeTwips(*txtIn, layout.txtIn);
        placeTwips(*cmdDecrypt, layout.cmdDecrypt);
        placeTwips(*cmdCrypt, layout.cmdCrypt);
        placeTwips(*lblTextOut, layout.lblTextOut, Fit::Text);
        placeTwips(*txtOut, layout.txtOut);
        placeTwips(*frameDatei, layout.frameDatei);
        frameDatei->applyLayout(layout.datei);
        placeTwips(*frameBild, layout.frameBild);
        frameBild->placeInfoLine(layout.lblBildInfoWert);
    } catch (const std::exception&) {
        m_dialogs.showMessage(this, {common::Icon::Critical, u"Fehler bei Resize"});
    }
}

namespace {

constexpr std::array<ModeCommand, 11> modeCommands = {{
    {1, "mnuGeoCode", u"&GeoCode", u"Konvertierung: GeoCode-Umwandlung", ModeFrame::Conv, u"Ver- / Entschlüsseln", u""},
    {2, "mnuAscText", u"&ASCII <-> Text", u"Konvertierung: Umwandlung ASCII-Zahlen in Text / Text in ASCII-Zahlen",
     ModeFrame::Conv, u"ASCII --> Text umwandeln", u"Text --> ASCII umwandeln"},
    {3, "mnuOok", u"&Ook! --> Text", u"Konvertierung: OOK! OOK? entschlüsseln", ModeFrame::Conv,
     u"OOK!? --> Text entschlüsseln", u""},
    {4, "mnuBrainfuck", u"&Brainfuck --> Text", u"Konvertierung: Brainfuck entschlüsseln", ModeFrame::Conv,
     u"Brainfuck --> Text entschlüsseln", u""},
    {5, "mnuHexDatei", u"&Hex-Datei speichern", u"Sonstiges: Datei mit HEX-Zeichen in Binärdatei umwandeln",
     ModeFrame::Datei, u"", u""},
    {6, "mnuBuchstabe", u"Bu&chstaben zählen", u"Buchstaben der Wörter zählen und Zahlen in 0/1 umwandeln",
     ModeFrame::Conv, u"Buchstaben zählen", u""},
    {7, "mnuBinaer", u"B&inär 01 --> HEX", u"01-Folge in 8ter Gruppen aufteilen und in HEX-Zahlen umwandeln",
     ModeFrame::Conv, u"01-Folge --> HEX / Text", u""},
    {8, "mnuMatrixText", u"Matri&x <-> Text", u"Konvertierung: Umwandlung Matrixzahlen in Text / Text in Matrixzahlen",
     ModeFrame::Conv, u"Matrixzahlen --> Text", u"Text --> Matrixzahlen"},
    {9, "mnuMorsen", u"&Morsen <-> Text",
     u"Konvertierung: Morsezeichen entschlüssen / Text in Morsezeichen umwandeln", ModeFrame::Conv,
     u"Morsezeichen --> Text", u"Text --> Morsezeichen"},
    {10, "mnuBuchstZahl", u"Buchstaben <--> &Zahlen (BWW, Scrabble)",
     u"Buchstaben pro Zeile in Zahl im Alphabet umwandeln und summieren (BWW und Scrabble)", ModeFrame::Conv,
     u"Buchstabe --> Zahl", u"Zahl --> Buchstabe"},
    {11, "mnuBildKonvert", u"&Bild konvertieren", u"Sonstiges: BMP-Datei mit 256 Farben konvertieren", ModeFrame::Bild,
     u"", u""},
}};

const ModeCommand& modeCommand(int mode)
{
    return modeCommands.at(static_cast<std::size_t>(mode - 1));
}

} // namespace
} // namespace quirlwerk::ui
