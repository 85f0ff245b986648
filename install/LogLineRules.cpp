#include "install/LogLineRules.h"

#include <string_view>

namespace {

struct LogLineRule {
  std::string_view prefix;
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

bool StartsWith(const std::string& line, std::string_view prefix) {
  return line.size() >= prefix.size() && std::string_view(line).substr(0, prefix.size()) == prefix;
}

std::string DropFront(const std::string& line, std::size_t count) {
  return count >= line.size() ? std::string() : line.substr(count);
}

std::string KeepBeforeFirstBlank(const std::string& text) {
  const std::size_t blank = text.find(' ');
  return blank == std::string::npos ? std::string() : text.substr(0, blank);
}

}  // namespace

LogLineMatch MatchLogLine(const std::string& line) {
  for (const LogLineRule& rule : kLogLineRules) {
    if (!StartsWith(line, rule.prefix)) continue;
    std::string text = DropFront(line, rule.charactersDropped);
    if (rule.cutBeforeFirstBlank) text = KeepBeforeFirstBlank(text);
    return {rule.kind, text};
  }
  return {LogLineKind::None, std::string()};
}
