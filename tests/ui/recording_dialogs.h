// A dialogs object for widget tests: records every box and answers from a script instead of blocking.
#pragma once

#include "ui/dialogs.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

namespace quirlwerk::ui::testing {

struct RecordedMessage {
    common::Message message;
    QMessageBox::StandardButtons buttons;
    QString focusAtShow;   // object name of the focus widget when the box appeared
};

class RecordingDialogs final : public Dialogs {
public:
    std::vector<RecordedMessage> messages;
    std::deque<QMessageBox::StandardButton> answers;   // next answers; Yes/Ok by default
    std::deque<QString> files;                         // next chosen files; empty = cancelled
    std::deque<QString> saveFiles;                     // next names to save under; empty = cancelled
    std::vector<QString> fileDialogFolders, saveDialogFolders;   // the save dialog's: the name it proposes
    std::vector<QStringList> fileDialogFilters, saveDialogFilters;
    std::function<void()> onShow;                      // notes the window's state while a box is up

    QMessageBox::StandardButton showMessage(QWidget*, const common::Message& message,
                                            QMessageBox::StandardButtons buttons) override
    {
        QWidget* focus = QApplication::focusWidget();
        messages.push_back({message, buttons, focus ? focus->objectName() : QString()});
        if (onShow)
            onShow();
        const auto fallback = buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        return next(answers, fallback);
    }
    QString chooseOpenFile(QWidget*, const QString&, const QString& folder, const QStringList& filters) override
    {
        fileDialogFolders.push_back(folder);
        fileDialogFilters.push_back(filters);
        return next(files, QString());
    }
    QString chooseSaveFile(QWidget*, const QString&, const QString& folder, const QStringList& filters) override
    {
        saveDialogFolders.push_back(folder);
        saveDialogFilters.push_back(filters);
        return next(saveFiles, QString());
    }
    QString lastText() const { return messages.empty() ? QString() : toQString(messages.back().message.text); }

private:
    template <typename T>
    static T next(std::deque<T>& script, T fallback)
    {
        if (script.empty())
            return fallback;
        T first = script.front();
        script.pop_front();
        return first;
    }
};

} // namespace quirlwerk::ui::testing
