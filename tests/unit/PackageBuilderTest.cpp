// vorpack, the package builder, natively: real volumes from Debian's arj, the files
// beside them, the texts in the users' code pages, the check at the end; and bad input,
// which gets a clear message and leaves the packager's folders as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <algorithm>

#include "check/ArjHeaders.h"
#include "check/PackOptions.h"
#include "check/PackageBuilder.h"
#include "tests/common/TestInstaller.h"
#include "tests/unit/ArjTestFiles.h"

namespace {

class Builder : public ::testing::Test {
 protected:
  void SetUp() override {
    // A setup program, a manual that spans volumes, files in nested folders.
    dir.Write("payload/setup.exe", "MZ" + std::string(3000, 's'));
    dir.Write("payload/DOCS/MANUAL.TXT", NoiseBytes(40000, 3));
    dir.Write("payload/DATA/SUB/LEVEL.DAT", "level one\r\n");
    dir.Write("payload/README.TXT", "read me\r\n");
    dir.Write("tools/ARJ.EXE", "MZ the decompressor");
    dir.Write("tools/ZEZADERI.EXE", OurTestInstaller(VOR_SOURCE_DIR));
  }

  // The arguments of a clean run from `payload` into `out`, with options changed, added,
  // or taken out (a value of "-").
  using Changes = std::vector<std::pair<std::string, std::string>>;
  std::vector<std::string> Args(const std::string& out, const Changes& changes = {},
                                const std::string& payload = "payload") {
    std::vector<std::string> args = {dir.File(payload), dir.File(out),
                                     "--name",          "Pixel & Notes caf\xC3\xA9",  // UTF-8 é
                                     "--dir",           "C:\\Pixel Notes",
                                     "--decompressor",  dir.File("tools/ARJ.EXE"),
                                     "--installer",     dir.File("tools/ZEZADERI.EXE"),
                                     "--volume-size",   "15K",
                                     "--archive",       "pixnotes"};
    for (const auto& c : changes) {
      const auto at = std::find(args.begin(), args.end(), c.first);
      if (at != args.end() && c.second == "-") {
        args.erase(at, at + 2);
      } else if (at != args.end()) {
        *(at + 1) = c.second;
      } else {
        args.push_back(c.first);
        args.push_back(c.second);
      }
    }
    return args;
  }

  PackResult Run(const std::vector<std::string>& args) {
    return RunVorpack(args, dir.File("tools"));
  }

  unsigned Volumes(const std::string& out) {
    unsigned n = 0;
    while (!dir.Read(out + "/" + arj::VolumeName("pixnotes.arj", n)).empty()) ++n;
    return n;
  }

  TempDir dir;
};

TEST_F(Builder, MakesACheckedPackageFromAPayload) {
  PackResult r = Run(Args("pkg"));
  ASSERT_EQ(r.exitStatus, 0) << r.errors << r.output;
  EXPECT_EQ(r.errors, "");
  const unsigned volumes = Volumes("pkg");
  EXPECT_GE(volumes, 3u) << "MANUAL.TXT spans volumes of 15,000 bytes";
  for (unsigned i = 0; i < volumes; ++i) {
    EXPECT_LE(dir.Read("pkg/" + arj::VolumeName("pixnotes.arj", i)).size(), 15000u);
  }
  // Code page 1252 in VOR.INI, each & doubled so that the title shows it.
  EXPECT_EQ(dir.Read("pkg/VOR.INI"),
            "[INSTALL]\r\nApp_Name=Pixel && Notes caf\xE9\r\nDefault_Directory=C:\\Pixel Notes\r\n"
            "App_Setup=setup.exe\r\nSpace_Required=1\r\n\r\n[DECOMPRESSION]\r\nUse_Program=ARJ\r\n"
            "Command_Line=x -v -y -i\r\nFirst_File=pixnotes.arj\r\nTotal_Disks=" +
                std::to_string(volumes) + "\r\n");
  // Code page 437 in the descriptions.
  EXPECT_EQ(dir.Read("pkg/file_id.diz"),
            "Pixel && Notes caf\x82 (" + std::to_string(volumes) + " disks)\r\n");
  EXPECT_TRUE(Has(dir.Read("pkg/VOR.nfo"), "Pixel && Notes caf\x82\r\n==================\r\n"))
      << dir.Read("pkg/VOR.nfo");
  EXPECT_EQ(dir.Read("pkg/pixnotes.arj")[7], 0) << "made as on MS-DOS (-2d), not on UNIX (2)";
  // Names in folders marked as made on Windows: ARJ.EXE prints them with "\".
  size_t inFolders = 0;
  for (unsigned i = 0; i < volumes; ++i) {
    const std::string bytes = dir.Read("pkg/" + arj::VolumeName("pixnotes.arj", i));
    MemorySource source(bytes.data(), bytes.size());
    const arj::VolumeHeaders v = arj::ReadVolumeHeaders(source);
    EXPECT_EQ(v.problem, "") << "the headers' CRCs made anew";
    for (const arj::FileHeader& f : v.files) {
      if (f.name.find('/') == std::string::npos) continue;
      ++inFolders;
      EXPECT_NE(f.flags & arj::kPathSymFlag, 0) << f.name;
    }
  }
  EXPECT_GE(inFolders, 2u);
  EXPECT_EQ(dir.Read("pkg/ZEZADERI.EXE"), OurTestInstaller(VOR_SOURCE_DIR));
  EXPECT_EQ(dir.Read("pkg/ARJ.EXE"), "MZ the decompressor");
  EXPECT_TRUE(Has(r.output, "Archive pixnotes.arj: " + std::to_string(volumes) +
                                " volumes (pixnotes.arj to pixnotes.a0" +
                                std::to_string(volumes - 1) +
                                "), 4 files, 43,022 bytes unpacked\n"
                                "Installer ZEZADERI.EXE: our logo and icon\n"
                                "vorcheck: 0 errors, 0 warnings, 0 notes\n"))
      << r.output;

  // The packager's own descriptions: one in UTF-8 goes to the OEM code page, any other
  // is copied as it is; the title in code page 932.
  dir.Write("own.nfo", "Caf\xC3\xA9 & more\r\n");
  dir.Write("own.diz", "\xC9\xCD\xBB box\r\n");
  r = Run(Args("pkg932", {{"--nfo", dir.File("own.nfo")}, {"--diz", dir.File("own.diz")}}));
  EXPECT_EQ(r.exitStatus, 1) << "the nfo's single & is a warning: " << r.output;
  EXPECT_TRUE(Has(r.output, "pkg932/VOR.nfo:1: warning: a single &")) << r.output;
  EXPECT_EQ(dir.Read("pkg932/VOR.nfo"), "Caf\x82 & more\r\n");
  EXPECT_EQ(dir.Read("pkg932/file_id.diz"), "\xC9\xCD\xBB box\r\n");

  // 表, whose second byte in code page 932 is "\"; the installer found beside vorpack.
  r = Run(
      Args("pkg-ja/", {{"--code-page", "932"}, {"--name", "\xE8\xA1\xA8"}, {"--installer", "-"}}));
  EXPECT_EQ(r.exitStatus, 0) << r.errors << r.output;
  EXPECT_TRUE(Has(dir.Read("pkg-ja/VOR.INI"), "App_Name=\x95\x5C\r\n"));
  EXPECT_EQ(dir.Read("pkg-ja/file_id.diz"), "\x95\x5C (" + std::to_string(volumes) + " disks)\r\n");
}

// Every refusal names what is wrong, makes no package, and leaves the packager's
// folders as they were: a folder it made is removed again, a folder that was there
// keeps what it held and gets nothing new.
TEST_F(Builder, BadInputGetsAClearMessageAndLosesNothing) {
  dir.Write("full/VOR.INI", "precious\r\n");
  dir.Write("volumes/pixnotes.a01", "an older volume");
  dir.Write("volumes/VOR.nfo", "an older description");
  dir.Write("mine/notes.txt", "the packager's notes");
  dir.Write("empty/inside/.keep", "");
  dir.Remove("empty/inside/.keep");
  dir.Write("dotted/.git", "a top-level name with a dot");
  dir.Write("utf8/Caf\xC3\xA9.txt", "a name beyond ASCII");
  dir.Write("failing-arj",
            "#!/bin/sh\n"
            "for a; do archive=$last; last=$a; done\n"
            "echo part of a volume > \"$archive\"\n"
            "echo \"Can't open DATA/SUB/LEVEL.DAT\"; for n in 1 2 3 4 5 6; do echo $n; done\n"
            "echo Disk full; exit 5\n");
  chmod(dir.File("failing-arj").c_str(), 0755);
  const std::string& p = dir.Path();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const std::string tooLong(100, 'n');
  std::vector<std::string> twice = Args("out");
  twice.insert(twice.end(), {"--name", "x"});
  const Case cases[] = {
      {Args("out", {{"--nmae", "x"}}), 3, "vorpack: unknown option --nmae"},
      {{dir.File("payload"), dir.File("out"), "--name", "N", "--decompressor", "A.EXE"},
       3,
       "vorpack: --dir is missing: the target folder offered to users"},
      {Args("out", {{"--volume-size", "9999"}}), 3,
       "--volume-size 9999 is below what the archiver makes: from 10K (10,000 bytes) to 2000M"},
      {Args("out", {{"--code-page", "1250"}}), 4,
       "vorpack: --code-page: code page 1250 is not one vorpack writes"},
      {twice, 3, "vorpack: --name is given twice"},
      {Args("out", {}, "none"), 4, "vorpack: the payload folder " + p + "/none does not exist"},
      {Args("out", {}, "mine/notes.txt"), 4,
       "vorpack: " + p + "/mine/notes.txt is a file: give the folder whose files"},
      {Args("out", {}, "empty"), 4,
       "vorpack: the payload folder " + p + "/empty holds no file: nothing to install"},
      {Args("out", {}, "dotted"), 4,
       p + "/dotted/.git: the archiver hangs on a name that starts with \".\""},
      {Args("out", {}, "utf8"), 4, "/utf8/Caf\xC3\xA9.txt: the name has characters beyond ASCII"},
      {Args("full"), 4,
       p + "/full holds VOR.INI, another package already: vorpack writes over "
           "nothing"},
      {Args("volumes"), 4,
       p + "/volumes holds VOR.nfo, pixnotes.a01 already: vorpack writes over nothing; remove "
           "them"},
      {Args("payload/DATA/pkg"), 4, p + "/payload/DATA/pkg lies inside the payload"},
      {Args("none/pkg"), 4, "the folder above " + p + "/none/pkg does not exist"},
      {Args("out", {{"--archiver", p + "/no-arj"}}), 4,
       "vorpack: cannot start the archiver " + p + "/no-arj: not found"},
      {Args("mine", {{"--archiver", dir.File("failing-arj")}}), 4,
       "failed with exit code 5; its last words:\n  Can't open DATA/SUB/LEVEL.DAT\n  2\n"},
      {Args("out", {{"--archiver", dir.File("failing-arj")}}), 4, "failed with exit code 5"},
      {Args("out", {{"--decompressor", p + "/tools/ARJ"}}), 4,
       "--decompressor " + p +
           "/tools/ARJ: the installer starts Use_Program with \".exe\" "
           "appended, so the file's name must end in .exe"},
      {Args("out", {{"--installer", p + "/no/ZEZADERI.EXE"}}), 4,
       "vorpack: --installer " + p + "/no/ZEZADERI.EXE: no such file"},
      {Args("out", {{"--nfo", p + "/tools"}}), 4, "vorpack: --nfo " + p + "/tools: a folder"},
      {Args("out", {{"--logo", p + "/mine/notes.txt"}}), 4,
       "vorpack: --logo " + p + "/mine/notes.txt: not a BMP file, or one cut short: the logo "
       "must be a BMP file of 402 x 186 pixels"},
      {Args("out", {{"--icon", p + "/mine/notes.txt"}}), 4,
       "vorpack: --icon " + p + "/mine/notes.txt: not an icon file"},
      {Args("out", {{"--installer", "-"}}), 4,
       "vorpack: no ZEZADERI.EXE beside vorpack (in " + p +
           "/payload/DATA) nor in the Windows build beside it: make build makes it; or name it "
           "with --installer FILE"},
      {Args("out", {{"--name", tooLong}}), 4,
       "--name \"" + tooLong + "\" is 100 bytes in code page 1252: App_Name holds 99"},
      {Args("out", {{"--name", std::string(60, '&')}}), 4,
       "is 120 bytes in code page 1252 (each & doubled so that it shows): App_Name holds 99"},
      {Args("out", {{"--dir", "C:\\" + std::string(997, 'd')}}), 4,
       "is 1000 bytes in code page 1252: Default_Directory holds 999"},
      {Args("out", {{"--setup", tooLong}}), 4, "App_Setup holds 99"},
      {Args("out", {{"--dir", "C:PixelQuest"}}), 4,
       "--dir \"C:PixelQuest\" is relative to the current folder of drive C:"},
      {Args("out", {{"--dir", "Games\\Pixel"}}), 4, "--dir \"Games\\Pixel\" is relative"},
      {Args("out", {{"--dir", "C:\\\"Pixel\""}}), 4, "holds a double quote"},
      {Args("out", {{"--name", "Pixel\x1A"}}), 4, "holds a control character (code 26)"},
      {Args("out", {{"--name", "\xE8\xA1\xA8"}}), 4,
       "vorpack: --name \"\xE8\xA1\xA8\": \"\xE8\xA1\xA8\" has no place in code page 1252\n"},
      {Args("out", {{"--name", "5 \xE2\x82\xAC"}}), 4,
       "\"\xE2\x82\xAC\" has no place in code page 437, the OEM code page the descriptions are "
       "shown in: give your own with --nfo and --diz"},
      {Args("out", {{"--name", "caf\xE9"}}), 4, "it is not UTF-8 text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    // From a program folder without the installer, none is found.
    const bool noInstaller = std::find(c.args.begin(), c.args.end(), "--installer") == c.args.end();
    const PackResult r = RunVorpack(c.args, dir.File(noInstaller ? "payload/DATA" : "tools"));
    EXPECT_EQ(r.exitStatus, c.status);
    EXPECT_TRUE(Has(r.errors, c.message)) << r.errors;
    EXPECT_TRUE(Has(r.errors, c.status == 3 ? "(vorpack --help lists the options)"
                                            : "vorpack: no package made"))
        << r.errors;
    EXPECT_EQ(r.output.find("vorcheck:"), std::string::npos) << r.output;
    struct stat st;
    EXPECT_NE(stat(dir.File("out").c_str(), &st), 0) << "out is made only by a run that succeeds";
    EXPECT_EQ(dir.Read("full/VOR.INI"), "precious\r\n");
    EXPECT_EQ(dir.Read("volumes/pixnotes.a01"), "an older volume");
    EXPECT_EQ(dir.Read("mine/notes.txt"), "the packager's notes");
    EXPECT_EQ(dir.Read("mine/pixnotes.arj"), "") << "the failed archiver's volume is removed";
  }
}

// What cannot reach the users' Windows is named, all of it in one message, before the
// archiver runs: links, a file of 4 GiB, names Windows cannot hold, case twins.
TEST_F(Builder, WhatCannotReachWindowsIsRefusedAtOnceBeforeArchiving) {
  dir.Write("bad/setup.exe", "MZ");
  for (const char* name : {"Readme.txt", "README.TXT", "what?.txt", "a:b.txt", "SUB/con.txt",
                           "Lpt1", "dot.", "blank ", "back\\slash.txt", "pipe|x", "tab\tx",
                           "SUB/big.bin"}) {
    dir.Write(std::string("bad/") + name, "x");
  }
  ASSERT_EQ(truncate(dir.File("bad/SUB/big.bin").c_str(), int64_t{1} << 32), 0);  // sparse
  ASSERT_EQ(symlink("../setup.exe", dir.File("bad/SUB/link").c_str()), 0);
  ASSERT_EQ(symlink(dir.File("payload").c_str(), dir.File("bad/outside").c_str()), 0);
  dir.Write("marking-arj", "#!/bin/sh\ntouch " + dir.File("archived") + "\n");
  chmod(dir.File("marking-arj").c_str(), 0755);
  const PackResult r = Run(Args("out", {{"--archiver", dir.File("marking-arj")}}, "bad"));
  EXPECT_EQ(r.exitStatus, 4);
  const std::string b = dir.File("bad/");
  const std::string expected =
      "vorpack: the payload holds 13 files that cannot reach the users' Windows as they are; "
      "rename, replace or take them out:\n"
      "  " + b + "Lpt1: Windows cannot hold the name: the device name Lpt1, which Windows opens "
      "instead of a file\n"
      "  " + b + "SUB/big.bin: 4294967296 bytes, 4 GiB or more: an ARJ archive keeps a file's "
      "size in 32 bits; split the file\n"
      "  " + b + "SUB/con.txt: Windows cannot hold the name: the device name con, which Windows "
      "opens instead of a file\n"
      "  " + b + "SUB/link: a symbolic link, which the archiver stores as a UNIX special entry "
      "that ARJ.EXE skips; put the file itself there\n"
      "  " + b + "a:b.txt: Windows cannot hold the name: \":\", which no Windows name holds\n"
      "  " + b + "back\\slash.txt: Windows cannot hold the name: a backslash, which Windows "
      "takes for a folder\n"
      "  " + b + "blank : Windows cannot hold the name: a trailing blank, which Windows drops\n"
      "  " + b + "dot.: Windows cannot hold the name: a trailing dot, which Windows drops\n"
      "  " + b + "outside: a symbolic link, which the archiver stores as a UNIX special entry "
      "that ARJ.EXE skips; put the file itself there\n"
      "  " + b + "pipe|x: Windows cannot hold the name: \"|\", which no Windows name holds\n"
      "  " + b + "tab\tx: Windows cannot hold the name: a control character\n"
      "  " + b + "what?.txt: Windows cannot hold the name: \"?\", which no Windows name holds\n"
      "  " + b + "Readme.txt: differs from README.TXT in case only: Windows takes them for one, "
      "and one is lost\n"
      "vorpack: no package made\n";
  EXPECT_EQ(r.errors, expected);
  EXPECT_EQ(dir.Read("archived"), "") << "the archiver never ran";

  // A payload of links only holds no file, and says why.
  dir.Write("links/setup.exe", "");
  dir.Remove("links/setup.exe");
  ASSERT_EQ(symlink(dir.File("payload/setup.exe").c_str(), dir.File("links/setup.exe").c_str()), 0);
  EXPECT_TRUE(Has(Run(Args("out", {}, "links")).errors, "links/setup.exe: a symbolic link"));
}

// The archiver the packager means: a relative --archiver is found from the current
// folder, not among the payload's files; ARJ_SW does not reach it.
TEST_F(Builder, TheArchiverIsTheOneMeantWithoutDefaultSwitches) {
  dir.Write("wrap/arj", "#!/bin/sh\necho \"ARJ_SW=[$ARJ_SW]\" > " + dir.File("env.txt") +
                            "\nexec arj \"$@\"\n");
  dir.Write("payload/wrap/arj", "#!/bin/sh\nexit 9\n");
  chmod(dir.File("wrap/arj").c_str(), 0755);
  chmod(dir.File("payload/wrap/arj").c_str(), 0755);
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
  setenv("ARJ_SW", "-e", 1);  // -e: every folder dropped
  const PackResult r = Run(Args("pkg", {{"--archiver", "wrap/arj"}}));
  unsetenv("ARJ_SW");
  ASSERT_EQ(chdir(cwd), 0);
  EXPECT_EQ(r.exitStatus, 0) << r.errors << r.output;
  EXPECT_EQ(dir.Read("env.txt"), "ARJ_SW=[]\n");
  EXPECT_TRUE(Has(r.output, ", 5 files, ")) << r.output;
}

TEST(PackOptions, VolumeSizesCountAsTheArchiverCounts) {
  uint64_t bytes = 0;
  std::string error;
  EXPECT_TRUE(ParseVolumeSize("1440K", &bytes, &error));
  EXPECT_EQ(bytes, 1440000u);
  EXPECT_TRUE(ParseVolumeSize("2m", &bytes, &error));
  EXPECT_EQ(bytes, 2000000u);
  EXPECT_TRUE(ParseVolumeSize("10000", &bytes, &error));
  EXPECT_EQ(bytes, 10000u);
  for (const char* bad : {"", "K", "12X", "1.5M", "-3K", "2001M", "99999999999999999999999"}) {
    EXPECT_FALSE(ParseVolumeSize(bad, &bytes, &error)) << bad;
    EXPECT_TRUE(Has(error, std::string("--volume-size ") + bad + " is")) << error;
  }
  EXPECT_TRUE(Has(error, "is above what the archiver makes")) << error;
}

}  // namespace
