// The failure kinds' numbers and descriptions, and turning any exception into them.
#include "common/failure.h"

#include <iterator>
#include <new>
#include <stdexcept>

namespace quirlwerk::common {
namespace {

struct KindRow {
    Failure::Kind kind;
    int number;
    TextView description;
};

// In the order of Failure::Kind.
constexpr KindRow kinds[] = {
    {Failure::Kind::Other, 5, u"Unerwarteter Fehler"},
    {Failure::Kind::Overflow, 6, u"Überlauf"},
    {Failure::Kind::OutOfMemory, 7, u"Nicht genügend Speicher"},
    {Failure::Kind::IndexOutOfRange, 9, u"Index außerhalb des gültigen Bereichs"},
    {Failure::Kind::TypeMismatch, 13, u"Typen unverträglich"},
};

constexpr bool inKindOrder()
{
    for (std::size_t i = 0; i < std::size(kinds); ++i)
        if (static_cast<std::size_t>(kinds[i].kind) != i)
            return false;
    return true;
}
static_assert(inKindOrder(), "one row per kind, in the order of Failure::Kind");

const KindRow& row(Failure::Kind kind)
{
    return kinds[static_cast<int>(kind)];
}

} // namespace

Failure::Failure(Kind kind) : m_kind(kind), m_description(row(kind).description) {}

Failure::Kind kindOf(const std::exception& failure)
{
    if (const auto* known = dynamic_cast<const Failure*>(&failure))
        return known->kind();
    if (dynamic_cast<const std::bad_alloc*>(&failure))
        return Failure::Kind::OutOfMemory;
    if (dynamic_cast<const std::out_of_range*>(&failure))
        return Failure::Kind::IndexOutOfRange;
    if (dynamic_cast<const std::overflow_error*>(&failure))
        return Failure::Kind::Overflow;
    return Failure::Kind::Other;
}

int errorNumber(const std::exception& failure)
{
    return row(kindOf(failure)).number;
}

Text describe(const std::exception& failure)
{
    if (const auto* known = dynamic_cast<const Failure*>(&failure))
        return known->description();
    return Text(row(kindOf(failure)).description);
}

} // namespace quirlwerk::common
