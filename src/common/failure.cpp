// Turning any exception into the description the user reads.
#include "common/failure.h"

#include <new>
#include <stdexcept>

namespace quirlwerk::common {

Text describe(const std::exception& failure)
{
    if (const auto* known = dynamic_cast<const Failure*>(&failure))
        return known->description();
    if (dynamic_cast<const std::bad_alloc*>(&failure))
        return u"Nicht genügend Speicher";
    if (dynamic_cast<const std::out_of_range*>(&failure))
        return Failure::indexOutOfRange().description();
    if (dynamic_cast<const std::overflow_error*>(&failure))
        return Failure::overflow().description();
    return u"Unerwarteter Fehler";
}

} // namespace quirlwerk::common
