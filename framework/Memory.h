// The one pair of functions through which the framework's strings and arrays get and
// give back their blocks (framework/String.h, framework/PlainArray.h), so that a test
// can count them. Portable.
#pragma once
#include <cstddef>

// A block of `bytes`. With mayFail the answer is null when the memory is not there; the
// caller goes on without it. Without it the answer is never null: the program's
// operator new decides what a failure does (the installer's runtime ends the program).
void* MemoryAllocate(size_t bytes, bool mayFail);
// Gives back a block of MemoryAllocate; null does nothing.
void MemoryFree(void* block);
