#include "config/InstallSettings.h"

#include <gtest/gtest.h>

#include "config/DriveRoot.h"
#include "config/ProfileFile.h"
#include "tests/common/DoubleByteTexts.h"

namespace {

InstallSettings Read(const std::string& ini) {
  InstallSettings s;
  ReadInstallSettings(ProfileFile::Parse(ini), s, CodePage());
  return s;
}

void ExpectDefaults(const InstallSettings& s) {
  EXPECT_EQ(s.AppName, "No Application Specified");
  EXPECT_EQ(s.InstallDir, "C:\\VOR_TEMP");
  EXPECT_EQ(s.AppSetup, "setup.exe");
  EXPECT_EQ(s.DecompressorProgram, "ARJ.exe");
  EXPECT_EQ(s.CommandLine, "x -v -y");
  EXPECT_EQ(s.FirstFile, "*.arj");
  EXPECT_EQ(s.SpaceRequired, 0u);
  EXPECT_EQ(s.TotalDisks, 10u);
}

TEST(InstallSettings, EmptyFilesAndMissingFilesGiveTheDefaults) {
  ExpectDefaults(Read(""));
  ExpectDefaults(Read("[INSTALL]\n[DECOMPRESSION]\n"));
  InstallSettings s;
  ReadInstallSettings(ProfileFile(), s, CodePage());
  ExpectDefaults(s);
}

TEST(InstallSettings, EveryKeyLandsInItsField) {
  InstallSettings s = Read(
      "[INSTALL]\nApp_Name=Demo Game\nDefault_Directory=D:\\GAMES\\DEMO\nApp_Setup=install.exe\n"
      "Space_Required=25\n"
      "[DECOMPRESSION]\nUse_Program=pkunzip\nCommand_Line=-d -o\nFirst_File=DEMO.ZIP\n"
      "Total_Disks=4\n");
  EXPECT_EQ(s.AppName, "Demo Game");
  EXPECT_EQ(s.InstallDir, "D:\\GAMES\\DEMO");
  EXPECT_EQ(s.AppSetup, "install.exe");
  EXPECT_EQ(s.DecompressorProgram, "pkunzip.exe");
  EXPECT_EQ(s.CommandLine, "-d -o -y");
  EXPECT_EQ(s.FirstFile, "DEMO.ZIP");
  EXPECT_EQ(s.SpaceRequired, 25u);
  EXPECT_EQ(s.TotalDisks, 4u);
}

TEST(InstallSettings, ProgramRuleAlwaysAppendsExe) {
  EXPECT_EQ(Read("[DECOMPRESSION]\nUse_Program=ARJ.EXE\n").DecompressorProgram, "ARJ.EXE.exe");
  EXPECT_EQ(Read("[DECOMPRESSION]\nUse_Program=\n").DecompressorProgram, ".exe");
  EXPECT_EQ(Read("[DECOMPRESSION]\nUse_Program=pkunzip\n").DecompressorProgram, "pkunzip.exe");
  const std::string longName(150, 'p');
  EXPECT_EQ(Read("[DECOMPRESSION]\nUse_Program=" + longName + "\n").DecompressorProgram,
            std::string(99, 'p') + ".exe");
}

TEST(InstallSettings, SwitchRuleAppendsYesWhenNeitherCaseIsPresent) {
  auto cmd = [](const std::string& v) {
    return Read("[DECOMPRESSION]\nCommand_Line=" + v + "\n").CommandLine;
  };
  EXPECT_EQ(cmd("e -v"), "e -v -y");
  EXPECT_EQ(cmd("x -Y"), "x -Y");
  EXPECT_EQ(cmd("x -yv"), "x -yv");
  EXPECT_EQ(cmd(""), " -y");
  EXPECT_EQ(cmd("x /y"), "x /y -y");
  EXPECT_EQ(cmd(std::string(150, 'c')), std::string(99, 'c') + " -y");
}

TEST(InstallSettings, RootRuleCutsOnlyADriveRoot) {
  auto dir = [](const std::string& v) {
    return Read("[INSTALL]\nDefault_Directory=" + v + "\n").InstallDir;
  };
  EXPECT_EQ(dir("D:\\"), "D:");
  EXPECT_EQ(dir("D:\\GAMES\\"), "D:\\GAMES\\");
  EXPECT_EQ(dir("d:\\"), "d:");
  EXPECT_EQ(dir("abc"), "abc") << "a three-character folder is a folder";
  EXPECT_EQ(dir("D:/"), "D:/");
  EXPECT_EQ(dir("1:\\"), "1:\\");
  EXPECT_EQ(dir("\\\\\\"), "\\\\\\");
  EXPECT_EQ(dir("D:"), "D:");
  EXPECT_EQ(dir(""), "");
  EXPECT_EQ(TrimDriveRoot("C:\\"), "C:");
  EXPECT_EQ(TrimDriveRoot("C:\\A"), "C:\\A");
  // Back to the platform: a bare drive names that drive's current folder there.
  EXPECT_EQ(DriveRootAsFolder("S:"), "S:\\");
  EXPECT_EQ(DriveRootAsFolder(TrimDriveRoot("C:\\")), "C:\\");
  for (const char* other : {"S:\\GAMES", "ab", "", "1:", "\\\\"}) {
    EXPECT_EQ(DriveRootAsFolder(other), other);
  }
  EXPECT_EQ(dir(std::string(1200, 'd')), std::string(999, 'd'));
}

TEST(InstallSettings, TitleIsCutAt99AndMayBeEmpty) {
  EXPECT_EQ(Read("[INSTALL]\nApp_Name=" + std::string(150, 'n') + "\n").AppName,
            std::string(99, 'n'));
  EXPECT_EQ(Read("[INSTALL]\nApp_Name=\n").AppName, "");
  EXPECT_EQ(Read("[install]\napp_name=lower case\n").AppName, "lower case");
}

// A cut keeps whole characters: 50 double-byte characters in a buffer of 100 keep 49,
// never 49 and a lead byte; a single-byte code page keeps 99 bytes.
TEST(InstallSettings, CutsKeepWholeCharacters) {
  for (const DoubleByteTexts& t : kDoubleByteTexts) {
    std::string title;
    for (int i = 0; i < 50; ++i) title += t.fiveC;
    InstallSettings s;
    const SettingsAccount account =
        ReadInstallSettings(ProfileFile::Parse("[INSTALL]\nApp_Name=" + title + "\n"), s,
                            CodePage::ForNumber(t.codePage));
    EXPECT_EQ(s.AppName, title.substr(0, 98)) << t.codePage;
    EXPECT_TRUE(account[kAppNameKey].cut);
    EXPECT_EQ(Read("[INSTALL]\nApp_Name=" + title + "\n").AppName, title.substr(0, 99));
  }
}

TEST(InstallSettings, IntegerKeys) {
  EXPECT_EQ(Read("[INSTALL]\nSpace_Required=abc\n").SpaceRequired, 0u);
  EXPECT_EQ(Read("[DECOMPRESSION]\nTotal_Disks=-5\n").TotalDisks, 0u);
  EXPECT_EQ(Read("[DECOMPRESSION]\nTotal_Disks=12 disks\n").TotalDisks, 12u);
  // Each key is read from its own section only.
  EXPECT_EQ(Read("[INSTALL]\nTotal_Disks=3\n").TotalDisks, 10u);
  EXPECT_EQ(Read("[DECOMPRESSION]\nSpace_Required=3\n").SpaceRequired, 0u);
}

TEST(InstallSettings, ConfigPathAndMissingFileMessage) {
  EXPECT_EQ(ConfigFilePath("E:\\SETUP"), "E:\\SETUP\\VOR.INI");
  EXPECT_EQ(ConfigFilePath(TrimDriveRoot("C:\\")), "C:\\VOR.INI");
  EXPECT_EQ(MissingConfigText("C:"), "Cannot Find Configuration File\nC:\\VOR.INI");
}

}  // namespace
