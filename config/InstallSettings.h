// The settings of the one package the installer installs, read from "VOR.INI".
#pragma once
#include <cstddef>
#include <cstdint>

#include "config/PackageFiles.h"
#include "config/ProfileFile.h"
#include "framework/String.h"

struct InstallSettings {
  uint32_t TotalDisks = 0;          // archive volumes; the progress bar counts them
  CString FirstFile;                // first archive (name or pattern) in SourceDir
  CString CommandLine;              // decompressor arguments; always holds "-y" or "-Y"
  CString DecompressorProgram;      // decompressor program file, ".exe" appended
  CString AppSetup;                 // the package's setup program, run from InstallDir
  uint32_t SpaceRequired = 0;       // megabytes of 1,000,000 bytes
  CString AppName;                  // title shown in the main dialog
  CString SourceDir;                // start directory, root rule applied
  CString InstallDir;               // target folder, root rule applied
};

// The eight keys, in the order they are read.
struct SettingKey {
  const char* section;       // "INSTALL" or "DECOMPRESSION"
  const char* name;
  bool isText;               // text (cut to bufferSize - 1) or 32-bit unsigned integer
  const char* defaultText;   // text keys
  size_t bufferSize;         // text keys, terminator included
  uint32_t defaultNumber;    // integer keys
};
enum SettingKeyIndex {
  kAppNameKey, kDefaultDirectoryKey, kAppSetupKey, kUseProgramKey,
  kCommandLineKey, kFirstFileKey, kSpaceRequiredKey, kTotalDisksKey, kSettingKeyCount
};
extern const SettingKey kSettingKeys[kSettingKeyCount];

// Where one setting's value came from and which rules changed it, noted as the value is
// read: whoever explains a value (the package checker) reads the rules as they were
// applied.
struct SettingSource {
  size_t line = 0;              // the line of VOR.INI it was read from; 0: the default
  CString read;                 // as found (blanks and quotes removed); a text key's default
                                // when not found
  ProfileFile::Number number;   // integer keys read from the file: what the scan made of it
  // The rules that changed a text, in the order they apply:
  bool cut = false;             // cut to its limit, bufferSize - 1 bytes of whole characters
  bool rootRule = false;        // Default_Directory: a drive root held as the drive alone
  bool exeAppended = false;     // Use_Program: ".exe" appended
  bool switchAppended = false;  // Command_Line: " -y" appended
};
struct SettingsAccount {
  SettingSource of[kSettingKeyCount];  // by SettingKeyIndex
  SettingSource& operator[](size_t i) { return of[i]; }
  const SettingSource& operator[](size_t i) const { return of[i]; }
  static constexpr size_t size() { return kSettingKeyCount; }
  const SettingSource* begin() const { return of; }
  const SettingSource* end() const { return of + kSettingKeyCount; }
};

// Reads the eight keys, in their order, with their defaults, cuts and rules, and
// returns the account of where each value came from. Texts are in the code page given
// (the system's ANSI one): a cut keeps whole characters.
SettingsAccount ReadInstallSettings(const ProfileFile& file, InstallSettings& settings,
                                    const CodePage& cp);

// The value a key lands in, as text (integers in decimal), rules applied.
CString SettingValue(const InstallSettings& settings, SettingKeyIndex key);

// SourceDir + "\VOR.INI".
CString ConfigFilePath(StringView sourceDir);

// The message shown when the configuration file is missing: kMissingConfigMessage,
// a line break and the file's full path.
CString MissingConfigText(StringView sourceDir);
extern const char kMissingConfigMessage[];  // "Cannot Find Configuration File"
extern const char kMissingConfigCaption[];  // "Fatal Error"
