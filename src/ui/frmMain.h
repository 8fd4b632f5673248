// The main window: menus, heading, the three mode frames, the direction buttons of the text conversions,
// its position in the settings store, and the layout that follows its size.
#pragma once

#include "conversions/dispatch.h"
#include "ui/GlobData.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace quirlwerk::ui {

class CoordinateLine;
class Dialogs;
class HexFileFrame;
class ImageFrame;
class TextField;
class frmAlle;
class frmHilfe;
class frmMatrixProj;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(GlobData& glob, Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    // The direction buttons.
    void cmdDecrypt_Click();
    void cmdCrypt_Click();

    // The menu commands.
    void chooseMode(conversions::Mode mode);
    void mnuExit_Click();
    void mnuHilfeAllg_Click();
    void mnuHilfeKonvert_Click();
    // "quirlwerk FILE": the picture mode, showing the file as "Bild anzeigen" would.
    void openFile(const QString& file);
    void mnuAlle_Click();

    // "E&xit" ends the program through this at once; tests put a recorder in its place.
    void setTerminate(std::function<void()> terminate) { m_terminate = std::move(terminate); }

    // The matrix definition window, created hidden on first need.
    frmMatrixProj& matrixWindow();
    frmMatrixProj* existingMatrixWindow() const;
    frmHilfe* helpWindow() const;
    frmAlle* readingsWindow() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildFrames();
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void showHelp(int topic);
    void setHeading(const QString& heading);
    using Direction = conversions::Shown (*)(conversions::Mode mode, Text input, const conversions::DispatchContext& context);
    void runDirection(Direction run);
    void showResult(const conversions::Shown& shown);
    void scanShownText();
    conversions::DispatchContext dispatchContext();

    GlobData& m_glob;
    Dialogs& m_dialogs;
    std::function<void()> m_terminate;
    QPointer<frmMatrixProj> m_matrix;
    QPointer<frmHilfe> m_help;
    QPointer<frmAlle> m_alle;

    QWidget* client = nullptr;
    QFrame* frameMask = nullptr;
    QLabel* lblHeader = nullptr;
    QFrame* frameConv = nullptr;
    QLabel* lblTextIn = nullptr;
    TextField* txtIn = nullptr;
    QPushButton* cmdDecrypt = nullptr;
    QPushButton* cmdCrypt = nullptr;
    QLabel* lblTextOut = nullptr;
    TextField* txtOut = nullptr;
    HexFileFrame* frameDatei = nullptr;
    ImageFrame* frameBild = nullptr;
    CoordinateLine* lineKoordinaten = nullptr;
};

} // namespace quirlwerk::ui
