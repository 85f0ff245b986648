// Fuzzes the ARJ header reader: whatever the bytes, it stays inside them, ends, and
// what it reports fits the volume.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "check/ArjHeaders.h"

namespace {

uint32_t Get(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t n = 0;
  for (int i = bytes - 1; i >= 0; --i) n = (n << 8) | b[at + i];
  return n;
}

// Writes right CRCs into the headers a walk from the start finds, so that mutations
// reach past the CRC tests into the fields behind them.
void RightCrcs(std::vector<uint8_t>& b) {
  size_t pos = 0;
  bool main = true;
  while (pos + 4 <= b.size() && b[pos] == 0x60 && b[pos + 1] == 0xEA) {
    const size_t size = Get(b, pos + 2, 2);
    if (size == 0 || size > arj::kMaxBasicHeaderSize || pos + 8 + size > b.size()) return;
    const uint32_t crc = arj::Crc32(&b[pos + 4], size);
    for (int i = 0; i < 4; ++i) b[pos + 4 + size + i] = static_cast<uint8_t>(crc >> (8 * i));
    const size_t compressed = (!main && size >= 20) ? Get(b, pos + 4 + 12, 4) : 0;
    pos += 8 + size;
    for (;;) {  // extended headers
      if (pos + 2 > b.size()) return;
      const size_t ext = Get(b, pos, 2);
      pos += 2;
      if (ext == 0) break;
      if (pos + ext + 4 > b.size()) return;
      const uint32_t extCrc = arj::Crc32(&b[pos], ext);
      for (int i = 0; i < 4; ++i) b[pos + ext + i] = static_cast<uint8_t>(extCrc >> (8 * i));
      pos += ext + 4;
    }
    pos += compressed;
    main = false;
  }
}

void ReadOne(const uint8_t* data, size_t size) {
  MemorySource source(data, size);
  const arj::VolumeHeaders v = arj::ReadVolumeHeaders(source);
  if (v.mainHeaderOffset > size) std::abort();
  uint64_t last = 0;
  for (const arj::FileHeader& f : v.files) {
    // Headers in increasing order, each one's data inside the volume.
    if (f.offset < last || f.offset + f.compressedSize > size) std::abort();
    last = f.offset + 1;
  }
  if (!v.problem.empty() && v.problemOffset > size + 4) std::abort();
  // The same volume twice in a row, as a set: the tally must cope with any order.
  arj::SetTally tally;
  std::vector<std::string> problems;
  tally.Add(v, &problems);
  tally.Add(v, &problems);
  tally.Finish(&problems);
  if (tally.UnpackedBytes() > 2ull * 0xFFFFFFFFull * (size / 34 + 1)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadOne(data, size);
  std::vector<uint8_t> fixed(data, data + size);
  RightCrcs(fixed);
  ReadOne(fixed.data(), fixed.size());
  return 0;
}
