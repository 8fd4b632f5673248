// Window positions in the settings store: decimal twips under application "Quirlwerk", section "Settings".
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "common/text.h"
#include "ui/twips.h"

#include <cstdint>
#include <functional>

class QWidget;

namespace quirlwerk::ui {

inline constexpr std::int32_t defaultPositionTwips = 1000;

// The stored value of a key, or the default when the key is absent.
// A stored text that is not a number throws common::Failure (type mismatch or overflow).
std::int32_t readStoredTwips(const QString& key, std::int32_t defaultValue = defaultPositionTwips);
void writeStoredTwips(const QString& key, std::int32_t value);

// A window's stored left and top edges. An edge whose stored text is not a number becomes `fallback`;
// `damaged`, when given, hears the failure's description first.
QPoint readStoredPosition(const QString& leftKey, const QString& topKey, std::int32_t fallback,
                          const std::function<void(const Text& description)>& damaged = {});

// A negative edge becomes 0; then an edge beyond the screen less the window becomes that difference.
// The upper bound comes last, so a window larger than the screen ends at a negative edge.
QPoint clampToScreen(QPoint twips, QSize windowTwips, QSize screenTwips);

// Where a window without a stored position opens: right of its owner where the screen has room for it, else
// left of it, else below it; then kept on the screen as a stored position is.
QPoint besideWindow(QRect ownerTwips, QSize windowTwips, QSize screenTwips);
// Whether a window's left and top edges are both in the settings store.
bool hasStoredPosition(const QString& leftKey, const QString& topKey);

// Sizes and positions of real windows, in twips.
QSize outerSizeTwips(const QWidget& window);
QSize screenSizeTwips(const QWidget& window);
QPoint positionTwips(const QWidget& window);
void moveToTwips(QWidget& window, QPoint twips);

} // namespace quirlwerk::ui
