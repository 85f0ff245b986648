#pragma once
#include "config/InstallSettings.h"

class CWnd;

// One whole installation: the folder dialog (owned by pOwner, offering InstallDir and
// SpaceRequired), the log, the decompressor started in the chosen folder and the
// decompression dialog watching it to its end. Stores the chosen folder in InstallDir.
// Failures are reported in message boxes owned by pOwner. True when the decompression
// dialog has run, whatever the decompressor's result; false when the command stopped
// earlier (folder dialog cancelled, no log, decompressor not started).
bool RunInstallCommand(CWnd* pOwner, InstallSettings& Settings);
