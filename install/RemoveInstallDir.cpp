#include "ui/SetupDlg.h"

// The "Remove Install Directory" button.
void CSetupDlg::OnRemoveInstallDir() {}
