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
    std::vector<QStringList> saveDialogFilters;
    std::vector<QString> fileDialogFolders;
    std::vector<QStringList> fileDialogFilters;
    std::function<void()> onShow;                      // notes the window's state while a box is up

    QMessageBox::StandardButton showMessage(QWidget*, const common::Message& message,
                                            QMessageBox::StandardButtons buttons) override
    {
        QWidget* focus = QApplication::focusWidget();
        messages.push_back({message, buttons, focus ? focus->objectName() : QString()});
        if (onShow)
            onShow();
        if (!answers.empty()) {
            const auto answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }

    QString chooseOpenFile(QWidget*, const QString&, const QString& folder, const QStringList& filters) override
    {
        fileDialogFolders.push_back(folder);
        fileDialogFilters.push_back(filters);
        if (files.empty())
            return {};
        QString file = files.front();
        files.pop_front();
        return file;
    }

    QString chooseSaveFile(QWidget*, const QString&, const QString&, const QStringList& filters) override
    {
        saveDialogFilters.push_back(filters);
        if (saveFiles.empty())
            return {};
        QString file = saveFiles.front();
        saveFiles.pop_front();
        return file;
    }

    QString lastText() const { return messages.empty() ? QString() : toQString(messages.back().message.text); }
};

} // namespace quirlwerk::ui::testing
