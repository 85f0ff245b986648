// What bites packagers although the installer reads it without complaint: a single "&"
// in a text the installer shows (it is not shown and underlines the character after
// it), a target folder that needs more than the one new folder the installer makes, a
// Space_Required far above what the files take, and ARJ's progress indicator, whose
// backspaces fill the log the installer shows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "check/PackageCheck.h"
#include "config/InstallSettings.h"
#include "framework/CodePage.h"

// The position of the first "&" that is not one of a pair ("&&" shows one "&"), or
// std::string::npos. (An "&" is never a trail byte: the texts' code pages do not matter.)
size_t FindSingleAmpersand(const std::string& text);

// Of a target folder, the part that must exist already because the installer creates
// one folder level only: "C:\Games" for "C:\Games\Pixel Notes". "" when one new folder
// is all it needs below what a clean machine has: the drive's root (of a drive, the
// current drive, or a network share), or for a relative folder the folder the
// installer is started from. Read by character in the code page given.
std::string FolderThatMustExist(const std::string& folder, const CodePage& cp);

// Whether Space_Required is far above the unpacked size: above twice the megabytes the
// files take and at least 10 MB above them. Room for what a setup program unpacks or
// copies (up to as much again) and a round figure are normal; beyond both, users with
// room enough for the files are refused, and a figure in kilobytes is the likely cause.
bool SpaceFarAbove(uint32_t spaceRequired, uint64_t unpackedBytes);

// Whether the decompressor is ARJ (ARJ.exe or ARJ32.exe) and Command_Line lacks its
// -i, so that its progress indicator writes backspaces into the log.
bool ArjShowsProgress(const std::string& program, const std::string& commandLine,
                      const CodePage& cp);

// A finding of the settings, at the line of its key.
struct SettingFinding {
  Severity severity;
  SettingKeyIndex key;
  std::string message;
};

// A single & in App_Name, the folders Default_Directory needs, ARJ without -i.
std::vector<SettingFinding> SettingPitfalls(const InstallSettings& settings, const CodePage& cp);

// A description file's lines with a single & (the first, and how many more).
std::vector<Finding> DescriptionPitfalls(const std::string& shownFile, const std::string& bytes);

// The note for a package folder without the installer (shown as `shownFile`).
Finding MissingInstallerNote(const std::string& shownFile);
