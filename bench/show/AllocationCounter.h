// Counts the program's C++ heap allocations (every operator new), to prove a frame makes none.
#pragma once
#include <cstdint>

int64_t AllocationCount();
