#include "tools/driver/PictureCheck.h"

#include <unordered_map>

bool IsBlankPicture(const std::vector<uint32_t>& pixels) {
  if (pixels.empty()) return true;
  std::unordered_map<uint32_t, size_t> counts;
  size_t most = 0;
  for (uint32_t p : pixels) {
    size_t n = ++counts[p & 0xFFFFFFu];
    if (n > most) most = n;
  }
  return most * 100 > pixels.size() * 99;
}
