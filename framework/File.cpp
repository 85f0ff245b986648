#include "framework/File.h"

#include "framework/MessageBox.h"
#include "framework/WinApp.h"

CString CFileException::ErrorText() const {
  CString templ = AfxLoadString(FileErrorStringId(m_cause));
  if (templ.empty()) templ = FileErrorTemplate(m_cause);
  return FormatFileErrorText(templ, m_strFileName);
}

int CFileException::ReportError(HWND hOwner, UINT style) const {
  CWinApp* app = AfxGetApp();
  if (hOwner == nullptr) hOwner = ::GetActiveWindow();
  return AfxShowMessageBox(hOwner, ErrorText(), app ? app->m_strAppName : CString(), style);
}

CFile::~CFile() { Close(); }

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError) {
  Close();
  m_strFileName = lpszFileName;

  DWORD access = 0;
  switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD share = 0;
  switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;  // compatibility and exclusive: no sharing
  }
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
  DWORD creation = OPEN_EXISTING;
  if (nOpenFlags & modeCreate) creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

  HANDLE h = ::CreateFileA(lpszFileName, access, share, &sa, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Failed(::GetLastError(), pError);
  m_hFile = h;
  return TRUE;
}

void CFile::Close() {
  if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
}

BOOL CFile::Failed(DWORD error, CFileException* pError) const {
  if (pError != nullptr) {
    *pError = CFileException(FileErrorCauseFromOsError(error), error, m_strFileName);
  }
  return FALSE;
}

BOOL CFile::Read(void* lpBuf, UINT nCount, UINT& nRead, CFileException* pError) {
  nRead = 0;
  if (nCount == 0) return TRUE;
  DWORD got = 0;
  if (!::ReadFile(m_hFile, lpBuf, nCount, &got, nullptr)) return Failed(::GetLastError(), pError);
  nRead = got;
  return TRUE;
}

BOOL CFile::GetLength(ULONGLONG& length, CFileException* pError) const {
  // The low word's all-ones value is also a valid size: only the error tells.
  DWORD high = 0;
  ::SetLastError(NO_ERROR);
  const DWORD low = ::GetFileSize(m_hFile, &high);
  if (low == INVALID_FILE_SIZE) {
    const DWORD error = ::GetLastError();
    if (error != NO_ERROR) return Failed(error, pError);
  }
  length = (static_cast<ULONGLONG>(high) << 32) | low;
  return TRUE;
}
