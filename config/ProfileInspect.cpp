#include "config/ProfileFile.h"

CPlainArray<ProfileFile::Line> ProfileFile::Inspect(StringView bytes) {
  CPlainArray<Line> lines;
  CPlainArray<size_t> sectionLines;  // the header line of each section; [0] nameless
  sectionLines.push_back(0);
  CPlainArray<StringView> sectionNames;
  sectionNames.push_back(StringView());
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
      // The first key of this name in this section, if it is not this one.
      for (const Line& earlier : lines) {
        if (earlier.kind == LineKind::Key && earlier.section == current &&
            SameName(earlier.name, line.name)) {
          line.earlierLine = earlier.number;
          break;
        }
      }
    }
    line.section = current;
    line.sectionName = sectionNames[current];
    lines.push_back(line);
  }
  return lines;
}
