#include <gtest/gtest.h>

#include <string>

#include "install/InstallTexts.h"

TEST(InstallTexts, CommandLineJoinsThePiecesInOrder) {
  EXPECT_EQ(BuildDecompressorCommandLine("ARJ.exe", "x -v -y", "E:\\SETUP", "*.arj"),
            "ARJ.exe x -v -y E:\\SETUP\\*.arj");
  EXPECT_EQ(BuildDecompressorCommandLine("ARJ.exe", "x -v -y", "E:", "*.arj"),
            "ARJ.exe x -v -y E:\\*.arj");
  EXPECT_EQ(BuildDecompressorCommandLine("", "", "", ""), "  \\");
}

TEST(InstallTexts, PathsWithBlanksAreQuotedAndOthersAreNot) {
  EXPECT_EQ(BuildDecompressorCommandLine("ARJ.exe", "x -v -y", "C:\\My Games\\Release 1", "*.arj"),
            "ARJ.exe x -v -y \"C:\\My Games\\Release 1\\*.arj\"");
  EXPECT_EQ(BuildDecompressorCommandLine("ARJ.exe", "x -v -y", "C:\\SRC", "my pkg.arj"),
            "ARJ.exe x -v -y \"C:\\SRC\\my pkg.arj\"");
  EXPECT_EQ(BuildSetupCommand("C:\\Target Dir", "setup.exe"), "\"C:\\Target Dir\\setup.exe\"");
  EXPECT_EQ(BuildSetupCommand("C:\\Target\tDir", "setup.exe"), "C:\\Target\tDir\\setup.exe")
      << "only the blank counts";
}

TEST(InstallTexts, LongTextsAreNeitherCutNorChanged) {
  const std::string program(120, 'P'), args(150, 'a'), dir(400, 'd'), first(90, 'f');
  const std::string line = BuildDecompressorCommandLine(program, args, dir, first);
  EXPECT_EQ(line, program + " " + args + " " + dir + "\\" + first);
  EXPECT_EQ(line.size(), 763u);

  const std::string installDir = "C:\\" + std::string(597, 'x');
  EXPECT_EQ(BuildSetupCommand(installDir, "setup.exe"), installDir + "\\setup.exe");
}

TEST(InstallTexts, SetupCommandUnderTheInstallFolder) {
  EXPECT_EQ(BuildSetupCommand("C:\\VOR_TEMP", "setup.exe"), "C:\\VOR_TEMP\\setup.exe");
  EXPECT_EQ(BuildSetupCommand("C:", "setup.exe"), "C:\\setup.exe");
  EXPECT_EQ(BuildSetupCommand("D:\\GAMES\\", "INSTALL.EXE"), "D:\\GAMES\\\\INSTALL.EXE");
}

TEST(InstallTexts, MissingProgramIsNamedTwice) {
  EXPECT_EQ(LaunchFailureCaption("ARJ.exe"), "Failed to Launch ARJ.exe");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 2),
            "Can't Find ARJ.exe.\nPlease make sure ARJ.exe is in your path.");
  EXPECT_EQ(LaunchFailureText("100%d.exe", 2),
            "Can't Find 100%d.exe.\nPlease make sure 100%d.exe is in your path.");
}

TEST(InstallTexts, OtherErrorsShowTheNumberAsPercentI) {
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 0), "Error code 0");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 3), "Error code 3");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 193), "Error code 193");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 0x7FFFFFFFu), "Error code 2147483647");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 0x80000000u), "Error code -2147483648");
  EXPECT_EQ(LaunchFailureText("ARJ.exe", 0xFFFFFFFFu), "Error code -1");
}
