#include "config/ProfileFile.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

StringView Trim(StringView s, size_t begin, size_t end) {
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

StringView Unquote(StringView v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

}  // namespace

ProfileFile::Line ProfileFile::ReadLine(StringView bytes, size_t& pos) {
  if (pos == 0 && bytes.starts_with("\xEF\xBB\xBF")) pos = 3;
  size_t eol = bytes.find('\n', pos);
  if (eol == StringView::npos) eol = bytes.size();
  const StringView text = Trim(bytes, pos, eol);
  pos = eol + 1;

  Line line;
  line.carriageReturnInside = text.find('\r') != StringView::npos;
  if (text.empty()) {
    line.kind = LineKind::Blank;
  } else if (text[0] == ';') {
    line.kind = LineKind::Comment;
  } else if (text[0] == '[') {
    // A header needs its closing bracket; without one the line is passed over and
    // the keys after it stay in the section before it.
    const size_t close = text.find(']', 1);
    if (close == StringView::npos) {
      line.kind = LineKind::UnclosedSection;
    } else {
      line.kind = LineKind::Section;
      line.name = Trim(text, 1, close);
    }
  } else {
    const size_t eq = text.find('=');
    if (eq == StringView::npos) {
      line.kind = LineKind::NoEquals;
    } else {
      line.kind = LineKind::Key;
      line.name = Trim(text, 0, eq);
      line.value = Trim(text, eq + 1, text.size());
    }
  }
  return line;
}

ProfileFile::Piece ProfileFile::Keep(StringView text) {
  const Piece piece = {m_texts.size(), text.size()};
  m_texts.append(text);
  return piece;
}

ProfileFile ProfileFile::Parse(StringView bytes) {
  ProfileFile file;
  file.m_sections.push_back(Piece{0, 0});
  size_t current = 0;
  size_t number = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    Line line = ReadLine(bytes, pos);
    ++number;
    if (line.kind == LineKind::Section) {
      file.m_sections.push_back(file.Keep(line.name));
      current = file.m_sections.size() - 1;
    } else if (line.kind == LineKind::Key) {
      file.m_entries.push_back(Entry{current, file.Keep(line.name), file.Keep(line.value), number});
    }
  }
  return file;
}

bool ProfileFile::SameName(StringView a, StringView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

const ProfileFile::Entry* ProfileFile::Lookup(StringView sectionName, StringView keyName) const {
  const StringView section = Trim(sectionName, 0, sectionName.size());
  const StringView key = Trim(keyName, 0, keyName.size());
  size_t wanted = m_sections.size();
  for (size_t i = 1; i < m_sections.size(); ++i) {
    if (SameName(Text(m_sections[i]), section)) {
      wanted = i;
      break;
    }
  }
  if (wanted == m_sections.size()) return nullptr;
  for (const Entry& e : m_entries) {
    if (e.section == wanted && SameName(Text(e.key), key)) return &e;
  }
  return nullptr;
}

bool ProfileFile::Find(StringView section, StringView key, CString* value, size_t* line) const {
  const Entry* e = Lookup(section, key);
  if (e == nullptr) return false;
  *value = Unquote(Text(e->value));
  if (line != nullptr) *line = e->line;
  return true;
}

size_t ProfileFile::LineOf(StringView section, StringView key) const {
  const Entry* e = Lookup(section, key);
  return e == nullptr ? 0 : e->line;
}

CString ProfileFile::GetString(StringView section, StringView key, StringView defaultValue,
                               size_t bufferSize, const CodePage& cp) const {
  CString value;
  if (!Find(section, key, &value)) value = defaultValue;
  return Cut(value, bufferSize, cp);
}

CString ProfileFile::Cut(StringView text, size_t bufferSize, const CodePage& cp) {
  return CString(text.substr(0, cp.CutPoint(text, bufferSize > 0 ? bufferSize - 1 : 0)));
}

ProfileFile::Number ProfileFile::ScanNumber(StringView value) {
  Number number;
  number.negative = !value.empty() && value[0] == '-';
  size_t i = 0;
  if (i < value.size() && value[i] == '+') ++i;
  number.isNumber = i < value.size() && value[i] >= '0' && value[i] <= '9';
  uint64_t whole = 0;  // the digits so far without the wrap, while they fit
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    const uint32_t digit = static_cast<uint32_t>(value[i] - '0');
    number.value = number.value * 10u + digit;
    if (!number.wrapped) {
      whole = whole * 10u + digit;
      number.wrapped = whole > 0xFFFFFFFFu;
    }
  }
  return number;
}

uint32_t ProfileFile::GetInt(StringView section, StringView key, uint32_t defaultValue) const {
  CString value;
  if (!Find(section, key, &value)) return defaultValue;
  return ScanNumber(value).value;
}
