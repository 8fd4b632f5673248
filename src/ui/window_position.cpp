// Reading, clamping and writing window positions.
#include "ui/window_position.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "ui/qt_text.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <cmath>

namespace quirlwerk::ui {
namespace {

QString settingsKey(const QString& key)
{
    return QStringLiteral("Settings/") + key;
}

QSettings store()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Quirlwerk"), QStringLiteral("Quirlwerk"));
}

} // namespace

std::int32_t readStoredTwips(const QString& key, std::int32_t defaultValue)
{
    const QString stored = store().value(settingsKey(key), QString::number(defaultValue)).toString();
    return common::wholeNumberValue(toText(stored));
}

void writeStoredTwips(const QString& key, std::int32_t value)
{
    store().setValue(settingsKey(key), QString::number(value));
}

QPoint readStoredPosition(const QString& leftKey, const QString& topKey, std::int32_t fallback,
                          const std::function<void(const Text& description)>& damaged)
{
    auto edge = [&](const QString& key) {
        try {
            return readStoredTwips(key);
        } catch (const std::exception& failure) {
            if (damaged)
                damaged(common::describe(failure));
            return fallback;
        }
    };
    const std::int32_t left = edge(leftKey);
    return {left, edge(topKey)};
}

QPoint clampToScreen(QPoint twips, QSize windowTwips, QSize screenTwips)
{
    auto clamp = [](int edge, int window, int screen) {
        if (edge < 0)
            edge = 0;
        if (edge > screen - window)
            edge = screen - window;
        return edge;
    };
    return {clamp(twips.x(), windowTwips.width(), screenTwips.width()),
            clamp(twips.y(), windowTwips.height(), screenTwips.height())};
}

QPoint besideWindow(QRect ownerTwips, QSize windowTwips, QSize screenTwips)
{
    const int ownerRight = ownerTwips.x() + ownerTwips.width();
    QPoint place(ownerTwips.x(), ownerTwips.y() + ownerTwips.height());
    if (ownerRight + windowTwips.width() <= screenTwips.width())
        place = {ownerRight, ownerTwips.y()};
    else if (ownerTwips.x() - windowTwips.width() >= 0)
        place = {ownerTwips.x() - windowTwips.width(), ownerTwips.y()};
    return clampToScreen(place, windowTwips, screenTwips);
}

bool hasStoredPosition(const QString& leftKey, const QString& topKey)
{
    const QSettings settings = store();
    return settings.contains(settingsKey(leftKey)) && settings.contains(settingsKey(topKey));
}

QSize outerSizeTwips(const QWidget& window)
{
    return window.frameGeometry().size() * twipsPerPixel;
}

QSize screenSizeTwips(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() * twipsPerPixel : QSize(1920, 1080) * twipsPerPixel;
}

QPoint positionTwips(const QWidget& window)
{
    return window.pos() * twipsPerPixel;
}

void moveToTwips(QWidget& window, QPoint twips)
{
    window.move(static_cast<int>(std::lround(twips.x() / double(twipsPerPixel))),
                static_cast<int>(std::lround(twips.y() / double(twipsPerPixel))));
}

} // namespace quirlwerk::ui
