// The busy pointer for the length of a scope, restored on every path.
#pragma once

#include <QApplication>
#include <QCursor>

namespace quirlwerk::ui {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace quirlwerk::ui
