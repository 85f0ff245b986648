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
#include <string>
#include <vector>

class ProfileFile {
 public:
  // An empty profile: every lookup finds nothing (an absent or unreadable file).
  ProfileFile() = default;
  // Parses the file's bytes; nothing in them is an error.
  static ProfileFile Parse(const std::string& bytes);

  // The key's value, blanks trimmed and quotes removed. False when the key is absent.
  bool Find(const std::string& section, const std::string& key, std::string* value) const;

  // The key's value cut to bufferSize - 1 characters (a buffer of bufferSize with its
  // terminator), or the default when the key is absent.
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultValue, size_t bufferSize) const;

  // The key's value as an unsigned integer, or the default when the key is absent.
  uint32_t GetInt(const std::string& section, const std::string& key,
                  uint32_t defaultValue) const;

  // Scans the integer at the start of a value (rules above).
  static uint32_t ScanInt(const std::string& value);

 private:
  struct Entry {
    size_t section;  // index into m_sections
    std::string key;
    std::string value;
  };
  std::vector<std::string> m_sections;  // in file order; [0] is the nameless one
  std::vector<Entry> m_entries;         // in file order
};
