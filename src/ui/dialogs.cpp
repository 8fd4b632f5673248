// Qt's message boxes and file dialog behind the dialogs interface.
#include "ui/dialogs.h"

#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

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

bool installGermanQtTexts()
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    translator->setParent(QCoreApplication::instance());   // lives as long as the application
    return QCoreApplication::installTranslator(translator.release());
}

std::unique_ptr<QMessageBox> messageBox(QWidget* parent, const common::Message& message,
                                        QMessageBox::StandardButtons buttons)
{
    auto box = std::make_unique<QMessageBox>(qtIcon(message.icon), toQString(message.title), toQString(message.text),
                                             buttons, parent);
    // Names and codes from files are shown as they are, angle brackets and line breaks included.
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    return box;
}

QMessageBox::StandardButton QtDialogs::showMessage(QWidget* parent, const common::Message& message,
                                                   QMessageBox::StandardButtons buttons)
{
    return static_cast<QMessageBox::StandardButton>(messageBox(parent, message, buttons)->exec());
}

QString QtDialogs::chooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                  const QStringList& filters)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filters.join(QStringLiteral(";;")));
}

QString QtDialogs::chooseSaveFile(QWidget* parent, const QString& title, const QString& folder,
                                  const QStringList& filters)
{
    return QFileDialog::getSaveFileName(parent, title, folder, filters.join(QStringLiteral(";;")), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
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

void DialogReporter::setBusy(bool busy)
{
    if (busy)
        m_busy.emplace();
    else
        m_busy.reset();
}

} // namespace quirlwerk::ui
