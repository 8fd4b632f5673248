// Upper and lower case as the German Windows locale has them, over Latin-1 and the Windows-1252 letters.
#pragma once

#include "common/text.h"

namespace quirlwerk::common {

char16_t toUpper(char16_t c);   // "ä" -> "Ä", "é" -> "É"; "ß" stays "ß"
char16_t toLower(char16_t c);
Text toUpper(TextView text);
Text toLower(TextView text);

} // namespace quirlwerk::common
