#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "check/ArjHeaders.h"
#include "check/PackageCheck.h"
#include "check/PackagerPitfalls.h"
#include "tests/common/DoubleByteTexts.h"
#include "tests/common/TestInstaller.h"
#include "tests/unit/ArjTestFiles.h"

namespace {

const CodePage kSingleByte;  // every byte a character

std::string Lines(const PackageReport& report) {
  std::string text;
  for (const Finding& f : report.findings) text += FormatFinding(f) + "\n";
  return text;
}

std::string Config(const std::string& install, const std::string& decompression) {
  return "[INSTALL]\n" + install + "[DECOMPRESSION]\n" + decompression;
}

// A clean package: three volumes of 60 KB, setup.exe among the files, the installer
// and the decompressor beside them.
class Package : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("payload/setup.exe", "MZ" + std::string(5000, 'x'));
    dir.Write("payload/DATA.BIN", NoiseBytes(150000, 7));
    ASSERT_TRUE(MakeArj(dir.File("payload"), "-v60K", "../pkg.arj", {"setup.exe", "DATA.BIN"}));
    while (!dir.Read(arj::VolumeName("pkg.arj", volumes)).empty()) ++volumes;
    ASSERT_EQ(volumes, 3u);
    dir.Write("VOR.nfo", "nfo\n");
    dir.Write("file_id.diz", "diz\n");
    dir.Write("ARJ.exe", "MZ");
    dir.Write("ZEZADERI.EXE", OurTestInstaller(VOR_SOURCE_DIR));
    WriteConfig("", "");
  }

  // The clean settings with extra lines at the end of each section.
  void WriteConfig(const std::string& install, const std::string& decompression) {
    dir.Write("VOR.INI", Config("App_Name=Test Package\nDefault_Directory=C:\\TESTPKG\n"
                                "App_Setup=setup.exe\nSpace_Required=1\n" +
                                    install,
                                "Use_Program=ARJ\nCommand_Line=x -v -y -i\nFirst_File=pkg.arj\n"
                                "Total_Disks=3\n" +
                                    decompression));
  }

  PackageReport Check() { return CheckPackage(dir.Path(), "", kSingleByte); }

  TempDir dir;
  unsigned volumes = 0;
};

TEST_F(Package, ACleanPackageHasNoFindings) {
  const PackageReport r = Check();
  EXPECT_EQ(Lines(r), "");
  EXPECT_EQ(r.ExitStatus(), 0);
  ASSERT_EQ(r.archives.size(), 1u);
  EXPECT_EQ(r.archives[0].volumes, (std::vector<std::string>{"pkg.arj", "pkg.a01", "pkg.a02"}));
  EXPECT_EQ(r.archives[0].files, 2u);
  EXPECT_EQ(r.archives[0].unpackedBytes, 155002u);
  const std::string text = FormatReport(r);
  EXPECT_TRUE(
      Has(text, "[DECOMPRESSION] Use_Program        \"ARJ.exe\"  (VOR.INI:7, \".exe\" appended)"))
      << text;
  EXPECT_TRUE(Has(text, "Archive pkg.arj: 3 volumes (pkg.arj to pkg.a02), 2 files, 155,002 bytes"))
      << text;
  EXPECT_TRUE(Has(text, "Installer ZEZADERI.EXE: our logo and icon\nvorcheck: 0 errors")) << text;
}

TEST_F(Package, SettingsTellWhereEachValueCameFrom) {
  dir.Write("VOR.INI", Config("App_Name=" + std::string(120, 'n') +
                                  "\nDefault_Directory=D:\\\n"
                                  "Space_Required=9 MB\n",
                              "Command_Line=e -v\nFirst_File=*.ARJ\nTotal_Disks=3\n"));
  const PackageReport r = Check();
  ASSERT_EQ(r.origins.size(), 8u);
  EXPECT_EQ(r.origins[kAppNameKey].value, std::string(99, 'n'));
  EXPECT_EQ(r.origins[kAppNameKey].origin, "VOR.INI:2, cut to 99 characters");
  EXPECT_EQ(r.origins[kDefaultDirectoryKey].value, "D:");
  EXPECT_EQ(r.origins[kDefaultDirectoryKey].origin, "VOR.INI:3, root rule");
  EXPECT_EQ(r.origins[kAppSetupKey].origin, "default");
  EXPECT_EQ(r.origins[kUseProgramKey].value, "ARJ.exe");
  EXPECT_EQ(r.origins[kUseProgramKey].origin, "default, \".exe\" appended");
  EXPECT_EQ(r.origins[kCommandLineKey].value, "e -v -y");
  EXPECT_EQ(r.origins[kCommandLineKey].origin, "VOR.INI:6, \" -y\" appended");
  EXPECT_EQ(r.origins[kSpaceRequiredKey].value, "9");
  EXPECT_EQ(r.origins[kSpaceRequiredKey].origin, "VOR.INI:4, read from \"9 MB\"");
  // Names match as the platform matches them: *.ARJ finds pkg.arj.
  EXPECT_EQ(r.archives.size(), 1u);
  EXPECT_TRUE(Has(Lines(r),
                  "VOR.INI:2: warning: App_Name is 120 characters long: the "
                  "installer keeps the first 99"));
}

TEST_F(Package, MistakesInTheFileAreFoundOnTheirLines) {
  WriteConfig(
      "Defualt_Directory=D:\\GAMES\nTotal_Disks=4\nSpace_Required=2\n"
      "just words\n[DECOMPRESSION\nFirst_File=other.arj\n",
      "App_Name=Elsewhere\nTotal_Disks=-3\nOld=1\r2=3\n[install]\nApp_Name=Again\n");
  const std::string lines = Lines(Check());
  const char* const expected[] = {
      "VOR.INI:6: warning: unknown key Defualt_Directory (did you mean Default_Directory?)",
      "VOR.INI:7: warning: Total_Disks belongs in [DECOMPRESSION]: in [INSTALL] the installer "
      "does not see it and uses line 16",
      "VOR.INI:8: warning: second Space_Required in [INSTALL]: ignored; the installer uses line 5",
      "VOR.INI:9: warning: line without '=': the reader ignores it",
      "VOR.INI:10: warning: section header without ']': the reader ignores the line; the keys "
      "after it stay in [INSTALL]",
      "VOR.INI:11: warning: First_File belongs in [DECOMPRESSION]",
      "VOR.INI:17: warning: App_Name belongs in [INSTALL]: in [DECOMPRESSION] the installer does "
      "not see it and uses line 2",
      "VOR.INI:18: warning: second Total_Disks in [DECOMPRESSION]: ignored; the installer uses "
      "line 16",
      "VOR.INI:19: warning: carriage return inside the line",
      "VOR.INI:20: warning: second [install] section: the reader ignores it and its keys (the "
      "first is at line 1)",
  };
  for (const char* e : expected) EXPECT_TRUE(Has(lines, e)) << e << "\nin:\n" << lines;
}

TEST_F(Package, ValuesThatDoNotFitThePackageAreFound) {
  dir.Write("VOR.INI", Config("App_Setup=install.exe\nSpace_Required=-1\n",
                              "Use_Program=arj.exe\nFirst_File=pkg.arj\nTotal_Disks=5\n"));
  dir.Remove("file_id.diz");
  dir.Remove("VOR.nfo");
  dir.Write("VOR.nfo/inside", "a folder of that name cannot be opened as a file");
  const PackageReport r = Check();
  const std::string lines = Lines(r);
  const char* const expected[] = {
      "VOR.INI:2: warning: App_Setup \"install.exe\" is not among the 2 archived files",
      "VOR.INI:3: warning: Space_Required=-1 is negative: the installer reads 0",
      "VOR.INI:3: warning: Space_Required is 0 MB, below the archives' unpacked size of 155,002 "
      "bytes: at least 1 MB are needed",
      "VOR.INI: warning: App_Name is not set: the title reads \"No Application Specified\"",
      "VOR.INI:5: warning: Use_Program already ends in .exe: the installer appends another and "
      "starts arj.exe.exe",
      "VOR.INI:5: warning: arj.exe.exe is not in the folder: ship it in the package, or users "
      "get \"Can't Find arj.exe.exe\" unless it is on their path",
      "VOR.INI:7: warning: Total_Disks is 5, but the folder holds 3 volumes",
      "file_id.diz: warning: missing: its viewer would show \"File Not Found\"",
      "VOR.nfo: warning: is a folder: its viewer would show \"File Open Failure\"",
  };
  for (const char* e : expected) EXPECT_TRUE(Has(lines, e)) << e << "\nin:\n" << lines;
  EXPECT_EQ(r.ExitStatus(), 1);
}

TEST_F(Package, WhatStopsTheInstallationIsAnError) {
  {
    SCOPED_TRACE("no archive matches");
    dir.Write("VOR.INI", Config("", "First_File=other*.arj\n"));
    const PackageReport r = Check();
    EXPECT_TRUE(Has(Lines(r), "VOR.INI:3: error: First_File \"other*.arj\" matches no file"));
    EXPECT_EQ(r.ExitStatus(), 2);
  }
  {
    SCOPED_TRACE("double quotes in names");
    dir.Write("VOR.INI", Config("App_Setup=\"setup.exe\" /s\n",
                                "Use_Program=\"ARJ\"x\nFirst_File=pkg.arj\"\n"));
    const std::string lines = Lines(Check());
    for (const char* key : {"VOR.INI:2: error: the program's name in App_Setup",
                            "VOR.INI:4: error: Use_Program", "VOR.INI:5: error: First_File"}) {
      EXPECT_TRUE(Has(lines, std::string(key) + " holds a double quote: no file name holds one"))
          << key << "\nin:\n" << lines;
    }
  }
  {
    SCOPED_TRACE("an installer cut short");
    dir.Write("ZEZADERI.EXE", OurTestInstaller(VOR_SOURCE_DIR).substr(0, 4000));
    EXPECT_TRUE(Has(Lines(Check()), "ZEZADERI.EXE: error: truncated: 4000 bytes, but its sections"))
        << Lines(Check());
  }
  {
    SCOPED_TRACE("a VOR.INI too large to check");
    dir.Write("VOR.INI", Config("", "") + std::string(16 << 20, ';'));
    const PackageReport r = Check();
    EXPECT_TRUE(Has(Lines(r),
                    "VOR.INI: error: is larger than 16 MB: vorcheck does not read it, and checks "
                    "the rest of the package as if every key took its default"))
        << Lines(r);
  }
  {
    SCOPED_TRACE("no VOR.INI: the defaults, *.arj included, are checked");
    dir.Remove("VOR.INI");
    const PackageReport r = Check();
    EXPECT_TRUE(Has(Lines(r),
                    "VOR.INI: error: missing: the installer stops with \"Cannot Find "
                    "Configuration File\""));
    EXPECT_EQ(r.origins[kFirstFileKey].value, "*.arj");
    EXPECT_EQ(r.archives.size(), 1u);
    EXPECT_EQ(r.ExitStatus(), 2);
  }
}

TEST_F(Package, SetupProgramWithArgumentsIsSplitAsTheInstallerSplitsIt) {
  const auto configWithSetup = [](const std::string& appSetup) {
    return Config("App_Name=T\nDefault_Directory=C:\\TESTPKG\nApp_Setup=" + appSetup +
                      "\nSpace_Required=1\n",
                  "Command_Line=x -v -y -i\nFirst_File=pkg.arj\nTotal_Disks=3\n");
  };
  dir.Write("VOR.INI", configWithSetup("setup /s -q"));
  PackageReport r = Check();
  EXPECT_EQ(Lines(r),
            "VOR.INI:4: note: App_Setup \"setup /s -q\" is the archived setup.exe and its "
            "arguments \"/s -q\": the installer starts C:\\TESTPKG\\setup.exe /s -q (in the "
            "default target folder)\n");
  EXPECT_EQ(r.ExitStatus(), 0);

  // Quotes around an argument pass one with a blank; a tab separates as a blank does.
  dir.Write("VOR.INI", configWithSetup("setup.exe\t/dir \"C:\\a b\""));
  r = Check();
  EXPECT_EQ(Lines(r),
            "VOR.INI:4: note: App_Setup \"setup.exe\t/dir \"C:\\a b\"\" is the archived setup.exe "
            "and its arguments \"/dir \"C:\\a b\"\": the installer starts "
            "C:\\TESTPKG\\setup.exe\t/dir \"C:\\a b\" (in the default target folder)\n");
  EXPECT_EQ(r.ExitStatus(), 0);

  dir.Write("VOR.INI", configWithSetup("setup"));
  EXPECT_EQ(Lines(Check()), "") << "the whole name is tried with \".exe\" too";

  dir.Write("VOR.INI", configWithSetup("install.exe /s"));
  EXPECT_TRUE(Has(Lines(Check()), "VOR.INI:4: warning: App_Setup \"install.exe /s\" is not among"));
}

// On a file system that tells case apart, a folder may be named like a volume or like
// VOR.INI in another case: the file is read, whichever of the two has the exact name.
TEST_F(Package, AFolderNamedLikeAVolumeInAnotherCaseIsPassedOver) {
  for (const bool upperFile : {false, true}) {
    SCOPED_TRACE(upperFile ? "PKG.ARJ beside a folder pkg.arj" : "pkg.arj beside a folder PKG.ARJ");
    TempDir other;
    for (unsigned i = 0; i < volumes; ++i) {
      const std::string name = arj::VolumeName("pkg.arj", i);
      const bool upper = upperFile ? i == 0 : i == 1;  // and a folder of the name in lower case
      other.Write(upper ? arj::VolumeName("PKG.ARJ", i) : name, dir.Read(name));
    }
    other.Write(upperFile ? "pkg.arj/inside" : "PKG.ARJ/inside", "a folder");
    if (!upperFile) other.Write("pkg.a01/inside", "a folder named as the next volume is");
    other.Write("vor.ini/inside", "a folder");
    for (const char* name : {"VOR.INI", "VOR.nfo", "file_id.diz", "ARJ.exe", "ZEZADERI.EXE"}) {
      other.Write(name, dir.Read(name));
    }
    const PackageReport r = CheckPackage(other.Path(), "", kSingleByte);
    EXPECT_EQ(Lines(r), "");
    ASSERT_EQ(r.archives.size(), 1u);
    EXPECT_EQ(r.archives[0].volumes.size(), 3u);
    EXPECT_TRUE(Has(FormatReport(r), "3 volumes"));
  }
}

TEST_F(Package, ADamagedOrMissingVolumeIsAnErrorAndNothingIsChanged) {
  std::string middle = dir.Read("pkg.a01");
  middle[20] = static_cast<char>(middle[20] ^ 1);  // inside the main header
  dir.Write("pkg.a01", middle);
  PackageReport r = Check();
  EXPECT_TRUE(Has(Lines(r), "pkg.a01: error: at offset 0x0: header CRC mismatch")) << Lines(r);
  EXPECT_FALSE(Has(Lines(r), "Space_Required"));  // no sizes from a damaged set
  EXPECT_EQ(r.ExitStatus(), 2);
  EXPECT_EQ(dir.Read("pkg.a01"), middle);

  dir.Remove("pkg.a01");
  r = Check();
  EXPECT_TRUE(Has(Lines(r),
                  "pkg.arj: error: the archive goes on in pkg.a01, which is not in "
                  "the folder"))
      << Lines(r);
  EXPECT_TRUE(Has(Lines(r), "Total_Disks is 3, but the folder holds 1 volume"));
}

// A FIFO in place of a volume or of VOR.INI is reported, never waited on.
TEST_F(Package, AFifoIsAFindingNotAWait) {
  dir.Remove("pkg.a01");
  ASSERT_EQ(mkfifo(dir.File("pkg.a01").c_str(), 0600), 0);
  PackageReport r = Check();
  EXPECT_TRUE(Has(Lines(r), "pkg.a01: error: is not a regular file (a folder, a FIFO or a device)"))
      << Lines(r);
  dir.Remove("VOR.INI");
  ASSERT_EQ(mkfifo(dir.File("VOR.INI").c_str(), 0600), 0);
  r = Check();
  EXPECT_TRUE(Has(Lines(r), "VOR.INI: error: is not a regular file")) << Lines(r);
  EXPECT_EQ(r.ExitStatus(), 2);
}

// A package for a double-byte Windows, read in its code page: a name whose trail byte
// is 0x5C is a name, not a path, and a cut keeps whole characters.
TEST_F(Package, DoubleByteTextsAreReadInTheirCodePage) {
  for (const DoubleByteTexts& t : kDoubleByteTexts) {
    SCOPED_TRACE(t.codePage);
    const std::string archive = std::string(t.folder) + ".arj";
    for (unsigned i = 0; i < volumes; ++i) {
      dir.Write(arj::VolumeName(archive, i), dir.Read(arj::VolumeName("pkg.arj", i)));
    }
    std::string title;
    for (int i = 0; i < 50; ++i) title += t.fiveC;
    dir.Write("VOR.INI", Config("App_Name=" + title + "\nApp_Setup=setup.exe\nSpace_Required=1\n",
                                "Use_Program=" + std::string(t.folder) + "\nFirst_File=" +
                                    archive + "\nTotal_Disks=3\n"));
    const PackageReport r = CheckPackage(dir.Path(), "", CodePage::ForNumber(t.codePage));
    EXPECT_EQ(Lines(r), "VOR.INI:2: warning: App_Name is 100 bytes long: the installer keeps the "
                        "first 98 bytes, whole characters only\n"
                        "VOR.INI:6: warning: " + std::string(t.folder) +
                        ".exe is not in the folder: ship it in the package, or users get \"Can't "
                        "Find " + std::string(t.folder) + ".exe\" unless it is on their path\n");
    ASSERT_EQ(r.archives.size(), 1u);
    EXPECT_EQ(r.archives[0].volumes.size(), 3u);
    for (unsigned i = 0; i < volumes; ++i) dir.Remove(arj::VolumeName(archive, i));
  }
}

TEST_F(Package, ArchivesMayLieInAFolderOfThePackage) {
  for (unsigned i = 0; i < volumes; ++i) {
    const std::string name = arj::VolumeName("pkg.arj", i);
    dir.Write("disks/" + name, dir.Read(name));
    dir.Remove(name);
  }
  dir.Write("VOR.INI",
            Config("App_Name=T\nSpace_Required=1\n",
                   "Command_Line=x -v -y -i\nFirst_File=disks\\*.arj\nTotal_Disks=3\n"));
  PackageReport r = Check();
  EXPECT_EQ(Lines(r), "");
  ASSERT_EQ(r.archives.size(), 1u);
  EXPECT_EQ(r.archives[0].volumes.size(), 3u);

  dir.Write("disks/pkg.a02", "junk");
  r = Check();
  EXPECT_TRUE(Has(Lines(r), "disks/pkg.a02: error: not an ARJ archive")) << Lines(r);
}

// What the volumes hold that cannot be installed, as arj on Linux stores it: a link as a
// UNIX special entry, names Windows cannot hold, case twins; and a path past Windows'
// limit, volumes marked as made on UNIX.
TEST_F(Package, WhatCannotBeInstalledFromTheHeadersIsFound) {
  const std::string deep = std::string(120, 'd') + "/" + std::string(130, 'f') + ".txt";
  const std::string names[] = {"setup.exe", "Readme.txt", "README.TXT", "what?.txt",
                                    "a:b.txt",   "con.txt",    "back\\slash.txt", deep};
  for (const std::string& name : names) dir.Write("bad/" + name, "x");
  ASSERT_EQ(symlink("setup.exe", dir.File("bad/link").c_str()), 0);
  ASSERT_TRUE(MakeArj(dir.File("bad"), "-r -a", "../bad.arj", {"*"}));  // as vorpack runs it
  std::string volume = dir.Read("bad.arj");
  volume[7] = arj::kHostUnix;  // the main header's host system, as arj without -2d writes it
  FixHeaderCrc(&volume, 0);
  dir.Write("bad.arj", volume);
  dir.Write("VOR.INI", Config("App_Name=T\nDefault_Directory=C:\\TESTPKG\nSpace_Required=1\n",
                              "Command_Line=x -v -y -i\nFirst_File=bad.arj\nTotal_Disks=1\n"));
  const PackageReport r = Check();
  const std::string lines = Lines(r);
  const std::string expected[] = {
      "VOR.INI:3: warning: the longest path in the target folder, C:\\TESTPKG\\" +
          std::string(120, 'd') + "\\" + std::string(130, 'f') +
          ".txt, is 266 characters: Windows' limit is 259; shorten the folder or the names\n",
      "bad.arj: note: made on UNIX, as the archive says: ARJ.EXE writes \"Binary file from a "
      "different OS\" into the log for every file; arj -2d (vorpack's way) makes it as on MS-DOS\n",
      "bad.arj: error: link is a UNIX special entry (a symbolic link, a device or a FIFO): "
      "ARJ.EXE skips it and the installation goes on without it\n",
      "bad.arj: error: what?.txt: Windows cannot hold the name \"what?.txt\" (\"?\", which no "
      "Windows name holds): ARJ.EXE fails on it or puts the file elsewhere\n",
      "bad.arj: error: a:b.txt: Windows cannot hold the name",
      "bad.arj: error: con.txt: Windows cannot hold the name \"con.txt\" (the device name con,",
      "bad.arj: error: back\\slash.txt: Windows cannot hold the name \"back\\slash.txt\" (a "
      "backslash, which Windows takes for a folder)",
      " differ in case only: Windows takes them for one, and one file is lost\n",
  };
  for (const std::string& e : expected) EXPECT_TRUE(Has(lines, e)) << e << "\nin:\n" << lines;
  EXPECT_EQ(r.ExitStatus(), 2);
}

// A set as long as the archiver names it: past .999 to .1000 and on; a volume missing
// anywhere is an error naming it.
TEST_F(Package, ASetIsFollowedPastTheThousandthVolume) {
  // 1,022 volumes that hold no file and go on, then the three of pkg.arj.
  std::string empty = dir.Read("pkg.arj");
  const size_t basic = static_cast<unsigned char>(empty[2]) | static_cast<unsigned char>(empty[3]) << 8;
  empty = empty.substr(0, 4 + basic + 4 + 2) + std::string("\x60\xEA\0\0", 4);
  ASSERT_TRUE(empty[8] & arj::kVolumeFlag);
  for (unsigned i = 0; i < 1022; ++i) dir.Write(arj::VolumeName("big.arj", i), empty);
  for (unsigned i = 0; i < 3; ++i) {
    dir.Write(arj::VolumeName("big.arj", 1022 + i), dir.Read(arj::VolumeName("pkg.arj", i)));
  }
  dir.Write("VOR.INI", Config("App_Name=T\nSpace_Required=1\n",
                              "Command_Line=x -v -y -i\nFirst_File=big.arj\nTotal_Disks=1025\n"));
  PackageReport r = Check();
  EXPECT_EQ(Lines(r), "");
  ASSERT_EQ(r.archives.size(), 1u);
  EXPECT_EQ(r.archives[0].volumes.back(), "big.1024");
  dir.Remove("big.1010");
  r = Check();
  EXPECT_TRUE(Has(Lines(r), "big.1009: error: the archive goes on in big.1010, which is not in the "
                            "folder\n"))
      << Lines(r);
}

// Settings edited by hand: UTF-8 where the installer reads a code page, a target folder
// that is not absolute, no decompressor in the package.
TEST_F(Package, HandEditedTextsGetFindingsWithTheFix) {
  dir.Write("VOR.INI", Config("App_Name=PixelQuest \xC3\x89" "dition\nDefault_Directory=C:PixelQuest\n"
                              "Space_Required=1\n",
                              "Use_Program=ARJ\nCommand_Line=x -v -y -i\nFirst_File=pkg.arj\n"
                              "Total_Disks=3\n"));
  dir.Write("VOR.nfo", "PixelQuest\r\n\xC3\x89" "dition\r\n");
  dir.Remove("ARJ.exe");
  const PackageReport r = Check();
  EXPECT_EQ(Lines(r),
            "VOR.INI:2: warning: App_Name \"PixelQuest \xC3\x89" "dition\" is UTF-8: the installer "
            "reads VOR.INI in code page 1252 and shows \"PixelQuest \xC3\x83\xE2\x80\xB0" "dition\"; "
            "save VOR.INI in code page 1252 (vorpack writes it so)\n"
            "VOR.INI:3: error: Default_Directory \"C:PixelQuest\" is relative to the current folder "
            "of drive C:, whatever that is on the user's machine (a \"\\\" after \"C:\" is "
            "missing: an unquoted C:\\Folder in a Linux shell loses it): write a full path, such "
            "as C:\\PixelNotes\n"
            "VOR.INI:6: warning: ARJ.exe is not in the folder: ship it in the package, or users "
            "get \"Can't Find ARJ.exe\" unless it is on their path\n"
            "VOR.nfo:2: warning: is UTF-8: its viewer shows it in code page 437, this line as "
            "\"\xE2\x94\x9C\xC3\xAB" "dition\"; save it in code page 437 (vorpack converts a "
            "UTF-8 --nfo or --diz)\n");
  EXPECT_EQ(r.ExitStatus(), 2);
  for (const char* folder : {"\\Games", "Games", "\\\\server"}) {
    EXPECT_NE(NotAbsoluteFolder(folder, kSingleByte), "") << folder;
  }
  for (const char* folder : {"C:\\Games", "d:/Games", "C:", "\\\\server\\share"}) {
    EXPECT_EQ(NotAbsoluteFolder(folder, kSingleByte), "") << folder;
  }
}

// What the installer reads without complaint but users meet: a single & in the title
// or a description, a target folder two levels deep, a Space_Required far above the
// files, no installer in the folder, ARJ's progress indicator in the log.
TEST_F(Package, WhatBitesPackagersIsNoted) {
  dir.Write("VOR.INI", Config("App_Name=Tom & Jerry\nDefault_Directory=C:\\Games\\Pixel Notes\\\n"
                              "App_Setup=setup.exe\nSpace_Required=11\n",
                              "Use_Program=arj32\nCommand_Line=x -v -y -i1\nFirst_File=pkg.arj\n"
                              "Total_Disks=3\n"));
  dir.Write("ARJ32.exe", "MZ");
  dir.Write("VOR.nfo", "Tom && Jerry\r\nR&D\r\nfine\r\nA & B &&\r\n");
  dir.Remove("ZEZADERI.EXE");
  PackageReport r = Check();
  EXPECT_EQ(Lines(r),
            "VOR.INI:2: warning: App_Name \"Tom & Jerry\" has a single &: the title line does not "
            "show it and underlines the character after it; write && to show one (\"Tom && "
            "Jerry\")\n"
            "VOR.INI:3: warning: Default_Directory \"C:\\Games\\Pixel Notes\\\" needs more than one "
            "new folder on a clean machine: the installer creates only the last one, Pixel Notes, "
            "so C:\\Games must exist on the user's machine, or it fails with \"Cannot Create\"; "
            "offer a folder one level below the root\n"
            "VOR.INI:5: note: Space_Required is 11 MB, far above the archives' unpacked size of "
            "155,002 bytes (1 MB): users with room for the files but not that much are refused (it "
            "counts megabytes of 1,000,000 bytes)\n"
            "VOR.INI:8: note: Command_Line has no -i: ARJ's progress indicator fills the log with "
            "backspaces, which the log viewer shows as boxes; with -i the log holds the same lines "
            "without them\n"
            "VOR.nfo:2: warning: a single & is not shown and underlines the character after it; "
            "write && to show one (1 more line below)\n"
            "ZEZADERI.EXE: note: not in the folder: users start the installer from the package "
            "folder (make build leaves it in build/win32)\n");
  EXPECT_EQ(r.ExitStatus(), 1);

  dir.Write("VOR.INI", Config("App_Name=Tom && Jerry\nDefault_Directory=C:\\Program Files\\PN\\\n"
                              "Space_Required=10\n",
                              "Use_Program=arj32\nCommand_Line=x -v -y -I\nFirst_File=pkg.arj\n"
                              "Total_Disks=3\n"));
  dir.Write("VOR.nfo", "Tom && Jerry\r\n");
  dir.Write("zezaderi.exe", OurTestInstaller(VOR_SOURCE_DIR));
  EXPECT_EQ(Lines(Check()), "");
}

TEST(PackageCheckNames, FolderThatMustExistIsAllButTheLastLevelBelowTheRoot) {
  const char* const cases[][2] = {
      {"C:\\Games\\Pixel Notes", "C:\\Games"},  {"C:\\A\\B\\C\\", "C:\\A\\B"},
      {"C:\\Pixel", ""},                        {"C:", ""},
      {"C:Games\\Pixel", "C:Games"},             {"\\Games\\Pixel", "\\Games"},
      {"Games\\Pixel", "Games"},                 {"Pixel", ""},
      {"\\\\server\\share\\Pixel", ""},        {"\\\\server\\share\\Games\\Pixel", "\\\\server\\share\\Games"},
      {"D:/Games/Pixel", "D:/Games"},           {"C:\\Program Files\\Pixel", ""},
      {"c:/PROGRAM FILES/Maker/Pixel", "c:/PROGRAM FILES/Maker"},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderThatMustExist(c[0], kSingleByte), c[1]) << c[0];
  // A trail byte 0x5C is no separator: one folder below the root, by character.
  for (const DoubleByteTexts& t : kDoubleByteTexts) {
    const std::string one = std::string("C:\\") + t.folder;
    EXPECT_EQ(FolderThatMustExist(one, CodePage::ForNumber(t.codePage)), "") << t.codePage;
    EXPECT_EQ(FolderThatMustExist(one + "\\X", CodePage::ForNumber(t.codePage)), one);
  }
}

TEST(PackageCheckNames, WildcardsMatchWithoutRegardToCase) {
  EXPECT_TRUE(MatchesPattern("*.arj", "VORPKG.ARJ", kSingleByte));
  EXPECT_TRUE(MatchesPattern("vor???.a*", "vorpkg.arj", kSingleByte));
  EXPECT_TRUE(MatchesPattern("*", "", kSingleByte));
  EXPECT_TRUE(MatchesPattern("a*b*c", "aXbYbZc", kSingleByte));
  EXPECT_FALSE(MatchesPattern("*.arj", "vorpkg.a01", kSingleByte));
  EXPECT_FALSE(MatchesPattern("vorpkg.arj", "vorpkg.arj.bak", kSingleByte));
  EXPECT_FALSE(MatchesPattern("", "x", kSingleByte));
  EXPECT_FALSE(MatchesPattern(std::string(50, '*') + "b", std::string(5000, 'a'), kSingleByte));
}

// "?" stands for one character, and only single-byte letters fold: a trail byte that
// looks like a letter is part of its character.
TEST(PackageCheckNames, PatternsReadDoubleByteCharactersWhole) {
  const CodePage sjis = CodePage::ForNumber(932);
  const std::string hyo = "\x95\x5C", a = "\x83\x41", dzi = "\x83\x61";
  EXPECT_TRUE(MatchesPattern("?.arj", hyo + ".arj", sjis));
  EXPECT_FALSE(MatchesPattern("?.arj", hyo + ".arj", kSingleByte));
  EXPECT_FALSE(MatchesPattern(a + "*.arj", dzi + "x.arj", sjis));
  EXPECT_TRUE(MatchesPattern(a + "*.arj", dzi + "x.arj", kSingleByte));
  EXPECT_TRUE(MatchesPattern(a + "*.ARJ", a + "x.arj", sjis));
  EXPECT_TRUE(MatchesPattern("??.arj", "\x81\x41\xB0\xA1.arj", CodePage::ForNumber(949)));
}

TEST(PackageCheckNames, NearestNameOnlyForNearMisses) {
  const std::vector<std::string> keys = {"App_Name", "Default_Directory", "Total_Disks"};
  EXPECT_EQ(NearestName("Defualt_Directory", keys), "Default_Directory");
  EXPECT_EQ(NearestName("total_disk", keys), "Total_Disks");
  EXPECT_EQ(NearestName("Colour", keys), "");
  EXPECT_EQ(NearestName("", keys), "");
}

}  // namespace
