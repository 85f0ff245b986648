#include "framework/CodePage.h"

namespace {

// The lead bytes of Windows' double-byte code pages, as the platform reports them.
const unsigned char kShiftJisLeads[] = {0x81, 0x9F, 0xE0, 0xFC};  // 932
const unsigned char kEastAsianLeads[] = {0x81, 0xFE};             // 936, 949, 950

bool InSet(char c, const char* set) {
  return c != '\0' && StringView(set).find(c) != StringView::npos;
}

}  // namespace

CodePage CodePage::FromLeadByteRanges(const unsigned char* ranges, size_t pairs) {
  CodePage page;
  for (size_t i = 0; i < pairs && (ranges[2 * i] != 0 || ranges[2 * i + 1] != 0); ++i) {
    for (unsigned b = ranges[2 * i]; b <= ranges[2 * i + 1] && b < 256; ++b) {
      page.m_lead[b >> 5] |= 1u << (b & 31);
    }
  }
  return page;
}

CodePage CodePage::ForNumber(unsigned number) {
  switch (number) {
    case 932:
      return FromLeadByteRanges(kShiftJisLeads, 2);
    case 936:
    case 949:
    case 950:
      return FromLeadByteRanges(kEastAsianLeads, 1);
    default:
      return CodePage();
  }
}

bool CodePage::IsDoubleByte() const {
  for (const uint32_t bits : m_lead) {
    if (bits != 0) return true;
  }
  return false;
}

size_t CodePage::FindFirstOf(StringView text, const char* set, size_t from) const {
  for (size_t i = from; i < text.size(); i += CharLength(text, i)) {
    if (InSet(text[i], set)) return i;
  }
  return StringView::npos;
}

size_t CodePage::FindLastOf(StringView text, const char* set) const {
  size_t found = StringView::npos;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (InSet(text[i], set)) found = i;
  }
  return found;
}

bool CodePage::EndsWith(StringView text, char c) const {
  if (text.empty() || text.back() != c) return false;
  if (!IsDoubleByte()) return true;
  size_t last = 0;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) last = i;
  return last == text.size() - 1;
}

size_t CodePage::CutPoint(StringView text, size_t limit) const {
  if (limit >= text.size()) return text.size();
  size_t i = 0;
  while (i < limit) {
    const size_t next = i + CharLength(text, i);
    if (next > limit) break;
    i = next;
  }
  return i;
}

CString CodePage::FoldedCase(StringView text) const {
  CString folded(text);
  for (size_t i = 0; i < folded.size(); i += CharLength(folded, i)) {
    if (folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
  }
  return folded;
}

CString CodePage::SingleByteShape(StringView text, char stand) const {
  CString shape(text);
  if (!IsDoubleByte()) return shape;
  for (size_t i = 0; i < shape.size();) {
    const size_t n = CharLength(shape, i);
    if (n == 2) shape[i] = shape[i + 1] = stand;
    i += n;
  }
  return shape;
}
