// CFile: a file opened by name with the framework's open flags, closed by Close or
// with the object; its calls report failure by their result. CFileException: why an
// open or a read failed, and the framework's file error report for it.
#pragma once
#include <windows.h>

#include "framework/FileErrors.h"
#include "framework/String.h"

class CFileException {
 public:
  CFileException() = default;
  CFileException(FileErrorCause cause, DWORD osError, const CString& fileName)
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

  FileErrorCause m_cause = FileErrorCause::None;
  DWORD m_lOsError = 0;
  CString m_strFileName;  // the name as it was given

  // The error text: the cause's string-table entry with "%1" replaced by the file name.
  CString ErrorText() const;
  // The framework's file error report: a message box with the error text, the stop icon
  // and the application's name as caption, owned by hOwner (by default the thread's
  // active window).
  int ReportError(HWND hOwner = nullptr, UINT style = MB_ICONSTOP) const;
};

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };

  CFile() = default;
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens (or with modeCreate creates) the file. The handle is inheritable unless
  // modeNoInherit is given. On failure returns FALSE and, if pError is given, fills it.
  virtual BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual void Close();

  // Reads up to nCount bytes; nRead is the number read. On failure returns FALSE, with
  // nRead 0, and fills pError if it is given.
  BOOL Read(void* lpBuf, UINT nCount, UINT& nRead, CFileException* pError = nullptr);
  // The file's length in bytes. On failure returns FALSE and fills pError if given.
  BOOL GetLength(ULONGLONG& length, CFileException* pError = nullptr) const;

  bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

  HANDLE m_hFile = INVALID_HANDLE_VALUE;
  CString m_strFileName;

 protected:
  // Fills pError, if given, for the Windows error number and returns FALSE.
  BOOL Failed(DWORD error, CFileException* pError) const;
};
