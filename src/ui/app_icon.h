// The application icon every window shows, from the PNGs built into the program.
#pragma once

#include <QIcon>

namespace quirlwerk::ui {

inline constexpr int applicationIconSizes[] = {48, 128, 256};

QIcon applicationIcon();

} // namespace quirlwerk::ui
