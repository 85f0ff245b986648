// Installations with a real decompressor: ARJ.EXE built from Debian's arj source
// (tools/arj/build-arj.sh), on volumes that Linux arj made at test time
// (tests/fixtures/make-real-archives.sh). What a real program cannot be made to do
// (exit code 259, output in chosen pieces) stays with the stand-in's tests.
#include "tests/e2e/InstallFlow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class RealArj : public ::testing::Test {
 protected:
  void SetUp() override {
    if (g_paths.arj.empty() || !FileExists(g_paths.arj)) {
      GTEST_SKIP() << "no real decompressor: " << (g_paths.arj.empty() ? "no --arj given" : g_paths.arj)
                   << " is missing (tools/arj/build-arj.sh builds it; build/arj-build.log says why "
                      "it failed)";
    }
    ASSERT_FALSE(FilesUnder(Archives("clean")).empty())
        << "no archives in " << Archives("clean") << " (tests/fixtures/make-real-archives.sh)";
    m_volumes = (int)FilesUnder(Archives("clean")).size();
  }

  static std::string Archives(const std::string& set) { return g_paths.archives + "\\" + set; }

  // A source folder with ARJ.EXE, VOR.INI and the volumes of one set.
  void Prepare(const std::string& set) {
    m_folder.CopyIn(g_paths.arj, "ARJ.EXE");
    m_folder.CopyFilesIn(Archives(set));
    m_folder.Write("VOR.INI", "[INSTALL]\r\nApp_Name=Real ARJ Package\r\n"
                              "[DECOMPRESSION]\r\nUse_Program=ARJ\r\nCommand_Line=x -v -y\r\n"
                              "First_File=vorpkg.arj\r\nTotal_Disks=" +
                                  std::to_string(m_volumes) + "\r\n");
  }

  // Runs an installation of the set up to the message box with that caption.
  MessageBoxView InstallUntil(Installer& app, const std::string& caption, HWND* bar = nullptr) {
    HWND dlg = app.MainDialog();
    if (dlg == nullptr || !ChooseFolder(app, dlg, Target())) return MessageBoxView();
    HWND progress = app.WaitForWindow("Decompressing Files");
    if (progress != nullptr && bar != nullptr) *bar = ::GetDlgItem(progress, 1024);
    return WaitForBox(app, caption, 60000);
  }

  // A failed installation shows the exit code's message, and the installer goes on.
  void ExpectFailure(const std::string& set, const std::string& message) {
    Prepare(set);
    Installer app(m_folder.Path());
    MessageBoxView failed = InstallUntil(app, "Installation Failed");
    ASSERT_NE(failed.hwnd, nullptr) << "no failure reported for " << set;
    EXPECT_EQ(failed.text, message) << set;
    Click(failed.hwnd, IDOK);
    Close(app);
  }

  // After an installation the main dialog's buttons come back; Exit ends the installer.
  static void Close(Installer& app) {
    HWND dlg = app.MainDialog();
    EXPECT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004) && ControlEnabled(dlg, 1025); }));
    Click(dlg, IDCANCEL);
    EXPECT_EQ(app.WaitForExit(), 0u);
  }

  std::string Target() const { return m_folder.File("target"); }
  std::string Log() const { return ReadWholeFile(m_folder.File("VORDECOMP.LOG")); }
  bool SameAsPacked(const std::string& name) const {
    return ReadWholeFile(Target() + "\\" + name) == ReadWholeFile(Archives("payload") + "\\" + name);
  }

  SourceFolder m_folder;
  int m_volumes = 0;
};

TEST_F(RealArj, MultiVolumeArchiveInstallsByteForByte) {
  ASSERT_GE(m_volumes, 4) << "a file should span several volumes";
  Prepare("clean");
  Installer app(m_folder.Path());
  HWND bar = nullptr;
  MessageBoxView done = InstallUntil(app, "Successful Installation", &bar);
  ASSERT_NE(done.hwnd, nullptr);
  EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), m_volumes + 1);
  EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), m_volumes + 1) << "full after a clean end";
  Click(done.hwnd, IDNO);

  const std::vector<std::string> packed = FilesUnder(Archives("payload"));
  EXPECT_EQ(FilesUnder(Target()), packed);
  for (const std::string& name : packed) EXPECT_TRUE(SameAsPacked(name)) << name;

  Close(app);
}

// The real output holds lines that the log line rules must pass over or cut right.
TEST_F(RealArj, LogHoldsTheRealProgramsLines) {
  Prepare("clean");
  Installer app(m_folder.Path());
  MessageBoxView done = InstallUntil(app, "Successful Installation");
  ASSERT_NE(done.hwnd, nullptr);
  Click(done.hwnd, IDNO);
  const std::string log = Log();
  EXPECT_EQ(log.rfind("ARJ32 v 3.10, Copyright", 0), 0u) << "the banner comes first";
  for (const char* line : {"\r\nExtended attributes enabled\r\n",
                           "\r\nProcessing archive: " /* then the full path */,
                           "\r\nArchive created: ", "\r\nExtracting DATA1.DAT ",
                           "\b\b\b\b\b 100%\b\b\b\b\bContinued on next volume, OK",
                           "\r\nExtracting sub/DATA2.DAT ", "\r\n     1 file(s)\r\n"}) {
    EXPECT_NE(log.find(line), std::string::npos) << "missing: " << line;
  }
  EXPECT_NE(log.find("Processing archive: " + m_folder.Path() + "\\vorpkg.a0" +
                     std::to_string(m_volumes - 1) + "\r\n"),
            std::string::npos)
      << "the last volume";
  size_t volumes = 0;
  for (size_t at = log.find("\r\nProcessing archive: "); at != std::string::npos;
       at = log.find("\r\nProcessing archive: ", at + 1)) {
    ++volumes;
  }
  EXPECT_EQ(volumes, (size_t)m_volumes);
  Close(app);
}

TEST_F(RealArj, MissingVolumeIsFileMissingOrCorrupt) {
  ExpectFailure("missing-volume", "File Missing or Corrupt");  // exit code 6
  // What came before the gap stays.
  EXPECT_TRUE(SameAsPacked("README.TXT"));
  EXPECT_TRUE(SameAsPacked("SETUP.EXE"));
  EXPECT_NE(Log().find("Can't open " + m_folder.Path() + "\\vorpkg.a02"), std::string::npos) << Log();
}

TEST_F(RealArj, DamagedDataIsCrcError) {
  ExpectFailure("damaged-data", "CRC Error");  // exit code 3
}

TEST_F(RealArj, DamagedHeaderIsFatalError) {
  ExpectFailure("damaged-header", "Fatal Error");  // exit code 2
  EXPECT_NE(Log().find("Bad header"), std::string::npos) << Log();
}

TEST_F(RealArj, CutVolumeIsFatalError) {
  ExpectFailure("cut-volume", "Fatal Error");  // exit code 2
}

TEST_F(RealArj, TextFileIsNotAValidArchive) {
  ExpectFailure("not-an-archive", "Not a Valid Archive");  // exit code 9
  EXPECT_NE(Log().find("is not an ARJ archive"), std::string::npos) << Log();
}

}  // namespace
