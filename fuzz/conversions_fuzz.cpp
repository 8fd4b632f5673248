// Fuzz target: any text through every direction button of every mode, with a small step bound.
#include "conversions/dispatch.h"
#include "conversions/modes.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quirlwerk;
    if (size < 1)
        return 0;
    const auto mode = static_cast<conversions::Mode>(data[0] % 12);
    const bool crypt = data[0] & 0x80;
    Text input;
    for (std::size_t i = 1; i + 1 < size; i += 2)
        input += static_cast<char16_t>(data[i] | data[i + 1] << 8);

    conversions::DispatchContext context;
    context.maxSteps = 200'000;
    const conversions::Shown shown = crypt ? conversions::runCrypt(mode, input, context)
                                           : conversions::runDecrypt(mode, input, context);
    // An unexpected failure must come back as a routine's own result, never from the handler itself.
    if (shown.keepOutput)
        __builtin_trap();
    return 0;
}
