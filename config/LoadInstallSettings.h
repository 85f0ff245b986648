#pragma once
#include "config/InstallSettings.h"

class CWnd;

// Fills the settings for the main dialog: records the current directory as SourceDir
// and reads "VOR.INI" from it. A missing file is reported in a message box owned by
// pOwner ("Fatal Error") and ends the application with exit code 1; every field then
// takes its default. Runs on to the end either way.
void LoadInstallSettings(CWnd* pOwner, InstallSettings& settings);
