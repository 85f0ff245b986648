// What bites packagers although the installer reads it without complaint: a single "&"
// in a text the installer shows (it is not shown and underlines the character after
// it), a target folder that is not absolute or needs more than the one new folder the
// installer makes, a Space_Required far above what the files take, ARJ's progress
// indicator, whose backspaces fill the log the installer shows, and archived names that
// Windows cannot hold.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
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

// Whether a target folder is absolute: "X:\..." or "\\server\share...". "" when it
// is, else why not (drive-relative "C:Games", no drive "\Games", relative "Games").
std::string NotAbsoluteFolder(const std::string& folder, const CodePage& cp);

// Why Windows cannot hold a file or folder name: one of < > : " | ? * or a backslash,
// a control character, a trailing dot or blank, a reserved device name (CON, PRN, AUX,
// NUL, COM1 to COM9, LPT1 to LPT9, with or without an extension, in any case). "" when
// it can. Read by character in the code page given.
std::string WindowsNameProblem(const std::string& name, const CodePage& cp);

// A name's letters as Windows compares them in code page `page`: A to Z, and in 1252
// the accented letters too, in one case.
std::string WindowsFoldedName(const std::string& name, const CodePage& cp, unsigned page);

// Of files at `paths` ("/" between folders), those that Windows takes for one another
// or for a folder of another path: pairs of a later path and the earlier one it
// collides with. Folders that differ in case only are merged into one, which loses
// nothing by itself.
std::vector<std::pair<std::string, std::string>> CaseTwins(const std::vector<std::string>& paths,
                                                           const CodePage& cp, unsigned page);

// The longest path a file takes in the target folder, "\" between folders, and whether
// it passes Windows' limit of 259 characters (MAX_PATH with its terminating zero).
constexpr size_t kMaxWindowsPath = 259;
std::string LongestTargetPath(const std::string& folder, const std::vector<std::string>& paths,
                              const CodePage& cp);

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

// A single & in App_Name, a Default_Directory that is not absolute or needs more than
// one new folder, ARJ without -i.
std::vector<SettingFinding> SettingPitfalls(const InstallSettings& settings, const CodePage& cp);

// A description file's lines with a single & (the first, and how many more).
std::vector<Finding> DescriptionPitfalls(const std::string& shownFile, const std::string& bytes);

// The note for a package folder without the installer (shown as `shownFile`).
Finding MissingInstallerNote(const std::string& shownFile);
