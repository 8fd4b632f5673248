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

struct BuildRow {
    const char* name;
    TextView rowsText;
    TextView columnsText;
    TextView sequence;
    std::vector<Text> cells;
};

const BuildRow builds[] = {
    {"initial texts", initialRowsText, initialColumnsText, initialSequence,
     {u"ABCDEFGH", u"IJKLMNOP", u"QRSTUVWX", u"YZ012345", u"6789    "}},
    {"blanks around the count", u" 3 ", u"2", u"abcdef", {u"ab", u"cd", u"ef"}},
    {"the leading number counts", u"2x", u"3", u"abcdef", {u"abc", u"def"}},
    {"a decimal point is part of the number", u"1.", u"3", u"abc", {u"abc"}},
    {"the rest of a longer sequence is not used", u"2", u"2", u"abcdefg", {u"ab", u"cd"}},
    {"cells beyond a shorter sequence hold blanks", u"2", u"3", u"abcd", {u"abc", u"d  "}},
};

struct RefusedRow {
    const char* name;
    TextView rowsText;
    TextView columnsText;
    Refused refused;
};

constexpr RefusedRow refusals[] = {
    {"rows 0", u"0", u"8", Refused::Rows},
    {"rows not a number", u"ab", u"8", Refused::Rows},
    {"rows empty", u"", u"8", Refused::Rows},
    {"a half rounds to the even neighbour 0", u".5", u"8", Refused::Rows},
    {"rows above 99", u"100", u"8", Refused::Rows},
    {"columns empty", u"5", u"", Refused::Columns},
    {"both refused: the rows are named", u"0", u"x", Refused::Rows},
};

} // namespace

TEST(MatrixDefinition, fills_the_cells_row_by_row)
{
    for (const BuildRow& row : builds) {
        SCOPED_TRACE(row.name);
        MatrixDefinition matrix;
        matrix.rowsText = row.rowsText;
        matrix.columnsText = row.columnsText;
        matrix.sequence = row.sequence;
        EXPECT_EQ(matrix.FillMatrixGrid(), std::nullopt);
        EXPECT_EQ(matrixRows(matrix), row.cells);
    }
}

TEST(MatrixDefinition, counts_include_the_header_row_and_column)
{
    MatrixDefinition matrix;
    EXPECT_EQ(matrix.builtRows(), 6);
    EXPECT_EQ(matrix.builtColumns(), 9);
    EXPECT_EQ(matrix.cell(0, 0), u"");
    matrix.rowsText = u"99";
    matrix.columnsText = u"99";
    EXPECT_EQ(matrix.FillMatrixGrid(), std::nullopt);
    EXPECT_EQ(matrix.builtRows(), 100);
    EXPECT_EQ(matrix.builtColumns(), 100);
    EXPECT_EQ(matrix.cell(99, 0), u"99");
    EXPECT_EQ(matrix.cell(0, 10), u"10");
}

TEST(MatrixDefinition, a_refused_count_keeps_the_previous_table)
{
    for (const RefusedRow& row : refusals) {
        SCOPED_TRACE(row.name);
        MatrixDefinition matrix;
        matrix.rowsText = row.rowsText;
        matrix.columnsText = row.columnsText;
        matrix.sequence = u"xyz";
        EXPECT_EQ(matrix.FillMatrixGrid(), row.refused);
        EXPECT_EQ(matrix.builtRows(), 6);
        EXPECT_EQ(matrix.builtColumns(), 9);
        EXPECT_EQ(matrix.cell(1, 1), u"A");
    }
}
