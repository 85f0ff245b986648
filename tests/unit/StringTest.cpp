// The framework's string and array, in one group: their blocks are counted through the
// program's operator new, which every block of theirs goes through (framework/Memory.h).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <ostream>
#include <string>

#include "framework/PlainArray.h"
#include "framework/String.h"

namespace {
long g_blocks = 0;  // blocks made minus blocks given back
}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (p == nullptr) throw std::bad_alloc();
  ++g_blocks;
  return p;
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  // What the address sanitizer would refuse loudly is not there.
  void* p = n > (std::size_t(1) << 32) ? nullptr : std::malloc(n ? n : 1);
  if (p != nullptr) ++g_blocks;
  return p;
}
void operator delete(void* p) noexcept {
  if (p != nullptr) --g_blocks;
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

// Failures show the text.
void PrintTo(const CString& s, std::ostream* out) {
  *out << '"' << std::string(s.data(), s.size()) << '"';
}

namespace {

TEST(String, GrowsCutsAndCopiesItselfAndCountsItsBlocks) {
  const long before = g_blocks;
  {
    // Empty strings, however made, share one value and hold no block.
    CString empty, fromNull(static_cast<const char*>(nullptr)), fromEmpty(""), copy(empty);
    copy = fromEmpty;
    copy += "";
    CString sum = empty + "";
    EXPECT_EQ(g_blocks, before);
    EXPECT_EQ(empty.c_str(), sum.c_str());
    EXPECT_EQ(empty.capacity(), 0u);
    EXPECT_STREQ(fromNull.c_str(), "");
    empty.clear();
    empty.erase(3, 2);
    EXPECT_EQ(empty.substr(5), "");

    // Growth past the capacity keeps what was there; a NUL inside is a character.
    CString s("ab\0cd", 5);
    EXPECT_EQ(s.size(), 5u);
    EXPECT_EQ(g_blocks, before + 1);
    for (int i = 0; i < 200; ++i) {
      s.push_back(static_cast<char>('a' + i % 26));
      ASSERT_LE(s.size(), s.capacity());
    }
    EXPECT_EQ(s.size(), 205u);
    EXPECT_EQ(s.substr(0, 8), StringView("ab\0cdabc", 8));
    EXPECT_EQ(s.substr(200), "nopqr");
    EXPECT_EQ(s.c_str()[s.size()], '\0');
    EXPECT_EQ(s.find('\0'), 2u);
    EXPECT_EQ(g_blocks, before + 1) << "one block at a time";

    // Appending itself, or a piece of itself, at and past the capacity; assigning
    // itself and a piece of itself.
    CString self("xyz");
    self.append(self);
    EXPECT_EQ(self, "xyzxyz");
    while (self.size() < self.capacity()) self += 'q';
    self.append(StringView(self).substr(0, 4));
    EXPECT_EQ(self.substr(self.size() - 4), "xyzx");
    self = self;
    self.assign(StringView(self).substr(1, 3));
    EXPECT_EQ(self, "yzx");
    self = self + self;
    EXPECT_EQ(self, "yzxyzx");

    // Cuts are clamped at both ends.
    EXPECT_EQ(self.substr(4, 100), "zx");
    EXPECT_EQ(self.substr(100, 1), "");
    EXPECT_EQ(self.substr(2, 0), "");
    EXPECT_EQ(CString(self).erase(4, 100), "yzxy");
    EXPECT_EQ(CString(self).erase(100), self);
    EXPECT_EQ(CString(self).insert(100, "!"), "yzxyzx!");
    EXPECT_EQ(StringView("abc").find_last_not_of("c"), 1u);
    EXPECT_EQ(StringView("abc").find("bc", 2), StringView::npos);

    // A buffer for a call that fills it.
    CString filled;
    std::strcpy(filled.GetBuffer(10), "ten chars!");
    filled.ReleaseBuffer();
    EXPECT_EQ(filled, "ten chars!");
    filled.GetBuffer(3)[2] = '\0';
    filled.ReleaseBuffer();
    EXPECT_EQ(filled, "te");

    // A growth that may fail answers false and leaves the string as it was.
    EXPECT_FALSE(filled.TryResize(static_cast<size_t>(-1) / 2));
    EXPECT_EQ(filled, "te");
    EXPECT_TRUE(filled.TryResize(4, '-'));
    EXPECT_EQ(filled, "te--");
  }
  EXPECT_EQ(g_blocks, before) << "every block given back";

  {
    CPlainArray<uint32_t> a;
    EXPECT_EQ(g_blocks, before);
    for (uint32_t i = 0; i < 100; ++i) a.push_back(i);
    a.push_back(a[7]);  // an element of its own, at the capacity or not
    while (a.size() < 200) a.push_back(a.back());
    EXPECT_EQ(a[100], 7u);
    EXPECT_EQ(a[199], 7u);
    CPlainArray<uint32_t> b = a;
    b = b;
    b.resize(3);
    EXPECT_EQ(b.size(), 3u);
    EXPECT_EQ(b[2], 2u);
    EXPECT_FALSE(b.TryResize(static_cast<size_t>(-1) / 8));
    EXPECT_FALSE(b.TryReserve(static_cast<size_t>(-1)));
    EXPECT_EQ(b.size(), 3u);
    b.resize(5, 9);
    b.shrink_to_fit();
    EXPECT_EQ(b[4], 9u);
    a = static_cast<CPlainArray<uint32_t>&&>(b);
    EXPECT_EQ(a.size(), 5u);
    EXPECT_EQ(g_blocks, before + 1);
  }
  EXPECT_EQ(g_blocks, before) << "every block given back";
}

}  // namespace
