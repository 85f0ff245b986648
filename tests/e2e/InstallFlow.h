// A package in a temporary source folder whose decompressor is the stand-in, and the
// steps a user takes to install it.
#pragma once
#include <map>
#include <string>

#include "tests/e2e/Driver.h"

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

// Clicks "Install", puts the target into the folder dialog and confirms it; answers the
// "Create Directory" question with Yes when it comes. Returns false when the folder
// dialog did not close.
bool ChooseFolder(const Installer& app, HWND mainDialog, const std::string& target);

// Waits for a message box of the installer with that caption and reads it.
MessageBoxView WaitForBox(const Installer& app, const std::string& caption, DWORD timeoutMs = 15000);

// Runs a whole installation whose decompressor ends cleanly and answers the final
// question with No. Returns false if any step did not come.
bool InstallAndDecline(const Installer& app, HWND mainDialog, const std::string& target);
// The same, answering Yes: the setup program is started and the progress dialog closes.
bool InstallAndAccept(const Installer& app, HWND mainDialog, const std::string& target);
