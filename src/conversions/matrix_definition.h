// The matrix of mode 8: the texts as typed in the matrix definition window, and the cell table last built.
#pragma once

#include "common/text.h"

#include <optional>
#include <vector>

namespace quirlwerk::conversions {

enum class ReadingOrder { RowColumn = 0, ColumnRow = 1 };   // "Zeile/Spalte", "Spalte/Zeile"

inline constexpr TextView initialRowsText = u"5";
inline constexpr TextView initialColumnsText = u"8";
inline constexpr TextView initialSequence = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

class MatrixDefinition {
public:
    // Which count a rebuild refused; rows are checked first.
    enum class Refused { Rows, Columns };

    MatrixDefinition();   // initial texts, cell table built from them

    Text rowsText = Text(initialRowsText);
    Text columnsText = Text(initialColumnsText);
    Text sequence = Text(initialSequence);
    ReadingOrder order = ReadingOrder::RowColumn;

    // Rebuilds the cell table from the current texts. Counts are leading numbers that must lie in 1..99;
    // a refused count leaves the previous table as it was. A count too large for 32 bits is an overflow failure.
    std::optional<Refused> FillMatrixGrid();

    // The table as built, header row and column included: builtRows() == rows + 1.
    int builtRows() const { return static_cast<int>(m_cells.size()); }
    int builtColumns() const { return m_cells.empty() ? 0 : static_cast<int>(m_cells.front().size()); }
    const Text& cell(int row, int column) const { return m_cells.at(row).at(column); }

private:
    std::vector<std::vector<Text>> m_cells;
};

// The window's range messages (exclamation icon, title below).
inline constexpr TextView matrixErrorTitle = u"Fehler bei Matrixprojektierung";
Text refusedMessage(MatrixDefinition::Refused refused);

} // namespace quirlwerk::conversions
