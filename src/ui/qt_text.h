// Texts between the core (16-bit, CR LF) and Qt's widgets.
#pragma once

#include "common/text.h"

#include <QString>

class QPlainTextEdit;

namespace quirlwerk::ui {

inline QString toQString(TextView text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline Text toText(const QString& text)
{
    return Text(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

} // namespace quirlwerk::ui
