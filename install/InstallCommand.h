#pragma once
#include "config/InstallSettings.h"

class CWnd;

// One whole installation: the folder dialog (owned by pOwner, offering InstallDir and
// SpaceRequired), the log, the decompressor started in the chosen folder and the
// decompression dialog watching it to its end. Stores the chosen folder in InstallDir.
// Failures are reported in message boxes owned by pOwner. True when the decompression
// dialog has watched the decompressor to its end, whatever its result; false when the
// command stopped earlier (folder dialog cancelled, no log, decompressor not started)
// or the dialog could not watch the run to its end (it says so).
bool RunInstallCommand(CWnd* pOwner, InstallSettings& Settings);
