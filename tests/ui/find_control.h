// Finding a window's control by its object name, for the widget tests and the screenshot tool.
#pragma once

#include <QWidget>

#include <stdexcept>
#include <string>

namespace quirlwerk::ui::testing {

template <typename Control>
Control& control(const QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("no control ") + name);
    return *found;
}

} // namespace quirlwerk::ui::testing
