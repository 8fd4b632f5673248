// Failure kinds: one number and one description each, also for the standard library's failures.
#include "common/failure.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

using namespace quirlwerk::common;

namespace {

struct KindRow {
    const char* name;
    std::function<void()> fail;
    int number;
    std::u16string_view description;
};

const KindRow kindRows[] = {
    {"overflow", [] { throw Failure::overflow(); }, 6, u"Überlauf"},
    {"standard overflow", [] { throw std::overflow_error("x"); }, 6, u"Überlauf"},
    {"out of memory", [] { throw std::bad_alloc(); }, 7, u"Nicht genügend Speicher"},
    {"index", [] { throw Failure::indexOutOfRange(); }, 9, u"Index außerhalb des gültigen Bereichs"},
    {"standard index", [] { throw std::out_of_range("x"); }, 9, u"Index außerhalb des gültigen Bereichs"},
    {"type mismatch", [] { throw Failure::typeMismatch(); }, 13, u"Typen unverträglich"},
    {"own words", [] { throw Failure(u"Datenträger voll"); }, 5, u"Datenträger voll"},
    // A description that reads like a kind is still no such kind: numbers come from kinds, not texts.
    {"own words that read like a kind", [] { throw Failure(u"Überlauf"); }, 5, u"Überlauf"},
    {"anything else", [] { throw std::runtime_error("x"); }, 5, u"Unerwarteter Fehler"},
};

} // namespace

TEST(Failure, each_kind_has_its_number_and_description)
{
    for (const KindRow& row : kindRows) {
        SCOPED_TRACE(row.name);
        try {
            row.fail();
            ADD_FAILURE() << "no failure";
        } catch (const std::exception& failure) {
            EXPECT_EQ(errorNumber(failure), row.number);
            EXPECT_EQ(describe(failure), row.description);
        }
    }
}
