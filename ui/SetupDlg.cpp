#include "ui/SetupDlg.h"

#include "config/PackageFiles.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "install/InstallCommand.h"
#include "install/LogFile.h"
#include "install/RemoveInstallDir.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/LoadInstallSettings.h"
#include "viewer/OpenViewer.h"

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDC_VIEW_NFO, OnViewNfo)
  ON_BN_CLICKED(IDC_VIEW_FILEID, OnViewFileId)
  ON_BN_CLICKED(IDC_INSTALL, OnInstall)
  ON_BN_CLICKED(IDC_VIEW_LOG, OnViewInstallLog)
  ON_BN_CLICKED(IDC_REMOVE_DIR, OnRemoveInstallDir)
END_MESSAGE_MAP()

CSetupDlg::CSetupDlg(CWnd* pParent) : CDialog(IDD_SETUP, pParent) {
  m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

void CSetupDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  CString aboutMenu = AfxLoadString(IDS_ABOUTBOX);
  if (!aboutMenu.empty()) {
    HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (sysMenu != nullptr) {
      ::AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuA(sysMenu, MF_STRING, IDM_ABOUTBOX, aboutMenu.c_str());
    }
  }

  SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_hIcon);
  SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_hIcon);

  LoadInstallSettings(this, Settings);

  SetDlgItemText(IDC_APP_TITLE, Settings.AppName.c_str());
  return TRUE;
}

void CSetupDlg::OnOK() { CDialog::OnOK(); }

void CSetupDlg::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
  } else {
    CDialog::OnSysCommand(nID, lParam);
  }
}

void CSetupDlg::OnPaint() {
  if (!::IsIconic(m_hWnd)) {
    CDialog::OnPaint();
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  SendMessage(WM_ICONERASEBKGND, (WPARAM)dc, 0);
  int cxIcon = ::GetSystemMetrics(SM_CXICON);
  int cyIcon = ::GetSystemMetrics(SM_CYICON);
  RECT rect;
  ::GetClientRect(m_hWnd, &rect);
  int x = (rect.right - rect.left - cxIcon + 1) / 2;
  int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
  ::DrawIcon(dc, x, y, m_hIcon);
  ::EndPaint(m_hWnd, &ps);
}

HCURSOR CSetupDlg::OnQueryDragIcon() { return (HCURSOR)m_hIcon; }

void CSetupDlg::OnViewNfo() { OpenViewer(kNfoFileName, CFrameWnd::rectDefault); }

void CSetupDlg::OnViewFileId() { OpenViewer(kFileIdFileName, RECT{100, 100, 500, 260}); }

void CSetupDlg::OnViewInstallLog() { OpenViewer(kLogFileName, CFrameWnd::rectDefault); }

// After every run that the decompression dialog watched to its end, whatever the
// decompressor's result, the installation can be removed and its log read.
void CSetupDlg::OnInstall() {
  if (!RunInstallCommand(this, Settings)) return;
  EnableDlgItem(IDC_REMOVE_DIR, TRUE);
  EnableDlgItem(IDC_VIEW_LOG, TRUE);
}

// A removal that was not aborted leaves nothing to remove; an aborted one can be tried
// again.
void CSetupDlg::OnRemoveInstallDir() {
  if (RemoveInstallDir(m_hWnd, Settings.InstallDir)) EnableDlgItem(IDC_REMOVE_DIR, FALSE);
}
