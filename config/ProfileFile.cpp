#include "config/ProfileFile.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string Trim(const std::string& s, size_t begin, size_t end) {
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string Unquote(const std::string& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

}  // namespace

ProfileFile ProfileFile::Parse(const std::string& bytes) {
  ProfileFile file;
  file.m_sections.push_back(std::string());
  size_t current = 0;
  size_t pos = 0;
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;

  while (pos < bytes.size()) {
    size_t eol = bytes.find('\n', pos);
    if (eol == std::string::npos) eol = bytes.size();
    std::string line = Trim(bytes, pos, eol);
    pos = eol + 1;

    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      // A header needs its closing bracket; without one the line is passed over and
      // the keys after it stay in the section before it.
      size_t close = line.find(']', 1);
      if (close == std::string::npos) continue;
      file.m_sections.push_back(Trim(line, 1, close));
      current = file.m_sections.size() - 1;
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    file.m_entries.push_back(Entry{current, Trim(line, 0, eq), Trim(line, eq + 1, line.size())});
  }
  return file;
}

bool ProfileFile::Find(const std::string& sectionName, const std::string& keyName,
                       std::string* value) const {
  const std::string section = Trim(sectionName, 0, sectionName.size());
  const std::string key = Trim(keyName, 0, keyName.size());
  size_t wanted = m_sections.size();
  for (size_t i = 1; i < m_sections.size(); ++i) {
    if (SameName(m_sections[i], section)) {
      wanted = i;
      break;
    }
  }
  if (wanted == m_sections.size()) return false;
  for (const Entry& e : m_entries) {
    if (e.section == wanted && SameName(e.key, key)) {
      *value = Unquote(e.value);
      return true;
    }
  }
  return false;
}

std::string ProfileFile::GetString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, size_t bufferSize) const {
  std::string value;
  if (!Find(section, key, &value)) value = defaultValue;
  size_t keep = bufferSize > 0 ? bufferSize - 1 : 0;
  if (value.size() > keep) value.resize(keep);
  return value;
}

uint32_t ProfileFile::ScanInt(const std::string& value) {
  size_t i = 0;
  if (i < value.size() && value[i] == '+') ++i;
  uint32_t n = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    n = n * 10u + static_cast<uint32_t>(value[i] - '0');
  }
  return n;
}

uint32_t ProfileFile::GetInt(const std::string& section, const std::string& key,
                             uint32_t defaultValue) const {
  std::string value;
  if (!Find(section, key, &value)) return defaultValue;
  return ScanInt(value);
}
