// The memory and string functions that the compiler and the C++ library call (see
// Startup.cpp for why the program has its own). Built without the compiler's
// recognition of copy and fill loops, which would turn these loops into calls to
// themselves.
#include <stddef.h>

extern "C" {

void* memcpy(void* to, const void* from, size_t n) {
  void* d = to;
  __asm__ volatile("rep movsb" : "+D"(d), "+S"(from), "+c"(n) : : "memory");
  return to;
}

void* memmove(void* to, const void* from, size_t n) {
  unsigned char* d = static_cast<unsigned char*>(to);
  const unsigned char* s = static_cast<const unsigned char*>(from);
  if (d <= s || d >= s + n) return memcpy(to, from, n);
  while (n-- > 0) d[n] = s[n];  // overlapping, forward: copy from the end
  return to;
}

void* memset(void* to, int value, size_t n) {
  void* d = to;
  __asm__ volatile("rep stosb" : "+D"(d), "+c"(n) : "a"(value) : "memory");
  return to;
}

int memcmp(const void* a, const void* b, size_t n) {
  const unsigned char* p = static_cast<const unsigned char*>(a);
  const unsigned char* q = static_cast<const unsigned char*>(b);
  for (; n > 0; --n, ++p, ++q) {
    if (*p != *q) return *p - *q;
  }
  return 0;
}

void* memchr(const void* from, int value, size_t n) {
  const unsigned char* p = static_cast<const unsigned char*>(from);
  for (; n > 0; --n, ++p) {
    if (*p == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(p);
  }
  return nullptr;
}

size_t strlen(const char* s) {
  const char* p = s;
  while (*p != '\0') ++p;
  return static_cast<size_t>(p - s);
}

int strcmp(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) ++a, ++b;
  return static_cast<unsigned char>(*a) - static_cast<unsigned char>(*b);
}

char* strchr(const char* s, int c) {
  for (;; ++s) {
    if (*s == static_cast<char>(c)) return const_cast<char*>(s);
    if (*s == '\0') return nullptr;
  }
}

}  // extern "C"
