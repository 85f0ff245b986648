#include "config/InstallSettings.h"

#include "config/DriveRoot.h"
#include "config/ProfileFile.h"
#include "framework/NumberScan.h"

const char kMissingConfigMessage[] = "Cannot Find Configuration File";
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

// Each read notes where its value came from: what GetString and GetInt would return,
// with the line and the text found on the way.
CString Text(const ProfileFile& file, SettingKeyIndex i, SettingsAccount& account,
                 const CodePage& cp) {
  const SettingKey& k = kSettingKeys[i];
  SettingSource& source = account[i];
  if (!file.Find(k.section, k.name, &source.read, &source.line)) source.read = k.defaultText;
  CString value = ProfileFile::Cut(source.read, k.bufferSize, cp);
  source.cut = value.size() < source.read.size();
  return value;
}

uint32_t Number(const ProfileFile& file, SettingKeyIndex i, SettingsAccount& account) {
  const SettingKey& k = kSettingKeys[i];
  SettingSource& source = account[i];
  if (!file.Find(k.section, k.name, &source.read, &source.line)) return k.defaultNumber;
  source.number = ProfileFile::ScanNumber(source.read);
  return source.number.value;
}

}  // namespace

SettingsAccount ReadInstallSettings(const ProfileFile& file, InstallSettings& s,
                                    const CodePage& cp) {
  SettingsAccount account;
  s.AppName = Text(file, kAppNameKey, account, cp);

  const CString written = Text(file, kDefaultDirectoryKey, account, cp);
  s.InstallDir = TrimDriveRoot(written);
  account[kDefaultDirectoryKey].rootRule = s.InstallDir != written;

  s.AppSetup = Text(file, kAppSetupKey, account, cp);

  s.DecompressorProgram = Text(file, kUseProgramKey, account, cp);
  s.DecompressorProgram += ".exe";
  account[kUseProgramKey].exeAppended = true;

  s.CommandLine = Text(file, kCommandLineKey, account, cp);
  if (s.CommandLine.find("-y") == CString::npos &&
      s.CommandLine.find("-Y") == CString::npos) {
    s.CommandLine += " -y";
    account[kCommandLineKey].switchAppended = true;
  }

  s.FirstFile = Text(file, kFirstFileKey, account, cp);
  s.SpaceRequired = Number(file, kSpaceRequiredKey, account);
  s.TotalDisks = Number(file, kTotalDisksKey, account);
  return account;
}

CString SettingValue(const InstallSettings& s, SettingKeyIndex key) {
  switch (key) {
    case kAppNameKey: return s.AppName;
    case kDefaultDirectoryKey: return s.InstallDir;
    case kAppSetupKey: return s.AppSetup;
    case kUseProgramKey: return s.DecompressorProgram;
    case kCommandLineKey: return s.CommandLine;
    case kFirstFileKey: return s.FirstFile;
    case kSpaceRequiredKey: return UnsignedDecimalText(s.SpaceRequired);
    case kTotalDisksKey: return UnsignedDecimalText(s.TotalDisks);
    case kSettingKeyCount: break;
  }
  return CString();
}

CString ConfigFilePath(StringView sourceDir) {
  return sourceDir + "\\" + kConfigFileName;
}

CString MissingConfigText(StringView sourceDir) {
  return kMissingConfigMessage + ("\n" + ConfigFilePath(sourceDir));
}
