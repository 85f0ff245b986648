#include "install/FreeSpace.h"

#include <limits>

int DriveNumberFromFolder(StringView upperCasedFolder) {
  const char first = upperCasedFolder.empty() ? '\0' : upperCasedFolder[0];
  return static_cast<signed char>(first) - 64;
}

CString AsciiUpper(StringView text) {
  CString upper = text;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

DriveQuery DecideDriveQuery(int driveNumber) {
  const unsigned number = static_cast<unsigned>(driveNumber);
  if (number == 0) return {DriveQueryKind::CurrentDrive, CString(), 0};
  if (number <= 26) {
    const char letter = static_cast<char>('A' + number - 1);
    return {DriveQueryKind::RootPath, CString(1, letter) + ":\\", 0};
  }
  return {DriveQueryKind::NotQueried, CString(), kInvalidParameterError};
}

uint32_t FreeMegabytes(uint32_t freeClusters, uint32_t sectorsPerCluster, uint32_t bytesPerSector) {
  constexpr uint64_t kMaxBytes = std::numeric_limits<uint64_t>::max();
  constexpr uint32_t kMaxMegabytes = std::numeric_limits<uint32_t>::max();
  const uint64_t clusterBytes = uint64_t{sectorsPerCluster} * uint64_t{bytesPerSector};
  if (clusterBytes != 0 && freeClusters > kMaxBytes / clusterBytes) {
    return kMaxMegabytes;
  }
  const uint64_t megabytes = freeClusters * clusterBytes / 1000000u;
  return megabytes > kMaxMegabytes ? kMaxMegabytes : static_cast<uint32_t>(megabytes);
}
