#pragma once
#include "config/InstallSettings.h"

class CWnd;

// The main dialog's loading of its settings: records the current directory as
// SourceDir and reads "VOR.INI" from it with the rules of config/. A missing file is
// the one decision taken here: a message box owned by pOwner ("Fatal Error") and the end
// of the application with exit code 1; every field then takes its default. Runs on to
// the end either way.
void LoadInstallSettings(CWnd* pOwner, InstallSettings& settings);
