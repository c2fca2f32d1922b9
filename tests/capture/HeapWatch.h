// What the test process allocates: a count of every C++ allocation (operator new in all its
// forms is replaced) and the heap bytes in use, under the sanitizers or without them.
#pragma once
#include <cstddef>

// Allocations made so far; read it before and after the code under test.
long AllocationCount();
// Bytes the program holds on the heap now (freed blocks the sanitizer still quarantines and the
// allocator's cached pages do not count).
size_t HeapBytesInUse();
