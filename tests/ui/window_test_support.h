// Shared by the window tests (it brings GoogleTest, QTest, the recorder and the widgets they use along): the
// settings store, finding and clicking controls, dropping files, and waiting for a window.
#pragma once

#include "find_control.h"
#include "recording_dialogs.h"
#include "temp_folder.h"
#include "ui/GlobData.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

namespace quirlwerk::ui::testing {

inline QSettings settingsStore()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Quirlwerk"), QStringLiteral("Quirlwerk"));
}

inline void storeSetting(const char* key, const QString& value)
{
    settingsStore().setValue(QStringLiteral("Settings/") + QLatin1String(key), value);
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

// Drags the files onto the control and drops them, as a file manager would; true when the drop was taken.
inline bool dropFiles(QWidget& target, const QStringList& files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files)
        urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    return drop.isAccepted();
}

inline void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace quirlwerk::ui::testing
