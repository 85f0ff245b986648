#include "framework/Memory.h"

#include <new>

void* MemoryAllocate(size_t bytes, bool mayFail) {
  if (mayFail) return ::operator new(bytes, std::nothrow);
  return ::operator new(bytes);
}

void MemoryFree(void* block) { ::operator delete(block); }
