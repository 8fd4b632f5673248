// LeseLong and its siblings: little-endian fields with overflow and index failures.
#include "bitmap/header_fields.h"

#include "common/failure.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

using namespace quirlwerk;
using namespace quirlwerk::bitmap;

namespace {

struct FieldRow {
    const char* name;
    std::array<std::uint8_t, 6> bytes;
    std::int32_t position;
    std::optional<std::int32_t> value;   // nullopt: the failure below
    const char16_t* failure;
};

const FieldRow leseLongRows[] = {
    {"first four bytes", {0x36, 0x04, 0, 0, 9, 9}, 1, 1078, nullptr},
    {"last four bytes", {0, 0, 1, 2, 3, 4}, 3, 0x04030201, nullptr},
    {"largest value", {0xFF, 0xFF, 0xFF, 0x7F, 0, 0}, 1, 0x7FFFFFFF, nullptr},
    {"top byte 128 overflows", {0, 0, 0, 0x80, 0, 0}, 1, std::nullopt, u"Überlauf"},
    {"minus one overflows", {0xFF, 0xFF, 0xFF, 0xFF, 0, 0}, 1, std::nullopt, u"Überlauf"},
    {"past the end", {0, 0, 0, 0, 0, 0}, 4, std::nullopt, u"Index außerhalb des gültigen Bereichs"},
    {"position 0", {0, 0, 0, 0, 0, 0}, 0, std::nullopt, u"Index außerhalb des gültigen Bereichs"},
};

} // namespace

TEST(LeseLong, reads_little_endian_or_fails)
{
    for (const FieldRow& row : leseLongRows) {
        SCOPED_TRACE(row.name);
        if (row.value) {
            EXPECT_EQ(LeseLong(row.bytes, row.position), *row.value);
        } else {
            try {
                LeseLong(row.bytes, row.position);
                ADD_FAILURE() << "no failure";
            } catch (const common::Failure& failure) {
                EXPECT_EQ(failure.description(), row.failure);
            }
        }
    }
}

TEST(LeseLong, signed_reader_and_word_reader_accept_what_lese_long_refuses)
{
    const std::array<std::uint8_t, 4> minusSixteen{0xF0, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(readSignedLong(minusSixteen, 1), -16);
    EXPECT_EQ(readWord(minusSixteen, 3), 0xFFFF);
    EXPECT_THROW(readWord(minusSixteen, 4), common::Failure);
}

TEST(InformationLine, pieces_follow_the_documented_forms)
{
    EXPECT_EQ(offsetInfo(1078) + sizeInfo(32, 16, true, 8, 0) + coloursInfo(256, 12),
              u"Offset Data: 1078 Bytes    B*H: 32*16 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 0-keine"
              u"    Anzahl Farben: 256/12");
    EXPECT_EQ(sizeInfo(5, 0, false, 24, 1), u"    B*H: 5*0 Pixel TopDown    Farbtiefe: 24bit    Komprimierung: 1-Lauflänge 8-Bit");
    EXPECT_EQ(sizeInfo(1, 1, true, 8, 3), u"    B*H: 1*1 Pixel BottumUp    Farbtiefe: 8bit    Komprimierung: 3-??");
}
