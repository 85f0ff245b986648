// The program's one operator new and delete, over the process heap. The
// program is built without exceptions: operator new never returns null. When the heap
// has no block to give, it says so in a message box of static texts (nothing more to
// allocate) and ends the program at once with status 3, as an abort does, destroying
// nothing. The nothrow forms answer null instead: the viewer's texts, which grow with a
// file, go on without the memory.
#include <windows.h>

#include <new>

extern "C" void abort();

// The tag of the nothrow forms, which the C++ library would define.
const std::nothrow_t std::nothrow{};

namespace {

const char kOutOfMemoryText[] = "There is not enough memory to go on. The installer ends.";
const char kOutOfMemoryCaption[] = "Out of Memory";

void* Block(size_t size) {
  return ::HeapAlloc(::GetProcessHeap(), 0, size != 0 ? size : 1);
}

[[noreturn]] void OutOfMemory() {
  ::MessageBoxA(nullptr, kOutOfMemoryText, kOutOfMemoryCaption,
                MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
  abort();
  __builtin_unreachable();
}

void* BlockOrEnd(size_t size) {
  void* block = Block(size);
  if (block == nullptr) OutOfMemory();
  return block;
}

void Give(void* block) {
  if (block != nullptr) ::HeapFree(::GetProcessHeap(), 0, block);
}

}  // namespace

void* operator new(size_t size) { return BlockOrEnd(size); }
void* operator new[](size_t size) { return BlockOrEnd(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Block(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Block(size); }
void operator delete(void* block) noexcept { Give(block); }
void operator delete[](void* block) noexcept { Give(block); }
void operator delete(void* block, size_t) noexcept { Give(block); }
void operator delete[](void* block, size_t) noexcept { Give(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Give(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Give(block); }
