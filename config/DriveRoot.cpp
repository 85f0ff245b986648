#include "config/DriveRoot.h"

std::string TrimDriveRoot(const std::string& path) {
  return path.size() == 3 ? path.substr(0, 2) : path;
}
