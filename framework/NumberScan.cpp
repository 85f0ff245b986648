#include "framework/NumberScan.h"

#include <limits>

namespace {

bool IsScanBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ScanUnsignedDecimal(StringView text, uint32_t* value) {
  std::size_t at = 0;
  while (at < text.size() && IsScanBlank(text[at])) ++at;
  if (at == text.size() || !IsDigit(text[at])) return false;
  uint64_t number = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    number = number * 10 + static_cast<uint64_t>(text[at] - '0');
    if (number > std::numeric_limits<uint32_t>::max()) return false;
  }
  while (at < text.size() && IsScanBlank(text[at])) ++at;
  if (at != text.size()) return false;
  if (value != nullptr) *value = static_cast<uint32_t>(number);
  return true;
}

CString UnsignedDecimalText(uint32_t value) {
  char digits[10];
  size_t n = 0;
  do {
    digits[sizeof digits - ++n] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  return CString(digits + sizeof digits - n, n);
}
