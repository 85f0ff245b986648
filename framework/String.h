// The framework's texts: bytes in the system's 8-bit code page, counted (a NUL inside is
// kept), and no library behind them. Portable.
//
// StringView: a pointer and a length, for rules that only read a text. Anything with
// data() and size() converts to it, so callers keep their own strings (the packagers'
// tools keep the C++ library's), and it converts to a copy in any of them.
//
// CString: a counted, growable string. It is one pointer, to its characters; a header
// before them holds the length and the capacity. Every empty string that has never
// grown shares one static empty value and allocates nothing. The characters are always
// followed by a NUL, so c_str() is there for the system's calls. Blocks come from
// MemoryAllocate (framework/Memory.h): a growth that fails ends the program there, apart
// from the Try calls, which answer false and leave the string as it was. Positions past
// the end are clamped, never an error. A copy converts to any string class that is
// made from a pointer and a length.
#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

class StringView {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);

  constexpr StringView() : m_p(""), m_n(0) {}
  constexpr StringView(const char* p, size_t n) : m_p(p), m_n(n) {}
  // A NUL-terminated text; null is the empty text.
  constexpr StringView(const char* s)
      : m_p(s != nullptr ? s : ""), m_n(s != nullptr ? __builtin_strlen(s) : 0) {}
  // Anything that has its characters at data() and their count at size().
  template <typename S,
            typename = decltype(static_cast<const char*>(static_cast<const S*>(nullptr)->data())),
            typename = decltype(static_cast<size_t>(static_cast<const S*>(nullptr)->size()))>
  StringView(const S& s) : m_p(s.data()), m_n(s.size()) {}

  const char* data() const { return m_p; }
  size_t size() const { return m_n; }
  size_t length() const { return m_n; }
  bool empty() const { return m_n == 0; }
  char operator[](size_t i) const { return m_p[i]; }
  char front() const { return m_p[0]; }
  char back() const { return m_p[m_n - 1]; }
  const char* begin() const { return m_p; }
  const char* end() const { return m_p + m_n; }

  // The characters from pos on, at most n of them; both clamped to the text.
  StringView substr(size_t pos, size_t n = npos) const;
  size_t find(char c, size_t from = 0) const;
  size_t find(StringView s, size_t from = 0) const;
  size_t rfind(char c) const;
  size_t find_first_of(StringView set, size_t from = 0) const;
  size_t find_first_not_of(StringView set, size_t from = 0) const;
  size_t find_last_of(StringView set) const;
  size_t find_last_not_of(StringView set) const;
  bool starts_with(StringView s) const {
    return m_n >= s.m_n && __builtin_memcmp(m_p, s.m_p, s.m_n) == 0;
  }
  // <0, 0 or >0 as this text sorts before, with or after s, byte by unsigned byte.
  int compare(StringView s) const;

  // A copy as any string class made from a pointer and a length, but the framework's
  // own (CString is made from a view).
  template <typename S, typename = std::enable_if_t<!std::is_same<S, StringView>::value &&
                                                    !std::is_same<S, class CString>::value>,
            typename = decltype(S(static_cast<const char*>(nullptr), size_t()))>
  operator S() const {
    return S(m_p, m_n);
  }


 private:
  const char* m_p;
  size_t m_n;
};

inline bool operator==(StringView a, StringView b) {
  return a.size() == b.size() && __builtin_memcmp(a.data(), b.data(), a.size()) == 0;
}
inline bool operator!=(StringView a, StringView b) { return !(a == b); }
inline bool operator<(StringView a, StringView b) { return a.compare(b) < 0; }

class CString {
 public:
  static constexpr size_t npos = StringView::npos;

  CString() : m_pchData(EmptyData()) {}
  CString(const char* s) : CString() { assign(StringView(s)); }
  CString(const char* s, size_t n) : CString() { assign(StringView(s, n)); }
  CString(StringView s) : CString() { assign(s); }
  CString(size_t n, char c) : CString() { append(n, c); }
  CString(const CString& s) : CString() { assign(StringView(s)); }
  CString(CString&& s) noexcept : m_pchData(s.m_pchData) { s.m_pchData = EmptyData(); }
  ~CString() { Free(); }

  CString& operator=(const CString& s) { return assign(StringView(s)); }
  CString& operator=(CString&& s) noexcept;
  CString& operator=(const char* s) { return assign(StringView(s)); }
  CString& operator=(StringView s) { return assign(s); }

  // Texts are made from characters only: a number or a wide character would be
  // converted by the overload resolution into something else.
  CString(char) = delete;
  CString(int) = delete;
  CString(unsigned) = delete;
  CString(long) = delete;
  CString(unsigned long) = delete;
  CString(long long) = delete;
  CString(unsigned long long) = delete;
  CString(const wchar_t*) = delete;
  CString& operator=(char) = delete;
  CString& operator=(int) = delete;
  CString& operator=(const wchar_t*) = delete;
  CString& operator+=(int) = delete;
  CString& operator+=(unsigned) = delete;
  CString& operator+=(const wchar_t*) = delete;

  const char* c_str() const { return m_pchData; }
  const char* data() const { return m_pchData; }
  char* data() { return m_pchData; }
  size_t size() const { return GetData()->length; }
  size_t length() const { return size(); }
  size_t capacity() const { return GetData()->capacity; }
  // The longest text there can be.
  static constexpr size_t max_size() {
    return (static_cast<size_t>(-1) >> 1) - 2 * sizeof(size_t) - 1;
  }
  bool empty() const { return size() == 0; }
  char& operator[](size_t i) { return m_pchData[i]; }
  char operator[](size_t i) const { return m_pchData[i]; }
  char& back() { return m_pchData[size() - 1]; }
  char back() const { return m_pchData[size() - 1]; }
  char front() const { return m_pchData[0]; }
  char* begin() { return m_pchData; }
  char* end() { return m_pchData + size(); }
  const char* begin() const { return m_pchData; }
  const char* end() const { return m_pchData + size(); }

  // Reading, as StringView does it.
  CString substr(size_t pos, size_t n = npos) const {
    return CString(StringView(*this).substr(pos, n));
  }
  size_t find(char c, size_t from = 0) const { return StringView(*this).find(c, from); }
  size_t find(StringView s, size_t from = 0) const { return StringView(*this).find(s, from); }
  size_t rfind(char c) const { return StringView(*this).rfind(c); }
  size_t find_first_of(StringView set, size_t from = 0) const {
    return StringView(*this).find_first_of(set, from);
  }
  size_t find_first_not_of(StringView set, size_t from = 0) const {
    return StringView(*this).find_first_not_of(set, from);
  }
  size_t find_last_of(StringView set) const { return StringView(*this).find_last_of(set); }
  size_t find_last_not_of(StringView set) const { return StringView(*this).find_last_not_of(set); }
  int compare(StringView s) const { return StringView(*this).compare(s); }

  // Changing. A text given may be a part of this one.
  CString& assign(StringView s);
  CString& assign(const char* s, size_t n) { return assign(StringView(s, n)); }
  CString& append(StringView s);
  CString& append(const char* s, size_t n) { return append(StringView(s, n)); }
  CString& append(size_t n, char c);
  CString& operator+=(StringView s) { return append(s); }
  CString& operator+=(const char* s) { return append(StringView(s)); }
  CString& operator+=(const CString& s) { return append(StringView(s)); }
  CString& operator+=(char c) { return append(1, c); }
  void push_back(char c) { append(1, c); }
  void pop_back() { SetLength(size() - 1); }
  // Cuts the characters from pos on, at most n of them (clamped).
  CString& erase(size_t pos = 0, size_t n = npos);
  CString& insert(size_t pos, StringView s);
  void clear() { SetLength(0); }
  // New characters are c.
  void resize(size_t n, char c = '\0');
  void reserve(size_t n) { Grow(n, false); }
  // resize and reserve that answer false, the string unchanged, when the memory is not
  // there.
  bool TryResize(size_t n, char c = '\0');
  bool TryReserve(size_t n) { return Grow(n, true); }

  // For calls that fill a buffer: room for nMinBufLength characters and the NUL at
  // data(), whose contents up to the length stay; ReleaseBuffer then sets the length,
  // by default up to the first NUL.
  char* GetBuffer(size_t nMinBufLength);
  void ReleaseBuffer(size_t nNewLength = npos);

  // The names the framework's callers know.
  size_t GetLength() const { return size(); }
  bool IsEmpty() const { return empty(); }

  // A copy as any other string made of a pointer and a length (the packagers' tools
  // and the tests take their own strings from the rules).
  template <typename S, typename = std::enable_if_t<!std::is_same<S, StringView>::value>,
            typename = decltype(S(static_cast<const char*>(nullptr), size_t()))>
  operator S() const {
    return S(m_pchData, size());
  }

 private:
  struct Data {
    size_t length;
    size_t capacity;  // characters that fit before the NUL; 0: the shared empty value
    char* chars() { return reinterpret_cast<char*>(this + 1); }
  };
  static char* EmptyData();
  Data* GetData() const { return reinterpret_cast<Data*>(m_pchData) - 1; }
  // Room for n characters; false only with mayFail when the memory is not there.
  bool Grow(size_t n, bool mayFail);
  void SetLength(size_t n);
  void Free();

  char* m_pchData;
};

CString operator+(StringView a, StringView b);
CString operator+(StringView a, char c);
// A string about to go adds to its own block.
template <typename T, typename = std::enable_if_t<std::is_same<T, CString>::value>>
CString operator+(T&& a, StringView b) {
  return static_cast<CString&&>(a.append(b));
}
template <typename T, typename = std::enable_if_t<std::is_same<T, CString>::value>>
CString operator+(T&& a, char c) {
  return static_cast<CString&&>(a.append(1, c));
}
