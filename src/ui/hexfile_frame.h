// The hex-file frame of the main window (mode 5): two file names and the button that writes the binary file.
#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quirlwerk::ui {

class Dialogs;
struct HexFileGeometry;

class HexFileFrame : public QFrame {
    Q_OBJECT
public:
    HexFileFrame(Dialogs& dialogs, QWidget* parent);

    // A mode command empties the message label.
    void clearMessage();
    // The field the frame starts with: a mode change puts the focus there.
    QWidget* firstField() const;
    // The places the main window's resize rules give the fields, the folder button and the message.
    void applyLayout(const HexFileGeometry& geometry);

private:
    void buildControls();
    void connectHandlers();

    void cmdDateiConv_Click();
    void cmdFile_Click();
    void txtDateiIn_Change();
    void txtDateiOut_Change();
    void ConvertHexFile();

    Dialogs& m_dialogs;

    QLabel* lblDateiIn = nullptr;
    QLineEdit* txtDateiIn = nullptr;
    QPushButton* cmdFile = nullptr;
    QLabel* lblDateiOut = nullptr;
    QLineEdit* txtDateiOut = nullptr;
    QPushButton* cmdDateiConv = nullptr;
    QLabel* lblDateiMeldung = nullptr;
};

} // namespace quirlwerk::ui
