// The line-by-line account of a profile file, for tools that explain one (the package
// checker). Kept apart from the reader itself, which the installer needs alone.
#include <map>
#include <utility>

#include "config/ProfileFile.h"

std::vector<ProfileFile::Line> ProfileFile::Inspect(const std::string& bytes) {
  std::vector<Line> lines;
  std::vector<size_t> sectionLines(1, 0);  // header line of each section; [0] nameless
  std::vector<std::string> sectionNames(1, std::string());
  std::map<std::pair<size_t, std::string>, size_t> firstKeys;  // (section, lower name)
  size_t current = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    Line line = ReadLine(bytes, pos);
    line.number = lines.size() + 1;
    if (line.kind == LineKind::Section) {
      for (size_t i = 1; i < sectionNames.size(); ++i) {
        if (SameName(sectionNames[i], line.name)) {
          line.earlierLine = sectionLines[i];
          break;
        }
      }
      sectionNames.push_back(line.name);
      sectionLines.push_back(line.number);
      current = sectionNames.size() - 1;
    } else if (line.kind == LineKind::Key) {
      std::string lower = line.name;
      for (char& c : lower) c = FoldCase(c);
      const auto first = firstKeys.emplace(std::make_pair(current, lower), line.number);
      if (!first.second) line.earlierLine = first.first->second;
    }
    line.section = current;
    line.sectionName = sectionNames[current];
    lines.push_back(std::move(line));
  }
  return lines;
}
