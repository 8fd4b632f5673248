// Shared by the window tests (it brings GoogleTest and QTest along): the settings store, finding and
// clicking controls, and waiting for a window.
#pragma once

#include "find_control.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTest>
#include <QWidget>

namespace quirlwerk::ui::testing {

inline QSettings settingsStore()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Quirlwerk"), QStringLiteral("Quirlwerk"));
}

inline void storeSetting(const char* key, const QString& value)
{
    settingsStore().setValue(QStringLiteral("Settings/") + QLatin1String(key), value);
}

inline QString storedSetting(const char* key)
{
    return settingsStore().value(QStringLiteral("Settings/") + QLatin1String(key)).toString();
}

inline void clearSettings()
{
    settingsStore().clear();
}

// A control's text whatever its kind: fields, labels and buttons all have a "text" property.
inline QString textOf(const QWidget& window, const char* name)
{
    return control<QWidget>(window, name).property("text").toString();
}

inline void click(const QWidget& window, const char* button)
{
    QTest::mouseClick(&control<QWidget>(window, button), Qt::LeftButton);
}

inline void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace quirlwerk::ui::testing
