// CPlainArray: a growable array of plain elements (numbers, pointers, structures of
// them: copied and given up byte for byte, no constructor or destructor run). Its block
// comes from MemoryAllocate (framework/Memory.h); an array that has never grown holds
// none. A growth that fails ends the program there, apart from the Try calls, which
// answer false and leave the array as it was. Portable.
#pragma once
#include <cstddef>
#include <type_traits>

#include "framework/Memory.h"

template <typename T>
class CPlainArray {
  static_assert(std::is_trivially_copyable<T>::value && std::is_trivially_destructible<T>::value,
                "an array of plain elements");

 public:
  CPlainArray() = default;
  CPlainArray(const CPlainArray& a) { Assign(a); }
  CPlainArray(CPlainArray&& a) noexcept : m_p(a.m_p), m_size(a.m_size), m_capacity(a.m_capacity) {
    a.m_p = nullptr;
    a.m_size = a.m_capacity = 0;
  }
  ~CPlainArray() { MemoryFree(m_p); }
  CPlainArray& operator=(const CPlainArray& a) {
    if (this != &a) Assign(a);
    return *this;
  }
  CPlainArray& operator=(CPlainArray&& a) noexcept {
    if (this != &a) {
      MemoryFree(m_p);
      m_p = a.m_p;
      m_size = a.m_size;
      m_capacity = a.m_capacity;
      a.m_p = nullptr;
      a.m_size = a.m_capacity = 0;
    }
    return *this;
  }

  size_t size() const { return m_size; }
  size_t capacity() const { return m_capacity; }
  bool empty() const { return m_size == 0; }
  T* data() { return m_p; }
  const T* data() const { return m_p; }
  T& operator[](size_t i) { return m_p[i]; }
  const T& operator[](size_t i) const { return m_p[i]; }
  T& back() { return m_p[m_size - 1]; }
  const T& back() const { return m_p[m_size - 1]; }
  T* begin() { return m_p; }
  T* end() { return m_p + m_size; }
  const T* begin() const { return m_p; }
  const T* end() const { return m_p + m_size; }

  void clear() { m_size = 0; }
  void pop_back() { --m_size; }
  void push_back(const T& value) {
    const T copy = value;  // value may lie in the block that growing gives up
    Grow(m_size + 1, false);
    m_p[m_size++] = copy;
  }
  bool TryPushBack(const T& value) {
    const T copy = value;
    if (!Grow(m_size + 1, true)) return false;
    m_p[m_size++] = copy;
    return true;
  }
  // New elements are value.
  void resize(size_t n, const T& value = T()) { Resize(n, value, false); }
  bool TryResize(size_t n, const T& value = T()) { return Resize(n, value, true); }
  void reserve(size_t n) { Grow(n, false); }
  bool TryReserve(size_t n) { return Grow(n, true); }
  // Gives up the block's room beyond the elements.
  void shrink_to_fit() {
    if (m_capacity == m_size) return;
    CPlainArray made;
    if (m_size > 0 && !made.Grow(m_size, true)) return;
    Move(made);
  }

 private:
  bool Resize(size_t n, const T& value, bool mayFail) {
    const T copy = value;
    if (!Grow(n, mayFail)) return false;
    for (size_t i = m_size; i < n; ++i) m_p[i] = copy;
    m_size = n;
    return true;
  }
  bool Grow(size_t n, bool mayFail) {
    if (n <= m_capacity) return true;
    size_t want = m_capacity + m_capacity / 2;
    if (want < n) want = n;
    if (want < 4) want = 4;
    const size_t most = (static_cast<size_t>(-1) >> 1) / sizeof(T);
    if (want > most) want = n;
    T* block = static_cast<T*>(
        MemoryAllocate(n > most ? static_cast<size_t>(-1) : want * sizeof(T), mayFail));
    if (block == nullptr) return false;
    if (m_size > 0) __builtin_memcpy(static_cast<void*>(block), m_p, m_size * sizeof(T));
    MemoryFree(m_p);
    m_p = block;
    m_capacity = want;
    return true;
  }
  // The elements into made's block, which becomes this array's.
  void Move(CPlainArray& made) {
    if (m_size > 0) __builtin_memcpy(static_cast<void*>(made.m_p), m_p, m_size * sizeof(T));
    made.m_size = m_size;
    *this = static_cast<CPlainArray&&>(made);
  }
  void Assign(const CPlainArray& a) {
    clear();
    Grow(a.m_size, false);
    if (a.m_size > 0) __builtin_memcpy(static_cast<void*>(m_p), a.m_p, a.m_size * sizeof(T));
    m_size = a.m_size;
  }

  T* m_p = nullptr;
  size_t m_size = 0;
  size_t m_capacity = 0;
};
