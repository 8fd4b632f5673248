// The matrix code in both directions, including count texts that disagree with the table last built.
#include "conversions/matrix.h"

#include "conversions/conversion_testing.h"

#include <algorithm>
#include <random>

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;

namespace {

struct Definition {
    TextView rows = initialRowsText;
    TextView columns = initialColumnsText;
    TextView sequence = initialSequence;
    ReadingOrder order = ReadingOrder::RowColumn;
};

MatrixDefinition built(const Definition& definition)
{
    MatrixDefinition matrix;
    matrix.rowsText = definition.rows;
    matrix.columnsText = definition.columns;
    matrix.sequence = definition.sequence;
    matrix.order = definition.order;
    EXPECT_EQ(matrix.FillMatrixGrid(), std::nullopt);
    return matrix;
}

// 5 rows of 15: row 2 column 14 is "c", row 5 column 5 is ".".
constexpr TextView sequence5x15 = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!?.,;:-+*/=()";
constexpr Definition matrix5x15{.rows = u"5", .columns = u"15", .sequence = sequence5x15};
constexpr Definition columnFirst{.order = ReadingOrder::ColumnRow};

struct CodeRow {
    const char* name;
    Definition definition;
    TextView input;
    TextView output;
};

constexpr CodeRow encodings[] = {
    {"small letter found as its capital, others unchanged", {}, u"Hi!", u"18 21 !"},
    {"a blank encodes to the first blank cell", {}, u"A B", u"11 55 12 "},
    {"characters outside the matrix get no blank", {}, u"1,2", u"44 ,45 "},
    {"two digits when the column count is 10 or more", matrix5x15, u"B", u"0102 "},
    {"two digits when the row count is 10 or more", {.rows = u"10", .columns = u"3"}, u"BJ", u"0102 0401 "},
    {"column first", columnFirst, u"B", u"21 "},
    {"the first of two equal cells, row first",
     {.rows = u"2", .columns = u"3", .sequence = u"XYAAZQ"}, u"A", u"13 "},
    {"the first of two equal cells is searched row by row in column-first order too",
     {.rows = u"2", .columns = u"3", .sequence = u"XYAAZQ", .order = ReadingOrder::ColumnRow}, u"A", u"31 "},
    {"a matrix of small letters encodes capitals",
     {.rows = u"3", .columns = u"9", .sequence = u"abcdefghijklmnopqrstuvwxyz"}, u"ABC", u"11 12 13 "},
    {"a letter in neither case comes out swapped, but only A-Z and a-z",
     {.rows = u"1", .columns = u"3", .sequence = u"Äbc"}, u"äÄBQq", u"ä11 12 qQ"},
    {"a letter held in both cases is encoded as typed", {.rows = u"2", .columns = u"2", .sequence = u"aAbB"},
     u"Ab", u"12 21 "},
};

constexpr CodeRow decodings[] = {
    {"groups, blanks dropped, other characters kept", {}, u"18 21 !", u"HI!"},
    {"groups outside the matrix or of the wrong length", {}, u"25 67 123", u"M <67>  <123> "},
    {"characters right behind a group and line breaks stay", {}, u"11,12.\r\n13", u"A,B.\r\nC"},
    {"a part 0 always fails", {}, u"00 10 01", u" <00>  <10>  <01> "},
    {"a blank cell decodes to a blank, one digit is refused", {}, u"55 5", u"  <5> "},
    {"column first", columnFirst, u"21", u"B"},
    {"one flag: a group of 3 digits", matrix5x15, u"214", u"c"},
    {"one flag: a group of 1 digit names row and column", matrix5x15, u"5", u"."},
    {"one flag: a group of 5 digits is read by its ends", matrix5x15, u"02914", u"c"},
    {"one flag, column first", {.rows = u"5", .columns = u"15", .sequence = sequence5x15,
                                .order = ReadingOrder::ColumnRow}, u"142", u"c"},
    {"no flag: 4 digits read, 3 digits fail", {.rows = u"12", .columns = u"12"}, u"0102 0301 102", u"BY <102> "},
};

// Texts typed into the count boxes after the last successful rebuild of the 5 x 8 table.
struct LaterCountsRow {
    const char* name;
    TextView rows;
    TextView columns;
    TextView decodeInput;
    TextView decoded;
    TextView encodeInput;
    TextView encoded;
};

constexpr LaterCountsRow laterCounts[] = {
    {"rows typed as 05: two digits for decoding, 5 for encoding", u"05", u"8", u"18 018", u" <18> H", u"H", u"18 "},
    {"rows refused as 0: still one digit, nothing to encode", u"0", u"8", u"18", u"H", u"AbC!", u"aBc!"},
    {"rows emptied: no flag, nothing to encode", u"", u"8", u"18 018", u" <18> H", u"AbC!", u"aBc!"},
    {"columns refused as 0", u"5", u"0", u"18", u"H", u"Hi", u"hI"},
};

} // namespace

TEST(MatrixConversions, encode_the_first_cell_found_and_decode_by_the_count_texts)
{
    for (const CodeRow& row : encodings) {
        SCOPED_TRACE(row.name);
        expectOk(TextMatrix(Text(row.input), built(row.definition)), row.output);
    }
    for (const CodeRow& row : decodings) {
        SCOPED_TRACE(row.name);
        expectOk(MatrixText(Text(row.input), built(row.definition)), row.output);
    }
}

TEST(MatrixConversions, count_texts_changed_after_the_last_rebuild)
{
    for (const LaterCountsRow& row : laterCounts) {
        SCOPED_TRACE(row.name);
        MatrixDefinition matrix;
        matrix.rowsText = row.rows;
        matrix.columnsText = row.columns;
        expectOk(MatrixText(Text(row.decodeInput), matrix), row.decoded);
        expectOk(TextMatrix(Text(row.encodeInput), matrix), row.encoded);
    }
}

// A row count of 12 that was never built: the table still has 5 rows, so copying it fails.
TEST(TextMatrix, counts_larger_than_the_table_fail_while_copying)
{
    MatrixDefinition matrix;
    matrix.rowsText = u"12";

    expectCritical(TextMatrix(u"AB", matrix), u"TextMatrix", u"Fehler aufgetreten: ",
                   u"Index außerhalb des gültigen Bereichs");
    expectOk(MatrixText(u"018", matrix), u"H");
}

TEST(MatrixConversions, decoding_gives_back_encoded_texts_of_matrix_characters)
{
    Text pool;
    for (char16_t c = 0x21; c <= 0xFF; ++c) {
        if (c < 0x7F || c > 0xA0)
            pool += c;
    }
    std::mt19937 random(5);
    const std::pair<int, int> sizes[] = {{9, 9}, {5, 15}, {12, 12}};
    for (const auto& [rows, columns] : sizes) {
        for (const ReadingOrder order : {ReadingOrder::RowColumn, ReadingOrder::ColumnRow}) {
            for (int round = 0; round < 20; ++round) {
                std::shuffle(pool.begin(), pool.end(), random);
                const int cells = rows * columns;
                // Sometimes shorter than the matrix, so that blank cells take part too.
                Text sequence = pool.substr(0, cells - random() % (cells / 2));
                const Text characters = sequence + (static_cast<int>(sequence.size()) < cells ? u" " : u"");
                const MatrixDefinition matrix = built({.rows = decimal(rows), .columns = decimal(columns),
                                                       .sequence = sequence, .order = order});
                Text text(random() % 60, u' ');
                for (char16_t& c : text)
                    c = characters[random() % characters.size()];

                SCOPED_TRACE(::testing::Message() << rows << "x" << columns << " order " << int(order));
                const Conversion encoded = TextMatrix(text, matrix);
                ASSERT_TRUE(encoded.ok());
                const Conversion decoded = MatrixText(encoded.output, matrix);
                ASSERT_TRUE(decoded.ok());
                EXPECT_EQ(decoded.output, text);
            }
        }
    }
}
