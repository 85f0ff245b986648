#include "install/FolderDlg.h"

#include <shlobj.h>

#include <algorithm>

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "install/FreeSpace.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CFolderDlg, CDialog)
  ON_EN_CHANGE(IDC_FOLDER_EDIT, OnFolderChange)
  ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

// SpaceRequired is the caller's and SpaceAvailable is measured at initialisation:
// neither is shown before it has been set.
CFolderDlg::CFolderDlg(CWnd* pParent) : CDialog(IDD_FOLDER, pParent) {}

void CFolderDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_FOLDER_EDIT, Folder);
  DDX_Text(pDX, IDC_SPACE_AVAILABLE, SpaceAvailable);
  DDX_Text(pDX, IDC_SPACE_REQUIRED, SpaceRequired);
}

uint32_t CFolderDlg::MeasureFreeSpace(StringView folder) {
  // The drive letter counts in either case: upper-case a copy in the system's
  // character set (an empty copy still has its terminator to look at).
  CString upper = folder;
  ::CharUpperA(upper.data());
  const DriveQuery query = DecideDriveQuery(DriveNumberFromFolder(upper));

  DWORD sectorsPerCluster = 0;
  DWORD bytesPerSector = 0;
  DWORD freeClusters = 0;
  DWORD totalClusters = 0;
  BOOL queried = FALSE;
  switch (query.kind) {
    case DriveQueryKind::CurrentDrive:
      queried = ::GetDiskFreeSpaceA(nullptr, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                                    &totalClusters);
      break;
    case DriveQueryKind::RootPath:
      queried = ::GetDiskFreeSpaceA(query.rootPath.c_str(), &sectorsPerCluster, &bytesPerSector,
                                    &freeClusters, &totalClusters);
      break;
    case DriveQueryKind::NotQueried:
      ::SetLastError(query.error);
      break;
  }
  if (!queried) freeClusters = 0;  // a missing or invalid drive has no free space
  return FreeMegabytes(freeClusters, sectorsPerCluster, bytesPerSector);
}

BOOL CFolderDlg::OnInitDialog() {
  // Measured before the exchange shows it. Writing the folder into the edit during the
  // exchange sends no change notification to OnFolderChange (the exchange's lockout).
  SpaceAvailable = MeasureFreeSpace(Folder);
  CDialog::OnInitDialog();
  return TRUE;
}

void CFolderDlg::OnFolderChange() {
  Folder = GetDlgItemText(IDC_FOLDER_EDIT);
  if (Folder.empty()) return;  // keep the last figure while the edit is empty
  SpaceAvailable = MeasureFreeSpace(Folder);
  ::SetDlgItemInt(m_hWnd, IDC_SPACE_AVAILABLE, SpaceAvailable, FALSE);
}

void CFolderDlg::OnBrowse() {
  IMalloc* pMalloc = nullptr;
  if (FAILED(::SHGetMalloc(&pMalloc)) || pMalloc == nullptr) return;
  char* displayName = static_cast<char*>(pMalloc->Alloc(MAX_PATH));
  if (displayName == nullptr) {
    pMalloc->Release();
    return;
  }

  // The shell writes at most MAX_PATH characters here; a longer folder text still fits
  // whole, so that nothing is cut or overrun when the browser gives no path back.
  CString path = Folder;
  char* buffer = path.GetBuffer(std::max<size_t>(MAX_PATH, Folder.size()));

  BROWSEINFOA bi = {};
  bi.hwndOwner = m_hWnd;
  bi.pidlRoot = nullptr;
  bi.pszDisplayName = displayName;
  bi.lpszTitle = "Select Install Folder:";
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  bi.lpfn = nullptr;
  bi.lParam = 0;
  LPITEMIDLIST pidl = ::SHBrowseForFolderA(&bi);
  if (pidl != nullptr) {
    ::SHGetPathFromIDListA(pidl, buffer);
    path.ReleaseBuffer();
    Folder = path;
    // The edit's change notification measures the new folder's drive.
    ::SetDlgItemTextA(m_hWnd, IDC_FOLDER_EDIT, Folder.c_str());
    pMalloc->Free(pidl);
  }
  pMalloc->Free(displayName);
  pMalloc->Release();
}

void CFolderDlg::OnOK() {
  Folder = GetDlgItemText(IDC_FOLDER_EDIT);

  if (SpaceRequired > SpaceAvailable) {
    AfxShowMessageBox(m_hWnd, "Target drive has insufficient free space", "Not Enough Space",
                      MB_OK);
    return;
  }

  // A folder that can be entered exists; it stays the current directory.
  if (!::SetCurrentDirectoryA(Folder.c_str())) {
    const CString question =
        "Directory " + Folder + " does not exist.\nDo you want to create it?";
    if (AfxShowMessageBox(m_hWnd, question, "Create Directory", MB_YESNO | MB_ICONQUESTION) !=
        IDYES) {
      return;
    }
    if (!::CreateDirectoryA(Folder.c_str(), nullptr)) {
      AfxShowMessageBox(m_hWnd, "Cannot Create " + Folder, "Create Directory Failed",
                        MB_OK | MB_ICONSTOP);
      return;
    }
  }

  CDialog::OnOK();
}
