// The matrix definition: which counts a rebuild accepts, and how the cell table is filled.
#include "conversions/matrix_definition.h"

#include "conversions/conversion_testing.h"

using namespace quirlwerk::conversions::testing;
using Refused = MatrixDefinition::Refused;

// Header row and column numbered, then the sequence row by row, blanks once it runs out.
static void expectCells(const MatrixDefinition& matrix, int rows, int columns)
{
    ASSERT_EQ(matrix.builtRows() * 1000 + matrix.builtColumns(), (rows + 1) * 1000 + columns + 1);
    for (int row = 0; row <= rows; ++row) {
        for (int column = 0; column <= columns; ++column) {
            const auto place = static_cast<std::size_t>((row - 1) * columns + column - 1);
            const Text expected = row == 0 ? (column == 0 ? Text() : decimal(column)) : column == 0 ? decimal(row)
                                : place < matrix.sequence.size() ? Text(1, matrix.sequence[place]) : Text(u" ");
            ASSERT_EQ(matrix.cell(row, column), expected) << row << "/" << column;
        }
    }
}

// Every count from 0 to 101 for rows and for columns; a refused rebuild keeps the table built before.
TEST(MatrixDefinition, accepts_counts_1_to_99_and_keeps_the_table_otherwise)
{
    MatrixDefinition matrix;
    expectCells(matrix, 5, 8);
    matrix.sequence = repeated(u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", 60) + u"!";
    matrix.FillMatrixGrid();
    for (int count = 0; count <= 203; ++count) {
        const bool countingRows = count <= 101, fits = count % 102 >= 1 && count % 102 <= 99;
        const int kept[] = {matrix.builtRows() - 1, matrix.builtColumns() - 1}, rows = countingRows ? count : 99;
        const int columns = countingRows ? 31 : count - 102;
        matrix.rowsText = decimal(rows), matrix.columnsText = decimal(columns);
        EXPECT_EQ(matrix.FillMatrixGrid(), fits ? std::nullopt : std::optional(countingRows ? Refused::Rows : Refused::Columns)) << count;
        expectCells(matrix, fits ? rows : kept[0], fits ? columns : kept[1]);
    }
}

// Counts are read as leading numbers; the rows are named when both are refused (0: rows, -1: columns refused).
TEST(MatrixDefinition, reads_counts_as_leading_numbers)
{
    constexpr std::tuple<TextView, TextView, int> counts[] = {
        {u" 3 ", u"2", 3}, {u"2x", u"3", 2}, {u"1.", u"3", 1}, {u"2.5", u"3", 2}, {u"2.6", u"3", 3}, {u".5", u"8", 0}, {u"0", u"x", 0},
        {u"5", u"", -1}, {u"&H0A", u"2", 10},
    };
    for (const auto& [rowsText, columnsText, rows] : counts) {
        MatrixDefinition matrix;
        matrix.rowsText = rowsText, matrix.columnsText = columnsText;
        EXPECT_EQ(matrix.FillMatrixGrid(), rows > 0 ? std::nullopt : std::optional(rows ? Refused::Columns : Refused::Rows)) << rows;
        EXPECT_EQ(matrix.builtRows(), rows > 0 ? rows + 1 : 6);
    }
    EXPECT_EQ(refusedMessage(Refused::Rows), u"Die Anzahl der Zeilen muss zwischen 1 und 99 liegen.");
    EXPECT_EQ(refusedMessage(Refused::Columns), u"Die Anzahl der Spalten muss zwischen 1 und 99 liegen.");
}
