#include "config/DriveRoot.h"

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

CString TrimDriveRoot(StringView path) {
  if (path.size() == 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
    return CString(path.substr(0, 2));
  }
  return CString(path);
}

CString DriveRootAsFolder(StringView path) {
  if (path.size() == 2 && IsDriveLetter(path[0]) && path[1] == ':') return path + "\\";
  return CString(path);
}
