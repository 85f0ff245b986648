#include "tools/driver/PictureCheck.h"

#include <cstddef>
#include <unordered_map>

bool IsBlankPicture(const std::vector<uint32_t>& pixels) {
  if (pixels.empty()) return true;
  std::unordered_map<uint32_t, std::size_t> counts;
  std::size_t most = 0;
  for (uint32_t p : pixels) {
    std::size_t n = ++counts[p & 0xFFFFFFu];
    if (n > most) most = n;
  }
  return most * 100 > pixels.size() * 99;
}
