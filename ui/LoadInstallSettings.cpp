#include "ui/LoadInstallSettings.h"

#include <windows.h>

#include "config/DriveRoot.h"
#include "framework/MessageBox.h"
#include "framework/SystemCodePages.h"
#include "framework/Wnd.h"

namespace {

// The whole file, or an empty profile when it cannot be read (a folder of that name,
// a file locked by another program...): every key then takes its default.
ProfileFile ReadProfile(const CString& path) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return ProfileFile();
  CString bytes;
  char buf[4096];
  DWORD got = 0;
  while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  ::CloseHandle(h);
  return ProfileFile::Parse(bytes);
}

}  // namespace

void LoadInstallSettings(CWnd* pOwner, InstallSettings& settings) {
  char dir[1000] = {};
  DWORD len = ::GetCurrentDirectoryA(sizeof dir, dir);
  if (len >= sizeof dir) len = 0;  // no room for it: the platform stored nothing
  settings.SourceDir = TrimDriveRoot(CString(dir, len));

  CString path = ConfigFilePath(settings.SourceDir);
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(path.c_str(), &found);
  ProfileFile profile;
  if (search != INVALID_HANDLE_VALUE) {
    ::FindClose(search);
    profile = ReadProfile(path);
  } else {
    // Nothing to install from: the main dialog closes as soon as its loop runs, and the
    // installer ends with exit status 1.
    AfxShowMessageBox(CWnd::SafeHwnd(pOwner), MissingConfigText(settings.SourceDir),
                      kMissingConfigCaption, MB_OK | MB_ICONSTOP);
    ::PostQuitMessage(1);
  }
  ReadInstallSettings(profile, settings, AfxAnsiCodePage());
}
