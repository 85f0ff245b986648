// Whole installations with the real installer and the stand-in decompressor.
#include <gtest/gtest.h>

#include "tests/e2e/InstallFlow.h"

namespace {

const char kScript[] =
    "line Processing archive: DISK1.ARJ\r\n"
    "line Extracting README.TXT    OK\r\n"
    "file README.TXT 100\r\n"
    "line Processing archive: DISK2.ARJ\r\n"
    "line Extracting DATA.DAT    OK\r\n"
    "file sub\\DATA.DAT 2000\r\n"
    "exit 0\r\n";
const char kLog[] =
    "Processing archive: DISK1.ARJ\r\nExtracting README.TXT    OK\r\n"
    "Processing archive: DISK2.ARJ\r\nExtracting DATA.DAT    OK\r\n";

TEST(Install, WholeInstallationWithTheStandIn) {
  SourceFolder folder;
  const std::string target = folder.File("target");
  PreparePackage(folder, "Default_Directory=" + target + "\r\n", "Total_Disks=2\r\n", kScript);
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);

  Click(dlg, 1005);
  HWND folderDlg = app.WaitForWindow("Select Install Folder");
  ASSERT_NE(folderDlg, nullptr);
  EXPECT_EQ(ControlText(folderDlg, 1014), target) << "the folder from VOR.INI is offered";
  Click(folderDlg, IDOK);
  MessageBoxView question = WaitForBox(app, "Create Directory");
  ASSERT_NE(question.hwnd, nullptr);
  EXPECT_EQ(question.text, "Directory " + target + " does not exist.\nDo you want to create it?");
  Click(question.hwnd, IDYES);

  MessageBoxView done = WaitForBox(app, "Successful Installation");
  ASSERT_NE(done.hwnd, nullptr);
  EXPECT_EQ(done.text, "Installation Completed Successfully\nExecute Application Setup?");
  EXPECT_EQ(done.buttons, (std::vector<int>{IDYES, IDNO}));
  Click(done.hwnd, IDNO);
  ASSERT_TRUE(WaitUntil([&] { return app.WaitForWindow("Decompressing Files", 0) == nullptr; }));
  EXPECT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004) && ControlEnabled(dlg, 1025); }));

  auto report = ReadReport(folder.File("unpacker.report"));
  EXPECT_EQ(report["cmdline"], "unpacker.exe x -v -y " + folder.Path() + "\\*.arj");
  EXPECT_EQ(report["cwd"], target);
  EXPECT_EQ(report["stdin"], "none");
  EXPECT_EQ(report["stdout"], "file");
  EXPECT_EQ(report["startflags"], "0x101");
  EXPECT_EQ(report["showwindow"], "7");
  EXPECT_EQ(ReadWholeFile(folder.File("VORDECOMP.LOG")), kLog);
  EXPECT_EQ(ReadWholeFile(target + "\\README.TXT").size(), 100u);
  EXPECT_EQ(ReadWholeFile(target + "\\sub\\DATA.DAT").size(), 2000u);
  EXPECT_FALSE(FileExists(folder.File("README.TXT"))) << "nothing lands in the source folder";

  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(Install, SecondInstallTruncatesTheFirstLog) {
  SourceFolder folder;
  const std::string target = folder.File("target");
  ASSERT_TRUE(::CreateDirectoryA(target.c_str(), nullptr));
  PreparePackage(folder, "Default_Directory=" + target + "\r\n", "", kScript);
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(InstallAndDecline(app, dlg, target));
  EXPECT_EQ(ReadWholeFile(folder.File("VORDECOMP.LOG")), kLog);

  folder.Write("unpacker.script", "line second run\r\nexit 0\r\n");
  ASSERT_TRUE(InstallAndDecline(app, dlg, target));
  EXPECT_EQ(ReadWholeFile(folder.File("VORDECOMP.LOG")), "second run\r\n");
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(Install, FailedDecompressionStillEnablesTheButtons) {
  SourceFolder folder;
  PreparePackage(folder, "Default_Directory=" + folder.Path() + "\r\n", "",
                 "line Processing archive: DISK1.ARJ\r\nexit 3\r\n");
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(ChooseFolder(app, dlg, folder.Path()));
  MessageBoxView failed = WaitForBox(app, "Installation Failed");
  ASSERT_NE(failed.hwnd, nullptr);
  EXPECT_EQ(failed.text, "CRC Error");
  EXPECT_FALSE(failed.hasIcon);
  Click(failed.hwnd, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004) && ControlEnabled(dlg, 1025); }));
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(Install, DriveRootIsHandedOnInItsShortForm) {
  // T: is a drive of the test prefix's own (tools/wine-run.sh).
  ASSERT_TRUE(DirectoryExists("T:\\")) << "the test drive T: is missing";
  SourceFolder folder;
  PreparePackage(folder, "Default_Directory=T:\\\r\nApp_Setup=setup.exe -x\r\n", "",
                 "file INSTALLED.TXT 10\r\nexit 0\r\n");
  ASSERT_TRUE(::CopyFileA((g_paths.bin + "\\standin.exe").c_str(), "T:\\setup.exe", FALSE));
  HANDLE h = ::CreateFileA("T:\\setup.script", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ::CloseHandle(h);

  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(InstallAndAccept(app, dlg, "T:\\"));
  EXPECT_TRUE(WaitUntil([&] { return FileExists("T:\\setup.report"); }));
  auto setup = ReadReport("T:\\setup.report");
  EXPECT_EQ(setup["cmdline"], "T:\\setup.exe -x") << "no blank in the folder: no quotes";
  EXPECT_EQ(setup["argc"], "2");
  EXPECT_EQ(setup["cwd"], folder.Path()) << "the setup program starts in the source folder";
  EXPECT_EQ(ReadReport(folder.File("unpacker.report"))["cwd"], "T:\\");
  EXPECT_TRUE(FileExists("T:\\INSTALLED.TXT"));

  // Removing a whole drive is refused, and nothing on it is touched.
  ASSERT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004); }));
  Click(dlg, 1004);
  MessageBoxView refused = WaitForBox(app, "Remove Install Directory");
  ASSERT_NE(refused.hwnd, nullptr);
  EXPECT_NE(refused.text.find("\"T:\""), std::string::npos) << refused.text;
  Click(refused.hwnd, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dlg) != 0; }));
  EXPECT_TRUE(ControlEnabled(dlg, 1004));
  EXPECT_TRUE(FileExists("T:\\INSTALLED.TXT"));
  EXPECT_TRUE(FileExists("T:\\setup.exe"));

  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
  for (const char* f : {"T:\\INSTALLED.TXT", "T:\\setup.exe", "T:\\setup.script", "T:\\setup.report"}) {
    ::DeleteFileA(f);
  }
}

TEST(Install, MissingDecompressorIsReported) {
  SourceFolder folder;
  PreparePackage(folder, "Default_Directory=" + folder.Path() + "\r\n", "Use_Program=nosuchprog\r\n",
                 "");
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(ChooseFolder(app, dlg, folder.Path()));
  MessageBoxView box = WaitForBox(app, "Failed to Launch nosuchprog.exe");
  ASSERT_NE(box.hwnd, nullptr);
  EXPECT_EQ(box.text,
            "Can't Find nosuchprog.exe.\nPlease make sure nosuchprog.exe is in your path.");
  EXPECT_TRUE(box.hasIcon);
  Click(box.hwnd, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dlg) != 0; }));
  EXPECT_FALSE(ControlEnabled(dlg, 1004));
  EXPECT_FALSE(ControlEnabled(dlg, 1025));
  EXPECT_TRUE(FileExists(folder.File("VORDECOMP.LOG")));
  EXPECT_EQ(ReadWholeFile(folder.File("VORDECOMP.LOG")), "");
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(Install, LogThatCannotBeCreatedGivesTheFileErrorReport) {
  SourceFolder folder;
  PreparePackage(folder, "Default_Directory=" + folder.Path() + "\r\n", "", "exit 0\r\n");
  ASSERT_TRUE(::CreateDirectoryA(folder.File("VORDECOMP.LOG").c_str(), nullptr));
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(ChooseFolder(app, dlg, folder.Path()));
  MessageBoxView box = WaitForBox(app, "ZEZADERI");
  ASSERT_NE(box.hwnd, nullptr);
  EXPECT_EQ(box.text, "Access to VORDECOMP.LOG was denied.");
  EXPECT_TRUE(box.hasIcon);
  EXPECT_EQ(::GetWindow(box.hwnd, GW_OWNER), dlg) << "owned by the main dialog";
  Click(box.hwnd, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dlg) != 0; }));
  EXPECT_FALSE(ControlEnabled(dlg, 1004));
  EXPECT_FALSE(FileExists(folder.File("unpacker.report"))) << "nothing was started";
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
