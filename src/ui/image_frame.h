// The image frame of the main window (mode 11).
#pragma once

#include <QFrame>

namespace quirlwerk::ui {

class Dialogs;
struct GlobData;

class ImageFrame : public QFrame {
    Q_OBJECT
public:
    ImageFrame(GlobData& glob, Dialogs& dialogs, QWidget* parent);

    // A mode command empties the message label.
    void clearMessage();
    // The main window closes: end a drawing run and close the colour table window.
    void closeWindows();

private:
    GlobData& m_glob;
    Dialogs& m_dialogs;
};

} // namespace quirlwerk::ui
