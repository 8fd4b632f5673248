// quirlwerk-cli hexfile (not built yet).
#include "cli/cli.h"

namespace quirlwerk::cli {

int runHexfile(Arguments)
{
    throw UsageError("'hexfile' ist noch nicht verfügbar");
}

} // namespace quirlwerk::cli
