// The C heap over the process heap (see Startup.cpp for why the program has its own).
#include <windows.h>

extern "C" {

void* malloc(size_t size) { return ::HeapAlloc(::GetProcessHeap(), 0, size); }

void* calloc(size_t count, size_t size) {
  if (size != 0 && count > static_cast<size_t>(-1) / size) return nullptr;
  return ::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, count * size);
}

// Windows 95's HeapReAlloc does not take a null block: that case is a new block.
void* realloc(void* block, size_t size) {
  if (block == nullptr) return malloc(size);
  return ::HeapReAlloc(::GetProcessHeap(), 0, block, size);
}

void free(void* block) {
  if (block != nullptr) ::HeapFree(::GetProcessHeap(), 0, block);
}

}  // extern "C"
