// Quirlwerk: the main window is the whole start-up; a file named on the command line is shown at once.
#include "ui/GlobData.h"
#include "ui/app_icon.h"
#include "ui/dialogs.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QTimer>

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
    // "quirlwerk FILE", as a file manager's "Open with" starts it: the picture mode with the file shown.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        QTimer::singleShot(0, window, [window, file = arguments.at(1)] { window->openFile(file); });
    return QApplication::exec();
}
