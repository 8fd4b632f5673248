// Qt's message boxes and file dialog behind the dialogs interface.
#include "ui/dialogs.h"

#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace quirlwerk::ui {
namespace {

QMessageBox::Icon qtIcon(common::Icon icon)
{
    switch (icon) {
    case common::Icon::Critical: return QMessageBox::Critical;
    case common::Icon::Exclamation: return QMessageBox::Warning;
    case common::Icon::Question: return QMessageBox::Question;
    case common::Icon::Information: return QMessageBox::Information;
    case common::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QMessageBox::StandardButton QtDialogs::showMessage(QWidget* parent, const common::Message& message,
                                                   QMessageBox::StandardButtons buttons)
{
    QMessageBox box(qtIcon(message.icon), toQString(message.title), toQString(message.text), buttons, parent);
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtDialogs::chooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                  const QStringList& filters)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filters.join(QStringLiteral(";;")));
}

void DialogReporter::show(const common::Message& message)
{
    m_dialogs.showMessage(m_parent, message);
}

bool DialogReporter::askYesNo(const common::Message& question)
{
    return m_dialogs.showMessage(m_parent, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void DialogReporter::yield()
{
    QCoreApplication::processEvents();
}

} // namespace quirlwerk::ui
