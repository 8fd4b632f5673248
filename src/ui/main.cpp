// Quirlwerk: the main window is the whole start-up.
#include "ui/GlobData.h"
#include "ui/app_icon.h"
#include "ui/dialogs.h"
#include "ui/frmMain.h"

#include <QApplication>

#include <csignal>

int main(int argc, char** argv)
{
    std::signal(SIGXFSZ, SIG_IGN);   // past a file-size limit a write fails ("Datenträger voll") instead of killing us
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quirlwerk"));
    QApplication::setApplicationName(QStringLiteral("Quirlwerk"));
    QApplication::setDesktopFileName(QStringLiteral("org.quirlwerk.Quirlwerk"));
    QApplication::setWindowIcon(quirlwerk::ui::applicationIcon());
    quirlwerk::ui::installGermanQtTexts();

    quirlwerk::ui::GlobData glob;
    quirlwerk::ui::QtDialogs dialogs;
    auto* window = new quirlwerk::ui::frmMain(glob, dialogs);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return QApplication::exec();
}
