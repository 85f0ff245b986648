#include "app/SetupApp.h"

#include "ui/SetupDlg.h"

BEGIN_MESSAGE_MAP(CSetupApp, CWinApp)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CSetupApp::CSetupApp() = default;
CSetupApp::~CSetupApp() = default;

BOOL CSetupApp::InitInstance() {
  Enable3dControlsStatic();

  CSetupDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();

  // No application message loop: the framework goes straight to its exit processing.
  return FALSE;
}

CSetupApp theApp;
