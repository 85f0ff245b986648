#include "check/Utf8.h"

namespace {

// The length of the sequence a lead byte starts; 0 for a byte that cannot lead.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

bool DecodeUtf8(const std::string& bytes, std::vector<uint32_t>* characters) {
  static const uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    const size_t n = SequenceLength(lead);
    if (n == 0 || i + n > bytes.size()) return false;
    uint32_t c = n == 1 ? lead : lead & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < kSmallest[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    if (characters != nullptr) characters->push_back(c);
    i += n;
  }
  return true;
}

bool IsUtf8BeyondAscii(const std::string& bytes) {
  bool beyond = false;
  for (char c : bytes) beyond = beyond || static_cast<unsigned char>(c) >= 0x80;
  return beyond && DecodeUtf8(bytes, nullptr);
}

std::string Utf8CharacterAt(const std::string& bytes, size_t offset) {
  if (offset >= bytes.size()) return std::string();
  size_t n = SequenceLength(static_cast<unsigned char>(bytes[offset]));
  if (n == 0) n = 1;
  return bytes.substr(offset, n);
}
