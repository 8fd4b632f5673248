// The main window: start-up, menus and modes, the direction buttons, closing, and the resize rules.
#include "ui/frmMain.h"

#include "common/failure.h"
#include "conversions/morse.h"
#include "ui/coordinate_line.h"
#include "ui/dialogs.h"
#include "ui/frmAlle.h"
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

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace quirlwerk::ui {

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
    delete m_alle;
}

void frmMain::buildMenus()
{
    QMenu* mnuDatei = named(menuBar()->addMenu(QStringLiteral("&Datei")), "mnuDatei");
    named(mnuDatei->addAction(QStringLiteral("E&xit"), this, &frmMain::mnuExit_Click), "mnuExit");

    // The table gives each mode its menu and its place there.
    auto addModes = [this](QMenu* menu, conversions::ModeMenu which) {
        std::vector<const conversions::ModeRow*> rows;
        for (const conversions::ModeRow& row : conversions::modeTable) {
            if (row.menu == which)
                rows.push_back(&row);
        }
        std::ranges::sort(rows, {}, &conversions::ModeRow::menuPosition);
        for (const conversions::ModeRow* row : rows) {
            const conversions::Mode mode = row->mode;
            named(menu->addAction(toQString(row->menuCaption), this, [this, mode] { chooseMode(mode); }),
                  row->menuItem.data());   // the names are literals, so they end in a zero
        }
    };
    addModes(named(menuBar()->addMenu(QStringLiteral("&Konvertierungen")), "mnuConv"), conversions::ModeMenu::Conversions);
    QMenu* mnuSonstiges = named(menuBar()->addMenu(QStringLiteral("&Sonstiges")), "mnuSonstiges");
    addModes(mnuSonstiges, conversions::ModeMenu::Other);
    named(mnuSonstiges->addAction(QStringLiteral("&Alle Umwandlungen …"), this, &frmMain::mnuAlle_Click), "mnuAlle");

    QMenu* mnuHilfe = named(menuBar()->addMenu(QStringLiteral("Hilfe")), "mnuHilfe");
    named(mnuHilfe->addAction(QStringLiteral("Allgemeines"), this, &frmMain::mnuHilfeAllg_Click), "mnuHilfeAllg");
    QAction* mnuHilfeKonvert = named(mnuHilfe->addAction(QStringLiteral("Hilfe zur Konvertierung"), this,
                                                         &frmMain::mnuHilfeKonvert_Click), "mnuHilfeKonvert");
    // F1 in every window of the program: the matrix and colour table windows belong to the active mode too.
    mnuHilfeKonvert->setShortcut(QKeySequence(Qt::Key_F1));
    mnuHilfeKonvert->setShortcutContext(Qt::ApplicationShortcut);
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

    // Last in the tab order; it follows the shown frame's text, after the frames' own handlers have run.
    lineKoordinaten = new CoordinateLine(client);
    connect(txtOut, &QPlainTextEdit::textChanged, this, &frmMain::scanShownText);
    for (const char* run : {"cmdDateiConv", "cmdBildKonv", "cmdBildDatei"})
        connect(findChild<QPushButton*>(run), &QPushButton::clicked, this, &frmMain::scanShownText);
}

void frmMain::Form_Load()
{
    try {
        setWindowTitle(QStringLiteral("Quirlwerk   Version %1.%2.%3").arg(versionMajor).arg(versionMinor).arg(versionRevision));
        setHeading(toQString(conversions::modeRow(conversions::Mode::GeoCode).heading));
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
        m_glob.ConversionMode = conversions::Mode::GeoCode;
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
        if (m_alle)
            m_alle->close();
        frameBild->closeWindows();
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, {common::Icon::Exclamation, u"Fehler: " + common::describe(failure)});
    }
}

void frmMain::mnuExit_Click()
{
    m_terminate();
}

void frmMain::chooseMode(conversions::Mode mode)
{
    using conversions::ModeFrame;
    const conversions::ModeRow& command = conversions::modeRow(mode);
    m_glob.ConversionMode = mode;
    setHeading(toQString(command.heading));
    frameBild->setVisible(command.frame == ModeFrame::Picture);
    frameConv->setVisible(command.frame == ModeFrame::Text);
    frameDatei->setVisible(command.frame == ModeFrame::HexFile);
    matrixWindow().setVisible(mode == conversions::Mode::MatrixText);
    // Typing goes on in the frame now shown, never in a field just hidden.
    QWidget* first = command.frame == ModeFrame::Text      ? static_cast<QWidget*>(txtIn)
                     : command.frame == ModeFrame::HexFile ? frameDatei->firstField()
                                                           : frameBild->firstField();
    first->setFocus(Qt::OtherFocusReason);
    if (command.frame == ModeFrame::Text) {
        cmdDecrypt->setText(toQString(command.decryptCaption));
        cmdCrypt->setVisible(!command.cryptCaption.empty());
        if (!command.cryptCaption.empty())
            cmdCrypt->setText(toQString(command.cryptCaption));
    } else {
        frameDatei->clearMessage();
        frameBild->clearMessage();
    }
    scanShownText();
}

void frmMain::openFile(const QString& file)
{
    chooseMode(conversions::Mode::Picture);
    frameBild->openFile(file);
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
        m_matrix = new frmMatrixProj(m_dialogs, this);
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
    // Before start-up has set a mode, the general page.
    const conversions::ModeRow* row = conversions::findMode(m_glob.ConversionMode);
    showHelp(row ? row->helpTopic : 0);
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

void frmMain::mnuAlle_Click()
{
    if (!m_alle) {
        // A reading taken over continues in its mode as if its button had been pressed; a dialect has no
        // button, so its reading is shown as it was read, in the Brainfuck mode.
        const auto apply = [this](const readings::Reading& reading) {
            chooseMode(reading.mode);
            conversions::Shown read;
            read.text = reading.text;
            if (!reading.dialect.empty())
                showResult(read);
            else
                runDirection(reading.direction == readings::Direction::Crypt ? &conversions::runCrypt
                                                                             : &conversions::runDecrypt);
        };
        m_alle = new frmAlle(*txtIn, [this] { return matrixWindow().definition(); }, apply, nullptr);
        m_alle->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_alle->show();
    m_alle->raise();
    m_alle->activateWindow();
}

frmAlle* frmMain::readingsWindow() const
{
    return m_alle;
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
    // Counted in the field's own characters, before its line breaks become CR LF.
    const auto characters = static_cast<std::size_t>(std::max(txtIn->document()->characterCount() - 1, 0));
    if (const auto refused = conversions::refuseInput(characters, conversions::InputUnit::Characters)) {
        showResult(*refused);
        return;
    }
    conversions::Shown shown;
    {
        const WaitCursor busy;
        shown = run(m_glob.ConversionMode, txtIn->text(), dispatchContext());
    }
    showResult(shown);
}

void frmMain::scanShownText()
{
    const conversions::ModeRow* mode = conversions::findMode(m_glob.ConversionMode);   // none before start-up
    QString shown;
    switch (mode ? mode->frame : conversions::ModeFrame::Text) {
    case conversions::ModeFrame::Text: shown = txtOut->toPlainText(); break;
    case conversions::ModeFrame::HexFile: shown = frameDatei->findChild<QLabel*>("lblDateiMeldung")->text(); break;
    case conversions::ModeFrame::Picture: shown = frameBild->findChild<QLabel*>("lblBildInfoWert")->toolTip(); break;
    }
    const bool wasShown = lineKoordinaten->isVisibleTo(client);
    lineKoordinaten->showFinds(toText(shown));
    if (lineKoordinaten->isVisibleTo(client) != wasShown)
        Form_Resize();
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
        // A shown coordinate line takes its height from the bottom; the frames are laid out in the rest.
        const QSize line(0, lineKoordinaten->isVisibleTo(client) ? lineKoordinaten->sizeHint().height() : 0);
        lineKoordinaten->setGeometry(0, client->height() - line.height(), client->width(), line.height());
        const MainLayout layout =
            layoutMainWindow(toTwips(frameGeometry().size() - line), toTwips(client->size() - line), headerWidth);
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

} // namespace quirlwerk::ui
