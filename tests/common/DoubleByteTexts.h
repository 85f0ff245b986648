// Texts of Windows' double-byte code pages for the tests, as the bytes of each code
// page: a character whose trail byte is 0x5C, the backslash, and a folder name that
// begins with it. 949 has no such character: its texts show that nothing changes there.
#pragma once

struct DoubleByteTexts {
  unsigned codePage;
  const char* fiveC;   // one character, its trail byte 0x5C (949: an ordinary one)
  const char* folder;  // two or three characters, the first of them fiveC
};

inline constexpr DoubleByteTexts kDoubleByteTexts[] = {
    {932, "\x83\x5C", "\x83\x5C\x83\x74\x83\x67"},  // katakana so; so fu to
    {936, "\x9C\x5C", "\x9C\x5C\xCB\xAE"},           // GBK: qian; qian shui
    {949, "\xB0\xA1", "\xB0\xA1\xB3\xAA"},           // hangul ga; ga na
    {950, "\xB3\x5C", "\xB3\x5C\xA5\x5C"},           // Big5: xu; xu gong
};

inline const DoubleByteTexts* DoubleByteTextsFor(unsigned codePage) {
  for (const DoubleByteTexts& t : kDoubleByteTexts) {
    if (t.codePage == codePage) return &t;
  }
  return nullptr;
}
