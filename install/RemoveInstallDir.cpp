// The removal of the install folder: the folder with everything in it goes through the
// shell, with the shell's own confirmation, progress and error reports.
#include "install/RemoveInstallDir.h"

#include <windows.h>
#include <shellapi.h>

#include "framework/MessageBox.h"
#include "framework/SystemCodePages.h"
#include "install/RemovalTarget.h"

bool RemoveInstallDir(HWND hOwner, const CString& installDir) {
  // A whole drive, a share's root or an empty text must never reach the shell's
  // recursive delete.
  const RemovalRefusal refusal = CheckRemovalTarget(installDir, AfxAnsiCodePage());
  if (refusal != RemovalRefusal::None) {
    AfxShowMessageBox(hOwner, RemovalRefusalText(installDir, refusal), kRemovalCaption,
                      MB_ICONSTOP);
    return false;
  }

  const CString from = BuildDeleteSourceList(installDir);
  SHFILEOPSTRUCTA op = {};
  op.hwnd = hOwner;
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.pTo = nullptr;
  op.fFlags = 0;
  op.fAnyOperationsAborted = TRUE;
  op.hNameMappings = nullptr;
  op.lpszProgressTitle = "Deleting Install Directory";
  ::SHFileOperationA(&op);

  return !op.fAnyOperationsAborted;
}
