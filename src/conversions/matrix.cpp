// Mode 8: characters as coordinates in the user's matrix and back.
#include "conversions/matrix.h"

#include "common/numbers.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace quirlwerk::conversions {
namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool isCapital(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool isSmall(char16_t c) { return c >= u'a' && c <= u'z'; }

// Decoding reads a count as one digit when its text, without surrounding blanks, is one character long;
// so "05" counts as two digits although the matrix has 5 rows.
bool oneCharacter(TextView count)
{
    const std::size_t first = count.find_first_not_of(u' ');
    if (first == TextView::npos)
        return false;
    return count.find_last_not_of(u' ') == first;
}

struct Coordinates {
    int row;
    int column;
};

// The cells the encoding searches: rows and columns up to the counts typed, copied from the table last built.
// Counts larger than that table (a count changed after the last rebuild) fail while copying.
class WorkingTable {
public:
    WorkingTable(const MatrixDefinition& matrix, std::int32_t rows, std::int32_t columns)
    {
        if (rows < 1 || columns < 1)
            return;
        m_columns = columns;
        for (int row = 1; row <= rows; ++row) {
            for (int column = 1; column <= columns; ++column)
                m_cells.push_back(matrix.cell(row, column));
        }
    }

    // Row by row, each row from its first column: the first equal cell wins.
    std::optional<Coordinates> find(char16_t c) const
    {
        const TextView wanted(&c, 1);
        for (std::size_t i = 0; i < m_cells.size(); ++i) {
            if (m_cells[i] == wanted)
                return Coordinates{static_cast<int>(i) / m_columns + 1, static_cast<int>(i) % m_columns + 1};
        }
        return std::nullopt;
    }

private:
    std::vector<Text> m_cells;
    int m_columns = 0;
};

Text coordinate(int number, bool twoDigits)
{
    Text text = decimal(number);
    if (twoDigits && text.size() < 2)
        text.insert(0, 1, u'0');
    return text;
}

struct Decoding {
    const MatrixDefinition& matrix;
    bool oneDigitRow;
    bool oneDigitColumn;

    // A group that names no cell of the matrix is written back in angle brackets.
    Text group(TextView digits) const
    {
        const std::optional<Coordinates> cell = coordinatesOf(digits);
        if (!cell)
            return u" <" + Text(digits) + u"> ";
        const Text& text = matrix.cell(cell->row, cell->column);
        return text.empty() ? Text(u" ") : text;
    }

    std::optional<Coordinates> coordinatesOf(TextView digits) const
    {
        const bool lengthFits = oneDigitRow && oneDigitColumn ? digits.size() == 2
                              : !oneDigitRow && !oneDigitColumn ? digits.size() == 4
                                                                : true;
        if (!lengthFits)
            return std::nullopt;
        const std::size_t rowDigits = digits.size() < 4 && oneDigitRow ? 1 : 2;
        const std::size_t columnDigits = digits.size() < 4 && oneDigitColumn ? 1 : 2;
        // The parts may overlap in a short group or leave out the middle of a long one.
        const bool rowFirst = matrix.order == ReadingOrder::RowColumn;
        const int row = number(rowFirst ? front(digits, rowDigits) : back(digits, rowDigits));
        const int column = number(rowFirst ? back(digits, columnDigits) : front(digits, columnDigits));
        if (row < 1 || row >= matrix.builtRows() || column < 1 || column >= matrix.builtColumns())
            return std::nullopt;
        return Coordinates{row, column};
    }

    static TextView front(TextView digits, std::size_t count) { return digits.substr(0, count); }
    static TextView back(TextView digits, std::size_t count)
    {
        return digits.substr(digits.size() - std::min(count, digits.size()));
    }
    static int number(TextView digits)
    {
        int value = 0;
        for (const char16_t d : digits)
            value = value * 10 + (d - u'0');
        return value;
    }
};

} // namespace

Conversion MatrixText(Text input, const MatrixDefinition& matrix)
{
    Conversion result;
    TextView group;
    try {
        const Decoding decoding{matrix, oneCharacter(matrix.rowsText), oneCharacter(matrix.columnsText)};
        std::size_t position = 0;
        while (true) {
            // Blanks between groups are dropped; everything else, line breaks included, stays.
            for (; position < input.size() && !isDigit(input[position]); ++position) {
                if (input[position] != u' ')
                    result.output += input[position];
            }
            if (position == input.size())
                break;
            const std::size_t start = position;
            while (position < input.size() && isDigit(input[position]))
                ++position;
            group = TextView(input).substr(start, position - start);
            result.output += decoding.group(group);
        }
    } catch (const std::exception& failure) {
        return failed(u"MatrixText", failure, u"Fehler aufgetreten: " + Text(group));
    }
    return result;
}

Conversion TextMatrix(Text input, const MatrixDefinition& matrix)
{
    Conversion result;
    Text current;   // stays empty while the table is copied
    try {
        const std::int32_t rows = common::leadingWholeNumber(matrix.rowsText);
        const std::int32_t columns = common::leadingWholeNumber(matrix.columnsText);
        const bool twoDigits = rows >= 10 || columns >= 10;
        const WorkingTable table(matrix, rows, columns);
        for (const char16_t c : input) {
            current = Text(1, c);
            std::optional<Coordinates> cell = table.find(c);
            char16_t written = c;
            // Only "A"-"Z" and "a"-"z" get a second search in the other case.
            if (!cell && (isCapital(c) || isSmall(c))) {
                written = isCapital(c) ? c + (u'a' - u'A') : c - (u'a' - u'A');
                cell = table.find(written);
            }
            if (!cell) {
                result.output += written;
                continue;
            }
            const Text row = coordinate(cell->row, twoDigits);
            const Text column = coordinate(cell->column, twoDigits);
            result.output += matrix.order == ReadingOrder::RowColumn ? row + column : column + row;
            result.output += u' ';
        }
    } catch (const std::exception& failure) {
        return failed(u"TextMatrix", failure, u"Fehler aufgetreten: " + current);
    }
    return result;
}

} // namespace quirlwerk::conversions
