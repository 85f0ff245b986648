// The "Remove Install Directory" button: deletes the install folder with everything in
// it through the shell, with the shell's own confirmation, progress and error reports.
#include <windows.h>
#include <shellapi.h>

#include "framework/MessageBox.h"
#include "install/RemovalTarget.h"
#include "res/resource.h"
#include "ui/SetupDlg.h"

void CSetupDlg::OnRemoveInstallDir() {
  // A whole drive, a share's root or an empty text must never reach the shell's
  // recursive delete.
  const RemovalRefusal refusal = CheckRemovalTarget(Settings.InstallDir);
  if (refusal != RemovalRefusal::None) {
    AfxShowMessageBox(m_hWnd, RemovalRefusalText(Settings.InstallDir, refusal), kRemovalCaption,
                      MB_ICONSTOP);
    return;
  }

  const std::string from = BuildDeleteSourceList(Settings.InstallDir);
  SHFILEOPSTRUCTA op = {};
  op.hwnd = m_hWnd;
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.pTo = nullptr;
  op.fFlags = 0;
  op.fAnyOperationsAborted = TRUE;
  op.hNameMappings = nullptr;
  op.lpszProgressTitle = "Deleting Install Directory";
  ::SHFileOperationA(&op);

  if (!op.fAnyOperationsAborted) EnableDlgItem(IDC_REMOVE_DIR, FALSE);
}
