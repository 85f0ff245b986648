#include "ui/SetupDlg.h"

// The "Install" button: a whole installation.
void CSetupDlg::OnInstall() {}
