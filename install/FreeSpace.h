#pragma once

#include <cstdint>

#include "framework/String.h"

// Free-space rules of the install folder dialog: which drive a folder text
// names, how that drive is queried, and the free megabytes (1,000,000 bytes,
// truncated) that the query's figures make.

// Drive number of an upper-cased folder text: the first character taken as a
// signed 8-bit value, minus 64, so "A".."Z" give 1..26. An empty text counts
// as its terminating NUL and gives -64. The caller upper-cases the text
// first (CharUpperA on the target).
int DriveNumberFromFolder(StringView upperCasedFolder);

// ASCII-only upper-casing, for callers and tests away from the platform.
CString AsciiUpper(StringView text);

enum class DriveQueryKind {
  CurrentDrive,  // query with no root path
  RootPath,      // query `rootPath`, such as "C:\"
  NotQueried     // no query; the free space is 0
};

constexpr uint32_t kInvalidParameterError = 87;  // ERROR_INVALID_PARAMETER

struct DriveQuery {
  DriveQueryKind kind;
  CString rootPath;      // three characters for RootPath, empty otherwise
  uint32_t error;        // kInvalidParameterError for NotQueried, else 0
};

// 0 -> the current drive; 1..26 -> the root path letter, ':' and '\';
// any other number (compared as unsigned, so every negative one is too
// large) -> not queried, error 87.
DriveQuery DecideDriveQuery(int driveNumber);

// Free clusters x sectors per cluster x bytes per sector, in 64-bit unsigned
// arithmetic, divided by 1,000,000 and truncated. The three inputs are the
// query's 32-bit figures. A product beyond 64 bits, or a result beyond
// 32 bits, gives 4294967295: the most that the dialog's number can hold.
uint32_t FreeMegabytes(uint32_t freeClusters, uint32_t sectorsPerCluster, uint32_t bytesPerSector);
