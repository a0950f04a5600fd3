#pragma once

#include "Int16.h"

#include <string_view>

// The player's paddle top for a pointer at row y: the pointer is kept level with the
// paddle's middle, and the paddle inside the arena.
Int16 PlayerYForPointer(double y);

// Reads the longest number at the start of `text` the way the classic BASIC Val did:
// blanks, tabs and line feeds are skipped wherever they stand; an optional sign, digits, one
// full stop and an exponent, or &H / &O for hexadecimal and octal. No number reads as 0.
double Val(std::string_view text);

// The tick interval in milliseconds for an answer to the speed box, always 1..200.
int IntervalFromAnswer(std::string_view answer);
