// The settings of the one package the installer installs, read from "VOR.INI".
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class ProfileFile;

extern const char kConfigFileName[];  // "VOR.INI"

struct InstallSettings {
  uint32_t TotalDisks = 0;          // archive volumes; the progress bar counts them
  std::string FirstFile;            // first archive (name or pattern) in SourceDir
  std::string CommandLine;          // decompressor arguments; always holds "-y" or "-Y"
  std::string DecompressorProgram;  // decompressor program file, ".exe" appended
  std::string AppSetup;             // the package's setup program, run from InstallDir
  uint32_t SpaceRequired = 0;       // megabytes of 1,000,000 bytes
  std::string AppName;              // title shown in the main dialog
  std::string SourceDir;            // start directory, root rule applied
  std::string InstallDir;           // target folder, root rule applied
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

// Reads the eight keys, in their order, with their defaults, cuts and rules.
void ReadInstallSettings(const ProfileFile& file, InstallSettings& settings);

// SourceDir + "\VOR.INI".
std::string ConfigFilePath(const std::string& sourceDir);

// Text of the message shown when the configuration file is missing.
std::string MissingConfigText(const std::string& sourceDir);
extern const char kMissingConfigCaption[];  // "Fatal Error"
