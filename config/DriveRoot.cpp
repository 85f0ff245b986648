#include "config/DriveRoot.h"

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string TrimDriveRoot(const std::string& path) {
  if (path.size() == 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
    return path.substr(0, 2);
  }
  return path;
}

std::string DriveRootAsFolder(const std::string& path) {
  if (path.size() == 2 && IsDriveLetter(path[0]) && path[1] == ':') return path + "\\";
  return path;
}
