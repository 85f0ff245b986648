// Checks a package folder the way the installer will meet it: reads VOR.INI with the
// installer's own reader and rules, explains where each value comes from, reads the
// archive volumes' headers, and lists what will go wrong.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/InstallSettings.h"
#include "framework/CodePage.h"

enum class Severity { Note, Warning, Error };

struct Finding {
  Severity severity = Severity::Warning;
  std::string file;  // as shown: the folder joined to the name
  size_t line = 0;   // 0: the file as a whole
  std::string message;
};

// "file:line: warning: message", the way compilers write it.
std::string FormatFinding(const Finding& finding);

struct SettingOrigin {
  SettingKeyIndex key;
  std::string value;   // what the installer holds, rules applied
  std::string origin;  // "VOR.INI:3", "default", then the rules that changed it
};

struct ArchiveSet {
  std::vector<std::string> volumes;  // file names in the folder, in order
  size_t files = 0;
  uint64_t unpackedBytes = 0;
};

struct PackageReport {
  std::string configFile;  // VOR.INI as shown
  InstallSettings settings;
  std::vector<SettingOrigin> origins;  // the eight keys, in reading order
  std::vector<ArchiveSet> archives;
  std::string installer;  // whose logo and icon ZEZADERI.EXE shows; "": none read
  std::vector<Finding> findings;

  // 0 clean, 1 warnings only, 2 errors. Notes do not count.
  int ExitStatus() const;
};

// Whether a name matches a pattern of "*" and "?", read by character in the code page
// given: "?" stands for one character, and single-byte letters match without regard to
// case.
bool MatchesPattern(const std::string& pattern, const std::string& name, const CodePage& cp);

// The nearest of the candidates to a misspelt name, or "" when none is near.
std::string NearestName(const std::string& name, const std::vector<std::string>& candidates);

// Checks the package in `folder`; file names in the findings start with `shownFolder`
// (empty for the current folder). The package's texts (VOR.INI, the names in the
// folder) are read in the code page given: the one of the Windows it is meant for,
// whose number is `ansiPage` (0: DefaultAnsiCodePage()).
PackageReport CheckPackage(const std::string& folder, const std::string& shownFolder,
                           const CodePage& cp, unsigned ansiPage = 0);

// Everything vorcheck prints: the settings, the archives, the findings, a summary.
std::string FormatReport(const PackageReport& report);
