#include "install/RemovalTarget.h"

namespace {

enum class PathStart { Relative, Drive, CurrentDriveRoot, Share, PartialShare };

struct SplitPath {
  PathStart start;
  CString rest;
};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasInvalidCharacter(StringView dir) {
  for (char c : dir) {
    if (IsControl(c) || StringView("*?<>\"").find(c) != StringView::npos) return true;
  }
  return false;
}

CString TrimBlanks(StringView text) {
  const std::size_t first = text.find_first_not_of(" ");
  if (first == CString::npos) return CString();
  const std::size_t last = text.find_last_not_of(" ");
  return text.substr(first, last - first + 1);
}

// Position after the path component that starts at or after `at`.
std::size_t SkipComponent(StringView path, std::size_t at) {
  while (at < path.size() && IsSeparator(path[at])) ++at;
  const std::size_t begin = at;
  while (at < path.size() && !IsSeparator(path[at])) ++at;
  return at == begin ? CString::npos : at;
}

SplitPath SplitAtStart(StringView path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    if (path.size() > 2 && IsSeparator(path[2])) return {PathStart::PartialShare, ""};
    const std::size_t afterServer = SkipComponent(path, 2);
    if (afterServer == CString::npos) return {PathStart::PartialShare, ""};
    if (afterServer == path.size() || !IsSeparator(path[afterServer])) {
      return {PathStart::PartialShare, ""};
    }
    const std::size_t afterShare = SkipComponent(path, afterServer);
    if (afterShare == CString::npos) return {PathStart::PartialShare, ""};
    return {PathStart::Share, path.substr(afterShare)};
  }
  if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
    return {PathStart::Drive, path.substr(2)};
  }
  if (IsSeparator(path[0])) return {PathStart::CurrentDriveRoot, path.substr(1)};
  return {PathStart::Relative, path};
}

bool IsOnlyDotsAndBlanks(StringView component) {
  return component.find_first_not_of(". ") == CString::npos;
}

// Number of named folders left after "." and ".." are resolved; ".." never
// climbs above the start of the path.
std::size_t CountNamedFolders(StringView rest) {
  std::size_t depth = 0;
  std::size_t at = 0;
  while (at < rest.size()) {
    while (at < rest.size() && IsSeparator(rest[at])) ++at;
    const std::size_t begin = at;
    while (at < rest.size() && !IsSeparator(rest[at])) ++at;
    CString component = rest.substr(begin, at - begin);
    component.erase(component.find_last_not_of(" ") + 1);
    if (component == "..") {
      if (depth > 0) --depth;
    } else if (!IsOnlyDotsAndBlanks(component)) {
      ++depth;
    }
  }
  return depth;
}

RemovalRefusal RefusalForStart(PathStart start) {
  switch (start) {
    case PathStart::Drive:
    case PathStart::CurrentDriveRoot:
      return RemovalRefusal::WholeDrive;
    case PathStart::Share:
    case PathStart::PartialShare:
      return RemovalRefusal::NetworkShareRoot;
    case PathStart::Relative:
      break;
  }
  return RemovalRefusal::CurrentOrParentFolder;
}

const char* RefusalReason(RemovalRefusal why) {
  switch (why) {
    case RemovalRefusal::None:
      break;
    case RemovalRefusal::EmptyText:
      return "no folder is named.";
    case RemovalRefusal::NoFolderName:
      return "it names no folder.";
    case RemovalRefusal::InvalidCharacters:
      return "a folder name cannot hold wildcards (* ? < > \") or "
             "control characters.";
    case RemovalRefusal::WholeDrive:
      return "it is a whole drive, not an install folder.";
    case RemovalRefusal::NetworkShareRoot:
      return "it is a whole network share, not an install folder.";
    case RemovalRefusal::CurrentOrParentFolder:
      return "it names the current folder or one above it, not an "
             "install folder.";
  }
  return "";
}

CString ShownName(StringView dir) {
  CString shown = dir;
  for (char& c : shown) {
    if (IsControl(c)) c = '?';
  }
  return shown;
}

}  // namespace

CString BuildDeleteSourceList(StringView dir) {
  CString list = dir;
  list.append(2, '\0');
  return list;
}

RemovalRefusal CheckRemovalTarget(StringView dir, const CodePage& cp) {
  if (dir.empty()) return RemovalRefusal::EmptyText;
  // Read by character: each double-byte character stands as bytes that are part of a
  // name, so that its trail byte is never taken for a separator (a name ending in such
  // a character, then "\..", still names the drive), a wildcard or a drive letter.
  const CString chars = cp.SingleByteShape(dir, '_');
  if (HasInvalidCharacter(chars)) return RemovalRefusal::InvalidCharacters;
  const CString path = TrimBlanks(chars);
  if (path.empty()) return RemovalRefusal::NoFolderName;
  if (path.find_first_not_of("\\/ ") == CString::npos) {
    return RemovalRefusal::WholeDrive;
  }
  const SplitPath split = SplitAtStart(path);
  if (split.start == PathStart::PartialShare) return RemovalRefusal::NetworkShareRoot;
  if (CountNamedFolders(split.rest) > 0) return RemovalRefusal::None;
  return RefusalForStart(split.start);
}

CString RemovalRefusalText(StringView dir, RemovalRefusal why) {
  if (why == RemovalRefusal::None) return CString();
  const CString what =
      dir.empty() ? CString("the install folder") : "\"" + ShownName(dir) + "\"";
  return "Cannot remove " + what + ": " + RefusalReason(why);
}
