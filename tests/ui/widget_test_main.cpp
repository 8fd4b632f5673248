// Entry of the widget tests: offscreen platform unless one is set, settings in a throw-away folder.
#include "ui/dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quirlwerk"));
    QApplication::setApplicationName(QStringLiteral("Quirlwerk"));
    // As the program does: Qt's own buttons and dialogs speak German.
    if (!quirlwerk::ui::installGermanQtTexts()) {
        std::fprintf(stderr, "qtbase_de.qm fehlt (Paket qt6-translations-l10n)\n");
        return 1;
    }

    QTemporaryDir settingsFolder;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
