// libpng reports errors by longjmp: calls into it go through guarded().
#pragma once

#include <png.h>

#include <csetjmp>

namespace quirlwerk::palette {

// Runs `call` with this frame as libpng's jump target; false when libpng reported an error. The call must
// hold no objects with destructors: a jump back skips them.
template <typename Call>
bool guarded(png_structp png, const Call& call)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    call();
    return true;
}

} // namespace quirlwerk::palette
