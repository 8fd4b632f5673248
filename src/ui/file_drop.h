// Dropping one file from a file manager onto a control: its name is handed on; text drops stay the control's.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quirlwerk::ui {

// Takes drops of a single local file on `target` while `allowed` says so and hands its path (in the system's
// spelling) to `dropped`. Other drops, such as text onto a field, are left to the control.
void acceptFileDrops(QWidget* target, std::function<bool()> allowed, std::function<void(const QString&)> dropped);

} // namespace quirlwerk::ui
