#include "framework/String.h"

#include "framework/Memory.h"

namespace {

bool InSet(char c, StringView set) { return set.find(c) != StringView::npos; }

// The shared empty value: a header of length and capacity 0, and its NUL.
struct EmptyString {
  size_t length;
  size_t capacity;
  char nul;
};
const EmptyString kEmpty = {0, 0, '\0'};

}  // namespace

StringView StringView::substr(size_t pos, size_t n) const {
  if (pos > m_n) pos = m_n;
  if (n > m_n - pos) n = m_n - pos;
  return StringView(m_p + pos, n);
}

size_t StringView::find(char c, size_t from) const {
  for (size_t i = from; i < m_n; ++i) {
    if (m_p[i] == c) return i;
  }
  return npos;
}

size_t StringView::find(StringView s, size_t from) const {
  if (s.m_n > m_n) return npos;
  for (size_t i = from; i <= m_n - s.m_n; ++i) {
    if (__builtin_memcmp(m_p + i, s.m_p, s.m_n) == 0) return i;
  }
  return npos;
}

size_t StringView::rfind(char c) const {
  for (size_t i = m_n; i > 0; --i) {
    if (m_p[i - 1] == c) return i - 1;
  }
  return npos;
}

size_t StringView::find_first_of(StringView set, size_t from) const {
  for (size_t i = from; i < m_n; ++i) {
    if (InSet(m_p[i], set)) return i;
  }
  return npos;
}

size_t StringView::find_first_not_of(StringView set, size_t from) const {
  for (size_t i = from; i < m_n; ++i) {
    if (!InSet(m_p[i], set)) return i;
  }
  return npos;
}

size_t StringView::find_last_of(StringView set) const {
  for (size_t i = m_n; i > 0; --i) {
    if (InSet(m_p[i - 1], set)) return i - 1;
  }
  return npos;
}

size_t StringView::find_last_not_of(StringView set) const {
  for (size_t i = m_n; i > 0; --i) {
    if (!InSet(m_p[i - 1], set)) return i - 1;
  }
  return npos;
}

int StringView::compare(StringView s) const {
  const size_t n = m_n < s.m_n ? m_n : s.m_n;
  const int c = n == 0 ? 0 : __builtin_memcmp(m_p, s.m_p, n);
  if (c != 0) return c;
  return m_n < s.m_n ? -1 : (m_n > s.m_n ? 1 : 0);
}

char* CString::EmptyData() { return const_cast<char*>(&kEmpty.nul); }

void CString::Free() {
  if (capacity() != 0) MemoryFree(GetData());
}

CString& CString::operator=(CString&& s) noexcept {
  if (this != &s) {
    Free();
    m_pchData = s.m_pchData;
    s.m_pchData = EmptyData();
  }
  return *this;
}

bool CString::Grow(size_t n, bool mayFail) {
  const size_t have = capacity();
  if (n <= have) return true;
  // Half as much again, so that a text grown a character at a time is copied a few
  // times only.
  size_t want = have + have / 2;
  if (want < n) want = n;
  if (want < 15) want = 15;
  const size_t most = max_size();
  static_assert(sizeof(Data) == 2 * sizeof(size_t), "the header before the characters");
  void* block = nullptr;
  if (n <= most) {
    if (want > most) want = most;
    block = MemoryAllocate(sizeof(Data) + want + 1, mayFail);
  } else {
    block = MemoryAllocate(static_cast<size_t>(-1), mayFail);  // more than there can be
  }
  if (block == nullptr) return false;
  Data* data = static_cast<Data*>(block);
  data->length = size();
  data->capacity = want;
  __builtin_memcpy(data->chars(), m_pchData, data->length + 1);
  Free();
  m_pchData = data->chars();
  return true;
}

void CString::SetLength(size_t n) {
  if (capacity() == 0) return;  // the shared empty value stays as it is
  GetData()->length = n;
  m_pchData[n] = '\0';
}

CString& CString::assign(StringView s) {
  if (s.size() <= capacity()) {
    __builtin_memmove(m_pchData, s.data(), s.size());
    SetLength(s.size());
    return *this;
  }
  CString made;
  made.Grow(s.size(), false);
  __builtin_memcpy(made.m_pchData, s.data(), s.size());
  made.SetLength(s.size());
  return *this = static_cast<CString&&>(made);
}

CString& CString::append(StringView s) {
  const size_t old = size();
  if (s.size() == 0) return *this;
  if (old + s.size() <= capacity()) {
    __builtin_memmove(m_pchData + old, s.data(), s.size());
    SetLength(old + s.size());
    return *this;
  }
  // A new block: s may lie in the old one, which is freed only after the copy.
  CString made;
  made.Grow(old + s.size() < old ? npos : old + s.size(), false);
  __builtin_memcpy(made.m_pchData, m_pchData, old);
  __builtin_memcpy(made.m_pchData + old, s.data(), s.size());
  made.SetLength(old + s.size());
  return *this = static_cast<CString&&>(made);
}

CString& CString::append(size_t n, char c) {
  const size_t old = size();
  if (n == 0) return *this;
  Grow(old + n < old ? npos : old + n, false);
  __builtin_memset(m_pchData + old, c, n);
  SetLength(old + n);
  return *this;
}

CString& CString::erase(size_t pos, size_t n) {
  const size_t len = size();
  if (pos > len) pos = len;
  if (n > len - pos) n = len - pos;
  if (n == 0) return *this;
  __builtin_memmove(m_pchData + pos, m_pchData + pos + n, len - pos - n);
  SetLength(len - n);
  return *this;
}

CString& CString::insert(size_t pos, StringView s) {
  if (pos > size()) pos = size();
  CString made(StringView(*this).substr(0, pos));
  made.append(s).append(StringView(*this).substr(pos));
  return *this = static_cast<CString&&>(made);
}

void CString::resize(size_t n, char c) {
  if (n <= size()) {
    SetLength(n);
  } else {
    append(n - size(), c);
  }
}

bool CString::TryResize(size_t n, char c) {
  if (!Grow(n, true)) return false;
  resize(n, c);
  return true;
}

char* CString::GetBuffer(size_t nMinBufLength) {
  Grow(nMinBufLength < size() ? size() : nMinBufLength, false);
  if (capacity() == 0) Grow(1, false);  // a buffer to write to, never the shared one
  return m_pchData;
}

void CString::ReleaseBuffer(size_t nNewLength) {
  if (nNewLength == npos) nNewLength = __builtin_strlen(m_pchData);
  if (nNewLength > capacity()) nNewLength = capacity();
  SetLength(nNewLength);
}

CString operator+(StringView a, StringView b) {
  CString s;
  s.reserve(a.size() + b.size() < a.size() ? CString::npos : a.size() + b.size());
  s.append(a).append(b);
  return s;
}

CString operator+(StringView a, char c) { return a + StringView(&c, 1); }
