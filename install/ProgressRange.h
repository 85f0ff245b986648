// The decompression dialog's progress bar: a step for each archive volume and one for
// the end, TotalDisks + 1 in all. The control takes the bounds of its range as 16-bit
// values.
#pragma once
#include <cstdint>

inline constexpr uint32_t kProgressBarLimit = 0xFFFF;  // the largest bound the bar holds

// The bar's upper bound as the control gets it: TotalDisks + 1, cut to 16 bits.
inline uint16_t ProgressBarUpper(uint32_t totalDisks) {
  return static_cast<uint16_t>(totalDisks + 1);
}

// Whether the bar holds the steps of totalDisks volumes without the cut.
inline bool ProgressBarHolds(uint32_t totalDisks) { return totalDisks < kProgressBarLimit; }
