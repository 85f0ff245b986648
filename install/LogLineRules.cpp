#include "install/LogLineRules.h"

namespace {

struct LogLineRule {
  StringView prefix;
  std::size_t charactersDropped;
  LogLineKind kind;
  bool cutBeforeFirstBlank;
};

constexpr LogLineRule kLogLineRules[] = {
    {" Extracting from", 17, LogLineKind::Source, false},
    {"Processing archive:", 20, LogLineKind::Source, false},
    {" Extracting", 13, LogLineKind::Destination, true},
    {"Extracting", 11, LogLineKind::Destination, true},
};

CString DropFront(StringView line, std::size_t count) {
  return count >= line.size() ? CString() : CString(line.substr(count));
}

CString KeepBeforeFirstBlank(StringView text) {
  const std::size_t blank = text.find(' ');
  return blank == CString::npos ? CString() : CString(text.substr(0, blank));
}

}  // namespace

LogLineMatch MatchLogLine(StringView line) {
  for (const LogLineRule& rule : kLogLineRules) {
    if (!line.starts_with(rule.prefix)) continue;
    CString text = DropFront(line, rule.charactersDropped);
    if (rule.cutBeforeFirstBlank) text = KeepBeforeFirstBlank(text);
    return {rule.kind, text};
  }
  return {LogLineKind::None, CString()};
}
