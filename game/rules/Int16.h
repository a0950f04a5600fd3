#pragma once

#include <cstdint>

// Every game integer is a 16-bit signed value that wraps around on overflow. The sum or
// product is taken in int (no overflow possible for two 16-bit operands) and brought back
// to 16 bits here; since C++20 that conversion is defined as modular, so the sanitizers stay
// quiet and the wrap-around is the same on every compiler.
using Int16 = std::int16_t;

constexpr Int16 Wrap16(int value) noexcept { return static_cast<Int16>(value); }
