// Failure kinds: one number and one description each, also for the standard library's failures.
#include "common/failure.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using namespace quirlwerk::common;

TEST(Failure, each_kind_has_its_number_and_description)
{
    const std::tuple<const char*, std::exception_ptr, int, std::u16string_view> rows[] = {
        {"overflow", std::make_exception_ptr(Failure::overflow()), 6, u"Überlauf"},
        {"standard overflow", std::make_exception_ptr(std::overflow_error("x")), 6, u"Überlauf"},
        {"out of memory", std::make_exception_ptr(std::bad_alloc()), 7, u"Nicht genügend Speicher"},
        {"index", std::make_exception_ptr(Failure::indexOutOfRange()), 9, u"Index außerhalb des gültigen Bereichs"},
        {"standard index", std::make_exception_ptr(std::out_of_range("x")), 9, u"Index außerhalb des gültigen Bereichs"},
        {"type mismatch", std::make_exception_ptr(Failure::typeMismatch()), 13, u"Typen unverträglich"},
        // A description that reads like a kind is still no such kind: numbers come from kinds, not texts.
        {"own words that read like a kind", std::make_exception_ptr(Failure(u"Überlauf")), 5, u"Überlauf"},
        {"anything else", std::make_exception_ptr(std::runtime_error("x")), 5, u"Unerwarteter Fehler"},
    };
    for (const auto& [name, thrown, number, description] : rows) {
        try {
            std::rethrow_exception(thrown);
        } catch (const std::exception& failure) {
            EXPECT_EQ(errorNumber(failure), number) << name;
            EXPECT_EQ(describe(failure), description) << name;
        }
    }
}
