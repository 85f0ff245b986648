#include "framework/FileErrors.h"

namespace {

constexpr const char* kFileErrorTemplates[kFileErrorCauseCount] = {
    "No error occurred.",
    "An unknown error occurred while accessing %1.",
    "%1 was not found.",
    "%1 contains an invalid path.",
    "%1 could not be opened because there are too many open files.",
    "Access to %1 was denied.",
    "An invalid file handle was associated with %1.",
    "%1 could not be removed because it is the current directory.",
    "%1 could not be created because the directory is full.",
    "Seek failed on %1",
    "A hardware I/O error was reported while accessing %1.",
    "A sharing violation occurred while accessing %1.",
    "A locking violation occurred while accessing %1.",
    "Disk full while accessing %1.",
    "An attempt was made to access %1 past its end.",
};

unsigned CauseIndex(FileErrorCause cause) {
  const unsigned index = static_cast<unsigned>(cause);
  return index < kFileErrorCauseCount ? index : static_cast<unsigned>(FileErrorCause::Generic);
}

namespace win32 {
constexpr uint32_t kSuccess = 0;
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kTooManyOpenFiles = 4;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kInvalidHandle = 6;
constexpr uint32_t kBadFormat = 11;
constexpr uint32_t kInvalidAccess = 12;
constexpr uint32_t kInvalidDrive = 15;
constexpr uint32_t kCurrentDirectory = 16;
constexpr uint32_t kNotSameDevice = 17;
constexpr uint32_t kNoMoreFiles = 18;
constexpr uint32_t kWriteProtect = 19;
constexpr uint32_t kBadUnit = 20;
constexpr uint32_t kNotReady = 21;
constexpr uint32_t kBadCommand = 22;
constexpr uint32_t kCrc = 23;
constexpr uint32_t kBadLength = 24;
constexpr uint32_t kSeek = 25;
constexpr uint32_t kNotDosDisk = 26;
constexpr uint32_t kSectorNotFound = 27;
constexpr uint32_t kOutOfPaper = 28;
constexpr uint32_t kWriteFault = 29;
constexpr uint32_t kReadFault = 30;
constexpr uint32_t kGenFailure = 31;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kLockViolation = 33;
constexpr uint32_t kWrongDisk = 34;
constexpr uint32_t kSharingBufferExceeded = 36;
constexpr uint32_t kHandleEof = 38;
constexpr uint32_t kHandleDiskFull = 39;
constexpr uint32_t kBadNetPath = 53;
constexpr uint32_t kNetworkAccessDenied = 65;
constexpr uint32_t kBadNetName = 67;
constexpr uint32_t kFileExists = 80;
constexpr uint32_t kCannotMake = 82;
constexpr uint32_t kDiskChange = 107;
constexpr uint32_t kDriveLocked = 108;
constexpr uint32_t kDiskFull = 112;
constexpr uint32_t kInvalidTargetHandle = 114;
constexpr uint32_t kInvalidName = 123;
constexpr uint32_t kNegativeSeek = 131;
constexpr uint32_t kSeekOnDevice = 132;
constexpr uint32_t kBadPathname = 161;
constexpr uint32_t kAlreadyExists = 183;
constexpr uint32_t kFilenameExcedRange = 206;
constexpr uint32_t kDirectory = 267;
}  // namespace win32

struct OsErrorCause {
  uint32_t error;
  FileErrorCause cause;
};

constexpr OsErrorCause kOsErrorCauses[] = {
    {win32::kSuccess, FileErrorCause::None},
    {win32::kFileNotFound, FileErrorCause::FileNotFound},
    {win32::kInvalidHandle, FileErrorCause::FileNotFound},
    {win32::kNoMoreFiles, FileErrorCause::FileNotFound},
    {win32::kDiskChange, FileErrorCause::FileNotFound},
    {win32::kPathNotFound, FileErrorCause::BadPath},
    {win32::kInvalidDrive, FileErrorCause::BadPath},
    {win32::kNotSameDevice, FileErrorCause::BadPath},
    {win32::kWrongDisk, FileErrorCause::BadPath},
    {win32::kBadNetPath, FileErrorCause::BadPath},
    {win32::kBadNetName, FileErrorCause::BadPath},
    {win32::kInvalidName, FileErrorCause::BadPath},
    {win32::kBadPathname, FileErrorCause::BadPath},
    {win32::kFilenameExcedRange, FileErrorCause::BadPath},
    {win32::kDirectory, FileErrorCause::BadPath},
    {win32::kTooManyOpenFiles, FileErrorCause::TooManyOpenFiles},
    {win32::kSharingBufferExceeded, FileErrorCause::TooManyOpenFiles},
    {win32::kAccessDenied, FileErrorCause::AccessDenied},
    {win32::kInvalidAccess, FileErrorCause::AccessDenied},
    {win32::kNetworkAccessDenied, FileErrorCause::AccessDenied},
    {win32::kFileExists, FileErrorCause::AccessDenied},
    {win32::kAlreadyExists, FileErrorCause::AccessDenied},
    {win32::kBadFormat, FileErrorCause::InvalidFile},
    {win32::kInvalidTargetHandle, FileErrorCause::InvalidFile},
    {win32::kCurrentDirectory, FileErrorCause::RemoveCurrentDir},
    {win32::kCannotMake, FileErrorCause::DirectoryFull},
    {win32::kSeek, FileErrorCause::BadSeek},
    {win32::kNegativeSeek, FileErrorCause::BadSeek},
    {win32::kSeekOnDevice, FileErrorCause::BadSeek},
    {win32::kWriteProtect, FileErrorCause::HardIO},
    {win32::kBadUnit, FileErrorCause::HardIO},
    {win32::kNotReady, FileErrorCause::HardIO},
    {win32::kBadCommand, FileErrorCause::HardIO},
    {win32::kCrc, FileErrorCause::HardIO},
    {win32::kBadLength, FileErrorCause::HardIO},
    {win32::kNotDosDisk, FileErrorCause::HardIO},
    {win32::kSectorNotFound, FileErrorCause::HardIO},
    {win32::kOutOfPaper, FileErrorCause::HardIO},
    {win32::kWriteFault, FileErrorCause::HardIO},
    {win32::kReadFault, FileErrorCause::HardIO},
    {win32::kGenFailure, FileErrorCause::HardIO},
    {win32::kSharingViolation, FileErrorCause::SharingViolation},
    {win32::kLockViolation, FileErrorCause::LockViolation},
    {win32::kDriveLocked, FileErrorCause::LockViolation},
    {win32::kHandleDiskFull, FileErrorCause::DiskFull},
    {win32::kDiskFull, FileErrorCause::DiskFull},
    {win32::kHandleEof, FileErrorCause::EndOfFile},
};

}  // namespace

unsigned FileErrorStringId(FileErrorCause cause) {
  return kFirstFileErrorStringId + CauseIndex(cause);
}

const char* FileErrorTemplate(FileErrorCause cause) {
  return kFileErrorTemplates[CauseIndex(cause)];
}

CString FormatFileErrorText(StringView templ, StringView fileName) {
  CString text;
  std::size_t at = 0;
  for (std::size_t mark = templ.find("%1"); mark != StringView::npos;
       mark = templ.find("%1", at)) {
    text.append(templ.substr(at, mark - at)).append(fileName);
    at = mark + 2;
  }
  return text.append(templ.substr(at));
}

FileErrorCause FileErrorCauseFromOsError(uint32_t win32Error) {
  for (const OsErrorCause& entry : kOsErrorCauses) {
    if (entry.error == win32Error) return entry.cause;
  }
  return FileErrorCause::Generic;
}
