// The hex-file frame of the main window (mode 5).
#pragma once

#include <QFrame>

namespace quirlwerk::ui {

class Dialogs;

class HexFileFrame : public QFrame {
    Q_OBJECT
public:
    HexFileFrame(Dialogs& dialogs, QWidget* parent);

    // A mode command empties the message label.
    void clearMessage();

private:
    Dialogs& m_dialogs;
};

} // namespace quirlwerk::ui
