// Feeds arbitrary bytes to the log line rules as one line and checks what
// any result must satisfy, against prefixes and offsets written out here
// independently of the rules' own table.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "install/LogLineRules.h"

namespace {

bool StartsWith(const std::string& line, const char* prefix) {
  const std::size_t n = std::strlen(prefix);
  return line.size() >= n && std::memcmp(line.data(), prefix, n) == 0;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string TailFrom(const std::string& line, std::size_t offset) {
  return offset < line.size() ? line.substr(offset) : std::string();
}

void CheckSource(const std::string& line, const std::string& text) {
  if (StartsWith(line, " Extracting from")) {
    Require(text == TailFrom(line, 17));
    return;
  }
  Require(StartsWith(line, "Processing archive:"));
  Require(text == TailFrom(line, 20));
}

void CheckDestination(const std::string& line, const std::string& text) {
  Require(!StartsWith(line, " Extracting from"));
  Require(!StartsWith(line, "Processing archive:"));
  std::size_t offset = 0;
  if (StartsWith(line, " Extracting")) {
    offset = 13;
  } else {
    Require(StartsWith(line, "Extracting"));
    offset = 11;
  }
  Require(text.find(' ') == std::string::npos);
  const std::string tail = TailFrom(line, offset);
  if (!text.empty()) {
    Require(tail.compare(0, text.size(), text) == 0);
    Require(tail.size() > text.size() && tail[text.size()] == ' ');
  } else {
    const std::size_t blank = tail.find(' ');
    Require(blank == std::string::npos || blank == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const LogLineMatch match = MatchLogLine(line);
  switch (match.kind) {
    case LogLineKind::None:
      Require(match.text.empty());
      Require(!StartsWith(line, " Extracting"));
      Require(!StartsWith(line, "Extracting"));
      Require(!StartsWith(line, "Processing archive:"));
      break;
    case LogLineKind::Source:
      CheckSource(line, match.text);
      break;
    case LogLineKind::Destination:
      CheckDestination(line, match.text);
      break;
    default:
      Require(false);
  }
  Require(match.text.size() <= line.size());
  return 0;
}
