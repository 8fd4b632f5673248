// Building the matrix cell table the way the definition window shows it.
#include "conversions/matrix_definition.h"

#include "common/numbers.h"

namespace quirlwerk::conversions {

MatrixDefinition::MatrixDefinition()
{
    FillMatrixGrid();
}

std::optional<MatrixDefinition::Refused> MatrixDefinition::FillMatrixGrid()
{
    // Both counts are read before either is checked.
    const std::int32_t rows = common::leadingWholeNumber(rowsText);
    const std::int32_t columns = common::leadingWholeNumber(columnsText);
    if (rows < 1 || rows > 99)
        return Refused::Rows;
    if (columns < 1 || columns > 99)
        return Refused::Columns;

    std::vector<std::vector<Text>> cells(rows + 1, std::vector<Text>(columns + 1));
    for (int row = 1; row <= rows; ++row)
        cells[row][0] = decimal(row);
    for (int column = 1; column <= columns; ++column)
        cells[0][column] = decimal(column);
    std::size_t next = 0;
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column)
            cells[row][column] = next < sequence.size() ? Text(1, sequence[next++]) : Text(u" ");
    }
    m_cells = std::move(cells);
    return std::nullopt;
}

Text refusedMessage(MatrixDefinition::Refused refused)
{
    return refused == MatrixDefinition::Refused::Rows ? Text(u"Die Anzahl der Zeilen muss zwischen 1 und 99 liegen.")
                                                      : Text(u"Die Anzahl der Spalten muss zwischen 1 und 99 liegen.");
}

} // namespace quirlwerk::conversions
