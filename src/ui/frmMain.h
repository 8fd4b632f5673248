// The main window: heading, the three mode frames, and the direction buttons of the text conversions.
#pragma once

#include "ui/GlobData.h"

#include <QMainWindow>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quirlwerk::ui {

class Dialogs;
class HexFileFrame;
class ImageFrame;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(GlobData& glob, Dialogs& dialogs, QWidget* parent = nullptr);

    void cmdDecrypt_Click();
    void cmdCrypt_Click();

private:

    GlobData& m_glob;
    Dialogs& m_dialogs;

    QLabel* lblHeader = nullptr;
    QWidget* frameConv = nullptr;
    QPlainTextEdit* txtIn = nullptr;
    QPlainTextEdit* txtOut = nullptr;
    QPushButton* cmdDecrypt = nullptr;
    QPushButton* cmdCrypt = nullptr;
    HexFileFrame* frameDatei = nullptr;
    ImageFrame* frameBild = nullptr;
};

} // namespace quirlwerk::ui
