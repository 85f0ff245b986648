// The 64-bit divisions that 32-bit code calls out for, so that the compiler's runtime
// adds none of its own (they would bring unwind tables, which nothing here reads). Built
// for 32-bit x86 only: 64-bit code divides by itself.
#if defined(__i386__)
#include <stdint.h>

namespace {

// Long division, one bit at a time. A divisor of 0 traps, as the processor's own
// division does.
uint64_t DivideUnsigned(uint64_t n, uint64_t d) {
  if (d == 0) __builtin_trap();
  if (d >> 63) return n >= d ? 1 : 0;  // the remainder below could not be doubled
  if ((n >> 32) == 0 && (d >> 32) == 0) return static_cast<uint32_t>(n) / static_cast<uint32_t>(d);
  uint64_t q = 0;
  uint64_t r = 0;
  for (int i = 63; i >= 0; --i) {
    r = (r << 1) | ((n >> i) & 1);
    if (r >= d) {
      r -= d;
      q |= uint64_t{1} << i;
    }
  }
  return q;
}

}  // namespace

extern "C" {

uint64_t __udivdi3(uint64_t n, uint64_t d) { return DivideUnsigned(n, d); }

// Rounds toward zero.
int64_t __divdi3(int64_t n, int64_t d) {
  const uint64_t un = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  const uint64_t ud = d < 0 ? 0 - static_cast<uint64_t>(d) : static_cast<uint64_t>(d);
  const uint64_t q = DivideUnsigned(un, ud);
  return static_cast<int64_t>((n < 0) != (d < 0) ? 0 - q : q);
}

}  // extern "C"
#endif
