// The matrix definition: which counts a rebuild accepts, and how the cell table is filled.
#include "conversions/matrix_definition.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace quirlwerk;
using namespace quirlwerk::conversions;

namespace {

using Refused = MatrixDefinition::Refused;

// The matrix cells row by row, one text per row, header row and column left out.
std::vector<Text> matrixRows(const MatrixDefinition& matrix)
{
    std::vector<Text> rows;
    for (int row = 1; row < matrix.builtRows(); ++row) {
        Text text;
        for (int column = 1; column < matrix.builtColumns(); ++column)
            text += matrix.cell(row, column);
        rows.push_back(text);
    }
    return rows;
}

const std::vector<Text> initialCells = {u"ABCDEFGH", u"IJKLMNOP", u"QRSTUVWX", u"YZ012345", u"6789    "};

struct BuildRow {
    const char* name;
    TextView rowsText;
    TextView columnsText;
    TextView sequence;
    std::optional<Refused> refused;
    std::vector<Text> cells;   // a refused rebuild keeps the table built before
};

const BuildRow builds[] = {
    {"initial texts", initialRowsText, initialColumnsText, initialSequence, {}, initialCells},
    {"blanks around the count", u" 3 ", u"2", u"abcdef", {}, {u"ab", u"cd", u"ef"}},
    {"the leading number counts", u"2x", u"3", u"abcdef", {}, {u"abc", u"def"}},
    {"a decimal point is part of the number", u"1.", u"3", u"abc", {}, {u"abc"}},
    {"the rest of a longer sequence is not used", u"2", u"2", u"abcdefg", {}, {u"ab", u"cd"}},
    {"cells beyond a shorter sequence hold blanks", u"2", u"3", u"abcd", {}, {u"abc", u"d  "}},
    {"rows 0", u"0", u"8", u"xyz", Refused::Rows, initialCells},
    {"a half rounds to the even neighbour 0", u".5", u"8", u"xyz", Refused::Rows, initialCells},
    {"rows above 99", u"100", u"8", u"xyz", Refused::Rows, initialCells},
    {"columns empty", u"5", u"", u"xyz", Refused::Columns, initialCells},
    {"both refused: the rows are named", u"0", u"x", u"xyz", Refused::Rows, initialCells},
};

} // namespace

TEST(MatrixDefinition, fills_the_cells_row_by_row_or_refuses)
{
    for (const BuildRow& row : builds) {
        SCOPED_TRACE(row.name);
        MatrixDefinition matrix;
        matrix.rowsText = row.rowsText;
        matrix.columnsText = row.columnsText;
        matrix.sequence = row.sequence;
        EXPECT_EQ(matrix.FillMatrixGrid(), row.refused);
        EXPECT_EQ(matrixRows(matrix), row.cells);
    }
}

TEST(MatrixDefinition, counts_include_the_header_row_and_column)
{
    MatrixDefinition matrix;
    EXPECT_EQ(matrix.cell(0, 0), u"");
    matrix.rowsText = u"99";
    matrix.columnsText = u"99";
    EXPECT_EQ(matrix.FillMatrixGrid(), std::nullopt);
    EXPECT_EQ(matrix.builtRows(), 100);
    EXPECT_EQ(matrix.builtColumns(), 100);
    EXPECT_EQ(matrix.cell(99, 0), u"99");
    EXPECT_EQ(matrix.cell(0, 10), u"10");
}
