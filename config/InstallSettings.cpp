#include "config/InstallSettings.h"

#include "config/DriveRoot.h"
#include "config/ProfileFile.h"

const char kConfigFileName[] = "VOR.INI";
const char kMissingConfigCaption[] = "Fatal Error";

const SettingKey kSettingKeys[kSettingKeyCount] = {
    {"INSTALL", "App_Name", true, "No Application Specified", 100, 0},
    {"INSTALL", "Default_Directory", true, "C:\\VOR_TEMP", 1000, 0},
    {"INSTALL", "App_Setup", true, "setup.exe", 100, 0},
    {"DECOMPRESSION", "Use_Program", true, "ARJ", 100, 0},
    {"DECOMPRESSION", "Command_Line", true, "x -v -y", 100, 0},
    {"DECOMPRESSION", "First_File", true, "*.arj", 100, 0},
    {"INSTALL", "Space_Required", false, nullptr, 0, 0},
    {"DECOMPRESSION", "Total_Disks", false, nullptr, 0, 10},
};

namespace {

std::string Text(const ProfileFile& file, SettingKeyIndex i) {
  const SettingKey& k = kSettingKeys[i];
  return file.GetString(k.section, k.name, k.defaultText, k.bufferSize);
}

uint32_t Number(const ProfileFile& file, SettingKeyIndex i) {
  const SettingKey& k = kSettingKeys[i];
  return file.GetInt(k.section, k.name, k.defaultNumber);
}

}  // namespace

void ReadInstallSettings(const ProfileFile& file, InstallSettings& s) {
  s.AppName = Text(file, kAppNameKey);

  s.InstallDir = Text(file, kDefaultDirectoryKey);
  s.InstallDir = TrimDriveRoot(s.InstallDir);

  s.AppSetup = Text(file, kAppSetupKey);

  s.DecompressorProgram = Text(file, kUseProgramKey);
  s.DecompressorProgram += ".exe";

  s.CommandLine = Text(file, kCommandLineKey);
  if (s.CommandLine.find("-y") == std::string::npos &&
      s.CommandLine.find("-Y") == std::string::npos) {
    s.CommandLine += " -y";
  }

  s.FirstFile = Text(file, kFirstFileKey);
  s.SpaceRequired = Number(file, kSpaceRequiredKey);
  s.TotalDisks = Number(file, kTotalDisksKey);
}

std::string ConfigFilePath(const std::string& sourceDir) {
  return sourceDir + "\\" + kConfigFileName;
}

std::string MissingConfigText(const std::string& sourceDir) {
  return "Cannot Find Configuration File\n" + ConfigFilePath(sourceDir);
}
