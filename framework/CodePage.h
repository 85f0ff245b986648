// What a character is in the texts of one code page. The program's texts are in the
// system's 8-bit code pages; on Japanese, Chinese and Korean Windows these are
// double-byte (932, 936, 949, 950): a character is one byte, or a lead byte (0x81 and
// up) and the byte after it, and that trail byte may be any of 0x40 to 0xFE, the
// backslash 0x5C among them. Blanks, tabs, quotes, dots, '/', ':', '*', '?', '&' and
// the line ends are never trail bytes. So every rule that scans, splits, joins, cuts or
// quotes a text reads it by character, through this class. A single-byte code page
// (the default) makes every byte a character, and the rules then read bytes as before.
#pragma once
#include <cstddef>
#include <cstdint>

#include "framework/String.h"

class CodePage {
 public:
  // Single-byte: every byte is a character.
  CodePage() = default;

  // The lead bytes as the platform reports them: up to `pairs` ranges of first and last
  // byte, ending early at a range of two zeros.
  static CodePage FromLeadByteRanges(const unsigned char* ranges, size_t pairs);
  // The code page of that number: 932, 936, 949 and 950 with their lead bytes, every
  // other number single-byte.
  static CodePage ForNumber(unsigned number);

  bool IsDoubleByte() const;
  bool IsLeadByte(char c) const {
    const unsigned char b = static_cast<unsigned char>(c);
    return (m_lead[b >> 5] >> (b & 31)) & 1u;
  }

  // The bytes of the character that starts at `pos` (pos < text.size()): 2 for a lead
  // byte followed by another byte, 1 otherwise (a lead byte at the end, or before a
  // NUL, stands alone, as the platform reads it).
  size_t CharLength(StringView text, size_t pos) const {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() && text[pos + 1] != '\0' ? 2 : 1;
  }

  // The first and the last position of a single-byte character of `set` in `text`, from
  // `from` on (which must start a character); npos when there is none. A trail byte is
  // never taken for one of them.
  size_t FindFirstOf(StringView text, const char* set, size_t from = 0) const;
  size_t FindLastOf(StringView text, const char* set) const;
  // The text's last character is the single-byte character c.
  bool EndsWith(StringView text, char c) const;

  // The most bytes, at most `limit`, that hold whole characters only: a character that
  // would not fit whole is left out.
  size_t CutPoint(StringView text, size_t limit) const;

  // The letter case of single-byte letters, A to Z as a to z; a double-byte character
  // stays as it is, its trail byte included.
  CString FoldedCase(StringView text) const;

  // The text with both bytes of each double-byte character made `stand`: positions
  // stay, and no trail byte is left to be taken for a separator, a dot or a blank. For
  // rules that look at single-byte characters only.
  CString SingleByteShape(StringView text, char stand) const;

 private:
  uint32_t m_lead[8] = {};  // one bit a byte: a lead byte
};
