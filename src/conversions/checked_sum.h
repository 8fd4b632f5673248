// 32-bit sums and counters of the conversions: an overflow is a failure the routine reports, never a wrap.
#pragma once

#include "common/failure.h"

#include <cstdint>

namespace quirlwerk::conversions {

inline std::int32_t checkedAdd(std::int32_t sum, std::int32_t value)
{
    std::int32_t result = 0;
    if (__builtin_add_overflow(sum, value, &result))
        throw common::Failure::overflow();
    return result;
}

} // namespace quirlwerk::conversions
