#pragma once

#include <cstddef>

// Counts the calls of the global operator new in this process (defined in
// AllocationCounter.cpp), so a benchmark can show that its loop allocates nothing.
std::size_t Allocations();
