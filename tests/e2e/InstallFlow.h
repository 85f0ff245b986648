// A package in a temporary source folder whose decompressor is the stand-in; the steps
// a user takes to install it are the driver's (tools/driver/InstallFlow.h).
#pragma once
#include <map>
#include <string>

#include "tests/e2e/Driver.h"
#include "tools/driver/InstallFlow.h"

// Writes VOR.INI (the [INSTALL] and [DECOMPRESSION] lines given, App_Name=E2E Package
// and Use_Program=unpacker unless given), copies the stand-in in as unpacker.exe and
// gives it this script. (A name of its own: the program search looks in the
// installer's own folder first, where the build keeps standin.exe.) It reports to
// unpacker.report.
void PreparePackage(const SourceFolder& folder, const std::string& installKeys,
                    const std::string& decompressionKeys, const std::string& script);
// The same in any folder, given by its path ("T:\" for a drive root).
void PreparePackageIn(const std::string& dir, const std::string& installKeys,
                      const std::string& decompressionKeys, const std::string& script);
// Waits for the shell's own question before it deletes a folder ("Remove Install
// Directory"); null when it does not come.
HWND WaitForShellQuestion(const Installer& app);
