// Every message box and file dialog goes through here, so that tests can answer them.
#pragma once

#include "common/report.h"
#include "ui/wait_cursor.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

namespace quirlwerk::ui {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Modal to the parent's window; returns the button pressed.
    virtual QMessageBox::StandardButton showMessage(QWidget* parent, const common::Message& message,
                                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;

    // The chosen file, or an empty text when the user cancelled.
    virtual QString chooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                   const QStringList& filters) = 0;
    // The name to save under, or an empty text when the user cancelled. The dialog asks nothing about an
    // existing file: the program asks its own question.
    virtual QString chooseSaveFile(QWidget* parent, const QString& title, const QString& folder,
                                   const QStringList& filters) = 0;
};

// Loads Qt's German texts (standard buttons, Qt's own file dialog) whatever the desktop's language;
// false when the translation is not installed, and Qt's English texts stay.
bool installGermanQtTexts();

// The box QtDialogs shows for a message, not yet shown.
std::unique_ptr<QMessageBox> messageBox(QWidget* parent, const common::Message& message,
                                        QMessageBox::StandardButtons buttons);

// The program's own: QMessageBox and QFileDialog.
class QtDialogs final : public Dialogs {
public:
    QMessageBox::StandardButton showMessage(QWidget* parent, const common::Message& message,
                                            QMessageBox::StandardButtons buttons) override;
    QString chooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                           const QStringList& filters) override;
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& folder,
                           const QStringList& filters) override;
};

// The core's reporter for a window: boxes through the dialogs, questions as Yes/No, repaints on yield, and the
// wait cursor while busy.
class DialogReporter : public common::Reporter {
public:
    DialogReporter(Dialogs& dialogs, QWidget* parent) : m_dialogs(dialogs), m_parent(parent) {}
    void show(const common::Message& message) override;
    bool askYesNo(const common::Message& question) override;
    void yield() override;
    void setBusy(bool busy) override;

private:
    Dialogs& m_dialogs;
    QWidget* m_parent;
    std::optional<WaitCursor> m_busy;
};

} // namespace quirlwerk::ui
