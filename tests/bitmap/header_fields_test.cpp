// LeseLong: little-endian fields with overflow and index failures.
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
