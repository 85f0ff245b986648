// Reader for INI-style profile files: "[section]" headers and "key=value" lines.
//
// Lookups follow the rules the installer relies on:
// - section and key names match without regard to letter case (ASCII);
// - only the first section of a name is searched, and the first key of a name in it;
// - a value loses its leading and trailing blanks, then one enclosing pair of double
//   or single quotation marks; a present key with an empty value yields "";
// - integers: the decimal number at the start of the value (an optional "+"),
//   0 when the value does not begin with a number or is negative; digits past 32 bits
//   wrap around, as the platform's profile reader does.
// Lines starting with ";" are comments; lines without "=" are passed over, and so is a
// "[" line without its "]"; keys before the first header belong to no section. A UTF-8 byte order mark is skipped.
#pragma once
#include <cstddef>
#include <cstdint>

#include "framework/CodePage.h"
#include "framework/PlainArray.h"
#include "framework/String.h"

class ProfileFile {
 public:
  // An empty profile: every lookup finds nothing (an absent or unreadable file).
  ProfileFile() = default;
  // Parses the file's bytes; nothing in them is an error.
  static ProfileFile Parse(StringView bytes);

  // The key's value, blanks trimmed and quotes removed, and the line it is on (if
  // asked). False when the key is absent.
  bool Find(StringView section, StringView key, CString* value,
            size_t* line = nullptr) const;

  // The key's value cut to what a buffer of bufferSize holds with its terminator, or
  // the default when the key is absent.
  CString GetString(StringView section, StringView key, StringView defaultValue,
                    size_t bufferSize, const CodePage& cp) const;
  // A text cut to what a buffer of bufferSize holds with its terminator: at most
  // bufferSize - 1 bytes, and only whole characters of the code page (a double-byte
  // character that would not fit whole is left out).
  static CString Cut(StringView text, size_t bufferSize, const CodePage& cp);

  // The key's value as an unsigned integer, or the default when the key is absent.
  uint32_t GetInt(StringView section, StringView key,
                  uint32_t defaultValue) const;

  // What the integer scan makes of a value (rules above).
  struct Number {
    uint32_t value = 0;     // what a lookup of the key returns
    bool isNumber = false;  // the value starts with decimal digits (after an optional "+")
    bool negative = false;  // the value starts with "-": read as 0
    bool wrapped = false;   // the digits go past 32 bits and wrapped around
  };
  static Number ScanNumber(StringView value);
  // Scans the integer at the start of a value: ScanNumber(value).value.
  static uint32_t ScanInt(StringView value) { return ScanNumber(value).value; }

  // The line a lookup finds the key on (1-based), 0 when the key is absent.
  size_t LineOf(StringView section, StringView key) const;

  // Names compare the way lookups compare them: ASCII letters without regard to case.
  static bool SameName(StringView a, StringView b);
  // The letter case that SameName ignores: A to Z as a to z, every other byte as it is.
  static char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }

  // What the reader makes of each line, for tools that explain a file. Parse and
  // Inspect read lines through the same ReadLine. The texts of a line are pieces of the
  // bytes it was read from, which must outlive it.
  enum class LineKind {
    Blank,            // nothing but blanks
    Comment,          // starts with ";"
    Section,          // "[name]"
    UnclosedSection,  // "[" without "]": passed over
    Key,              // "key=value"
    NoEquals,         // anything else: passed over
  };
  struct Line {
    size_t number = 0;  // 1-based; lines end at "\n" only
    LineKind kind = LineKind::Blank;
    StringView name;    // Section: its name; Key: the key's name
    StringView value;   // Key: its value, blanks trimmed, quotes kept
    size_t section = 0;          // the section the line belongs to (0: before any header)
    StringView sectionName;      // that section's name
    size_t earlierLine = 0;      // Section: first section of this name; Key: first key of
                                 // this name in this section; 0 when this is the first
    bool carriageReturnInside = false;  // a "\r" inside: line ends the reader does not split on
  };
  static CPlainArray<Line> Inspect(StringView bytes);

  // Reads the line that starts at pos (after a UTF-8 byte order mark when pos is 0)
  // and moves pos past its "\n". Sets kind, name, value and carriageReturnInside.
  static Line ReadLine(StringView bytes, size_t& pos);

 private:
  // A text kept in m_texts.
  struct Piece {
    size_t at;
    size_t size;
  };
  struct Entry {
    size_t section;  // index into m_sections
    Piece key;
    Piece value;
    size_t line;
  };
  const Entry* Lookup(StringView section, StringView key) const;
  StringView Text(Piece p) const { return StringView(m_texts.data() + p.at, p.size); }
  Piece Keep(StringView text);

  CString m_texts;                  // the names and values, one after the other
  CPlainArray<Piece> m_sections;    // names in file order; [0] is the nameless one
  CPlainArray<Entry> m_entries;     // in file order
};
