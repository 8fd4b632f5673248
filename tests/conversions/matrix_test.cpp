// The matrix code in both directions, including count texts that disagree with the table last built.
#include "conversions/matrix.h"

#include "conversions/conversion_testing.h"

#include <algorithm>

using namespace quirlwerk::conversions::testing;

static MatrixDefinition built(TextView rows, TextView columns, TextView sequence, ReadingOrder order = ReadingOrder::RowColumn)
{
    MatrixDefinition matrix;
    matrix.rowsText = rows, matrix.columnsText = columns, matrix.sequence = sequence, matrix.order = order;
    EXPECT_EQ(matrix.FillMatrixGrid(), std::nullopt);
    return matrix;
}

TEST(MatrixConversions, encode_the_first_cell_found_and_decode_by_the_count_texts)
{
    constexpr auto columnRow = ReadingOrder::ColumnRow;
    // 5 rows of 15: row 2 column 14 is "c", row 5 column 5 is ".".
    constexpr TextView wide = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!?.,;:-+*/=()";
    const MatrixDefinition initial, twice = built(u"2", u"3", u"XYAAZQ"),
        twiceColumnFirst = built(u"2", u"3", u"XYAAZQ", columnRow), cases = built(u"1", u"3", u"Äbc"), both = built(u"2", u"2", u"aAbB"),
        wide5x15 = built(u"5", u"15", wide), wideColumnFirst = built(u"5", u"15", wide, columnRow), twelve = built(u"12", u"12", initialSequence);
    const std::tuple<const char*, const MatrixDefinition&, TextView, TextView> encodings[] = {
        {"a small letter found as its capital, a blank as the first blank cell", initial, u"Hi! B", u"18 21 !55 12 "},
        {"characters outside the matrix get no blank", initial, u"1,2", u"44 ,45 "},
        {"two digits when a count is 10 or more", wide5x15, u"B", u"0102 "},
        {"the first of two equal cells, row by row in either order", twice, u"AA", u"13 13 "},
        {"the first of two equal cells in column-first order", twiceColumnFirst, u"A", u"31 "},
        {"only A-Z and a-z swap their case", cases, u"äÄBQq", u"ä11 12 qQ"},
        {"a letter held in both cases is encoded as typed", both, u"Ab", u"12 21 "},
    };
    for (const auto& [name, matrix, input, output] : encodings)
        EXPECT_EQ(TextMatrix(Text(input), matrix).output, output) << name;
    const std::tuple<const char*, const MatrixDefinition&, TextView, TextView> decodings[] = {
        {"groups, blanks dropped, other characters and line breaks kept", initial, u"18 21 !,12.\r\n13", u"HI!,B.\r\nC"},
        {"outside the matrix, of the wrong length, a part 0", initial, u"25 67 59 123 5 00 10 01", u"M <67>  <59>  <123>  <5>  <00>  <10>  <01> "},
        {"a blank cell decodes to a blank", initial, u"55", u" "},
        {"one flag: 3 digits, 1 digit names row and column, 5 digits read by their ends", wide5x15, u"214 5 02914", u"c.c"},
        {"one flag, column first", wideColumnFirst, u"142 0106", u"c <0106> "},
        {"no flag: 4 digits read, 3 digits fail", twelve, u"0102 0301 102", u"BY <102> "},
    };
    for (const auto& [name, matrix, input, output] : decodings)
        EXPECT_EQ(MatrixText(Text(input), matrix).output, output) << name;
}

// Texts typed into the count boxes after the last successful rebuild of the 5 x 8 table.
TEST(MatrixConversions, count_texts_changed_after_the_last_rebuild)
{
    constexpr TextView laterCounts[][6] = {   // rows, columns, decoded from, to, encoded from, to
        {u"05", u"8", u"18 018", u" <18> H", u"H", u"18 "},   // 05: two digits for decoding, 5 for encoding
        {u" 5 ", u"8", u"18", u"H", u"H", u"18 "},            // blanks around one digit: still one digit
        {u"0", u"8", u"18", u"H", u"AbC!", u"aBc!"},          // refused 0: still one digit, nothing to encode
        {u"", u"8", u"18 018", u" <18> H", u"AbC!", u"aBc!"}, // emptied: no flag, nothing to encode
        {u"5", u"0", u"18", u"H", u"Hi", u"hI"},
    };
    for (const auto& [rows, columns, decodeInput, decoded, encodeInput, encoded] : laterCounts) {
        MatrixDefinition matrix;   // the texts as typed, the table as last built
        matrix.rowsText = rows, matrix.columnsText = columns;
        EXPECT_EQ(MatrixText(Text(decodeInput), matrix).output + u"|" + TextMatrix(Text(encodeInput), matrix).output, Text(decoded) + u"|" + Text(encoded));
    }
    // A row count of 12 that was never built: the table still has 5 rows, so copying it fails.
    MatrixDefinition matrix;
    matrix.rowsText = u"12";
    expectCritical(TextMatrix(u"AB", matrix), u"TextMatrix", u"Fehler aufgetreten: ", u"Index außerhalb des gültigen Bereichs");
    expectOk(MatrixText(u"018", matrix), u"H");
}

// Sizes at each digit limit (one digit up to 9, two from 10, either count alone) and at 1 and 99, both orders.
TEST(MatrixConversions, decoding_gives_back_encoded_texts_of_matrix_characters)
{
    Text pool;
    for (char16_t c = 0x21; c <= 0xFF; ++c)
        pool += c < 0x7F || c > 0xA0 ? Text(1, c) : Text();
    std::mt19937 random(5);
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 9}, {9, 9}, {10, 3}, {3, 10}, {9, 10}, {10, 10}, {5, 15}, {12, 12}, {99, 99}};
    for (const auto& [rows, columns] : sizes) {
        for (int round = 0; round < 20; ++round) {
            std::shuffle(pool.begin(), pool.end(), random);
            const int cells = rows * columns;
            // Sometimes shorter than the matrix, so that blank cells take part too.
            const Text sequence = pool.substr(0, cells - random() % (cells / 2 + 1));
            const MatrixDefinition matrix = built(decimal(rows), decimal(columns), sequence, ReadingOrder(round % 2));
            const Text text = drawn(sequence + (static_cast<int>(sequence.size()) < cells ? u" " : u""), random() % 60, random);
            const Conversion encoded = TextMatrix(text, matrix);
            // Every character was found: only coordinates and blanks.
            EXPECT_EQ(encoded.output.find_first_not_of(u"0123456789 "), Text::npos) << rows << "x" << columns;
            expectOk(MatrixText(encoded.output, matrix), text);
        }
    }
}
