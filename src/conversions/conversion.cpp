// Building the result of a routine that met an unexpected failure.
#include "conversions/conversion.h"

#include "common/failure.h"

namespace quirlwerk::conversions {

Conversion failed(TextView routine, const std::exception& failure, Text status)
{
    Conversion result;
    result.output = common::describe(failure);
    result.status = std::move(status);
    result.failure = common::Message{common::Icon::Critical, Text(routine) + u"() - Error " + result.output};
    return result;
}

} // namespace quirlwerk::conversions
