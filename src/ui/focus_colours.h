// Small input fields turn yellow with the focus and select their text; white again when they lose it.
#pragma once

class QLineEdit;

namespace quirlwerk::ui {

void installFocusColours(QLineEdit* field);

} // namespace quirlwerk::ui
