// Counts every C++ allocation of the test process (operator new in all its forms is replaced).
#pragma once

// Allocations made so far; read it before and after the code under test.
long AllocationCount();
