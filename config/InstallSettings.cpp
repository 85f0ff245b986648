#include "config/InstallSettings.h"

#include "config/DriveRoot.h"
#include "config/ProfileFile.h"

const char kConfigFileName[] = "VOR.INI";
const char kMissingConfigCaption[] = "Fatal Error";

namespace {
const char kInstall[] = "INSTALL";
const char kDecompression[] = "DECOMPRESSION";
constexpr size_t kTextBuffer = 100;
constexpr size_t kDirectoryBuffer = 1000;
}  // namespace

void ReadInstallSettings(const ProfileFile& file, InstallSettings& s) {
  s.AppName = file.GetString(kInstall, "App_Name", "No Application Specified", kTextBuffer);

  s.InstallDir = file.GetString(kInstall, "Default_Directory", "C:\\VOR_TEMP", kDirectoryBuffer);
  s.InstallDir = TrimDriveRoot(s.InstallDir);

  s.AppSetup = file.GetString(kInstall, "App_Setup", "setup.exe", kTextBuffer);

  s.DecompressorProgram = file.GetString(kDecompression, "Use_Program", "ARJ", kTextBuffer);
  s.DecompressorProgram += ".exe";

  s.CommandLine = file.GetString(kDecompression, "Command_Line", "x -v -y", kTextBuffer);
  if (s.CommandLine.find("-y") == std::string::npos &&
      s.CommandLine.find("-Y") == std::string::npos) {
    s.CommandLine += " -y";
  }

  s.FirstFile = file.GetString(kDecompression, "First_File", "*.arj", kTextBuffer);
  s.SpaceRequired = file.GetInt(kInstall, "Space_Required", 0);
  s.TotalDisks = file.GetInt(kDecompression, "Total_Disks", 10);
}

std::string ConfigFilePath(const std::string& sourceDir) {
  return sourceDir + "\\" + kConfigFileName;
}

std::string MissingConfigText(const std::string& sourceDir) {
  return "Cannot Find Configuration File\n" + ConfigFilePath(sourceDir);
}
