// quirlwerk-cli bitmap (not built yet).
#include "cli/cli.h"

namespace quirlwerk::cli {

int runBitmap(Arguments)
{
    throw UsageError("'bitmap' ist noch nicht verfügbar");
}

} // namespace quirlwerk::cli
