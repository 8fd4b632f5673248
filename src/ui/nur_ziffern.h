// The key filter of the numeric input fields: digits, backspace, copy and paste get through.
#pragma once

#include <cstdint>

class QKeyEvent;
class QLineEdit;

namespace quirlwerk::ui {

// Keeps the character code when it is 8 (backspace), 3 (Ctrl+C), 22 (Ctrl+V) or a digit; otherwise 0,
// which drops the key.
std::int16_t NurZiffern(std::int16_t keyAscii);

// The character code a key press types, as the filter sees it; -1 for keys that type nothing
// (arrows, Delete, function keys), which the filter lets through.
std::int16_t typedCode(const QKeyEvent& event);

// Drops every typed key the filter refuses. Pasted text is not filtered.
void installNurZiffern(QLineEdit* field);

} // namespace quirlwerk::ui
