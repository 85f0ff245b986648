#pragma once

#include <cstdint>

#include "framework/String.h"

// The framework's file error report: a cause, its string-table entry
// (61856 + cause) and its text, in which "%1" stands for the file name.

enum class FileErrorCause {
  None = 0,
  Generic,
  FileNotFound,
  BadPath,
  TooManyOpenFiles,
  AccessDenied,
  InvalidFile,
  RemoveCurrentDir,
  DirectoryFull,
  BadSeek,
  HardIO,
  SharingViolation,
  LockViolation,
  DiskFull,
  EndOfFile
};

constexpr unsigned kFirstFileErrorStringId = 61856;
constexpr unsigned kFileErrorCauseCount = 15;

// A value outside the enumeration counts as Generic in both lookups.
unsigned FileErrorStringId(FileErrorCause cause);
const char* FileErrorTemplate(FileErrorCause cause);

// templ with every "%1" replaced by fileName; a "%1" inside fileName is left
// as it is.
CString FormatFileErrorText(StringView templ, StringView fileName);

// The cause for a Win32 error number (GetLastError); 0 is None and numbers
// without a closer cause are Generic.
FileErrorCause FileErrorCauseFromOsError(uint32_t win32Error);
