// Folders that people really have: a package in a drive root, blanks in folder names,
// three-character folder names; and where the dialogs open.
#include <gtest/gtest.h>

#include "tests/e2e/InstallFlow.h"

namespace {

// The root of the test drive T: (a folder of the test prefix's own) as a package's
// source folder, emptied before and after.
class TestDriveRoot {
 public:
  TestDriveRoot() { Empty(); }
  ~TestDriveRoot() { Empty(); }

 private:
  static void Empty() {
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA("T:\\*", &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree("T:\\" + name);
      } else {
        ::DeleteFileA(("T:\\" + name).c_str());
      }
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
};

// No box of the viewer's failures came up (they come before the viewer's window).
bool ViewerOpenedWithoutError(const Installer& app, const std::string& file) {
  if (app.WaitForWindow("Viewing - " + file) == nullptr) return false;
  return app.WaitForWindow("File Not Found", 0) == nullptr &&
         app.WaitForWindow("File Open Failure", 0) == nullptr;
}

RECT WindowRect(HWND h) {
  RECT r = {};
  ::GetWindowRect(h, &r);
  return r;
}

// Whether inner is centred on outer, to the pixel that an odd difference leaves.
::testing::AssertionResult CentredOn(HWND inner, const RECT& outer) {
  const RECT r = WindowRect(inner);
  const long dx = (r.left - outer.left) - (outer.right - r.right);
  const long dy = (r.top - outer.top) - (outer.bottom - r.bottom);
  if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << Text(inner) << " at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
         << " is not centred on " << outer.left << "," << outer.top << "-" << outer.right << ","
         << outer.bottom;
}

}  // namespace

TEST(RealFolders, PackageInADriveRootInstallsIntoAFolderOnThatDrive) {
  ASSERT_TRUE(DirectoryExists("T:\\")) << "the test drive T: is missing";
  TestDriveRoot root;
  ASSERT_TRUE(::CreateDirectoryA("T:\\GAMES", nullptr));
  PreparePackageIn("T:\\", "Default_Directory=T:\\GAMES\r\n", "Total_Disks=1\r\n",
                   "line Processing archive: T:\\VORPKG.ARJ\r\nfile GAME.TXT 50\r\nexit 0\r\n");
  WriteWholeFile("T:\\VOR.nfo", "The package's own description.\r\n");

  Installer app("T:\\");
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(InstallAndDecline(app, dlg, "T:\\GAMES")) << "the decompressor was not found";

  auto report = ReadReport("T:\\unpacker.report");
  EXPECT_EQ(report["cmdline"], "unpacker.exe x -v -y T:\\*.arj");
  EXPECT_EQ(report["cwd"], "T:\\GAMES");
  EXPECT_EQ(ReadWholeFile("T:\\VORDECOMP.LOG"), "Processing archive: T:\\VORPKG.ARJ\r\n")
      << "the log lies in the package's root";
  EXPECT_FALSE(FileExists("T:\\GAMES\\VORDECOMP.LOG"));
  EXPECT_EQ(ReadWholeFile("T:\\GAMES\\GAME.TXT").size(), 50u);

  // The viewers read the root's files, not the target's.
  Click(dlg, 1000);
  EXPECT_TRUE(ViewerOpenedWithoutError(app, "VOR.nfo"));
  Click(dlg, 1025);
  EXPECT_TRUE(ViewerOpenedWithoutError(app, "VORDECOMP.LOG"));
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(RealFolders, PathsWithBlanksReachTheProgramsAsOneArgument) {
  SourceFolder base;
  const std::string source = base.File("My Games");
  ASSERT_TRUE(::CreateDirectoryA(source.c_str(), nullptr));
  const std::string package = source + "\\Release 1";
  ASSERT_TRUE(::CreateDirectoryA(package.c_str(), nullptr));
  const std::string target = base.File("Target Dir");
  ASSERT_TRUE(::CreateDirectoryA(target.c_str(), nullptr));
  // A decompressor's name with a blank; an empty First_File, so that the archive path
  // ends in a backslash; a setup program given with its arguments, beside a program
  // named like the whole of App_Setup's first word.
  PreparePackageIn(package, "Default_Directory=" + target + "\r\nApp_Setup=install -auto /q\r\n",
                   "Use_Program=my unpacker\r\nFirst_File=\r\n", "");
  ASSERT_TRUE(::CopyFileA((g_paths.bin + "\\standin.exe").c_str(),
                          (package + "\\my unpacker.exe").c_str(), FALSE));
  WriteWholeFile(package + "\\my unpacker.script", "file README.TXT 10\r\nexit 0\r\n");
  for (const char* name : {"install.exe", "install -auto.exe"}) {
    ASSERT_TRUE(::CopyFileA((g_paths.bin + "\\standin.exe").c_str(),
                            (target + "\\" + name).c_str(), FALSE));
  }
  WriteWholeFile(target + "\\install.script", "");

  Installer app(package);
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(InstallAndAccept(app, dlg, target));

  auto unpacker = ReadReport(package + "\\my unpacker.report");
  EXPECT_EQ(unpacker["cmdline"], "\"my unpacker.exe\" x -v -y \"" + package + "\\\\\"");
  EXPECT_EQ(unpacker["argc"], "5");
  EXPECT_EQ(unpacker["arg4"], package + "\\");
  EXPECT_EQ(ReadWholeFile(target + "\\README.TXT").size(), 10u);

  ASSERT_TRUE(WaitUntil([&] { return FileExists(target + "\\install.report"); }));
  auto setup = ReadReport(target + "\\install.report");
  EXPECT_EQ(setup["cmdline"], "\"" + target + "\\install.exe\" -auto /q");
  EXPECT_EQ(setup["argc"], "3");
  EXPECT_EQ(setup["arg0"], target + "\\install.exe");
  EXPECT_EQ(setup["arg1"], "-auto");
  EXPECT_EQ(setup["arg2"], "/q");
  EXPECT_FALSE(FileExists(target + "\\install -auto.report")) << "the shortest name is taken";
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(RealFolders, LaunchErrorShowsTheQuotedCommand) {
  SourceFolder base;
  const std::string target = base.File("Target Dir");
  PreparePackage(base, "Default_Directory=" + target + "\r\nApp_Setup=missing.exe /s\r\n", "",
                 "exit 0\r\n");
  Installer app(base.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(ChooseFolder(app, dlg, target));
  MessageBoxView done = WaitForBox(app, "Successful Installation");
  ASSERT_NE(done.hwnd, nullptr);
  Click(done.hwnd, IDYES);
  MessageBoxView failed = WaitForBox(app, "Launch Error");
  ASSERT_NE(failed.hwnd, nullptr);
  EXPECT_EQ(failed.text, "\"" + target + "\\missing.exe /s\"") << "no program found: the whole";
  Click(failed.hwnd, IDOK);
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(RealFolders, ThreeCharacterFolderIsKeptWhole) {
  SourceFolder folder;
  ASSERT_TRUE(::CreateDirectoryA(folder.File("abc").c_str(), nullptr));
  PreparePackage(folder, "Default_Directory=abc\r\n", "", "file F.TXT 5\r\nexit 0\r\n");
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  Click(dlg, 1005);
  HWND folderDlg = app.WaitForWindow("Select Install Folder");
  ASSERT_NE(folderDlg, nullptr);
  EXPECT_EQ(ControlText(folderDlg, 1014), "abc") << "offered as written";
  Click(folderDlg, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dlg) != 0; }));

  // Typed relative to the source folder, where it exists.
  ASSERT_TRUE(InstallAndDecline(app, dlg, "abc"));
  EXPECT_EQ(ReadReport(folder.File("unpacker.report"))["cwd"], folder.File("abc"));
  EXPECT_TRUE(FileExists(folder.File("abc\\F.TXT")));
  EXPECT_FALSE(DirectoryExists(folder.File("ab")));
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(RealFolders, DialogsOpenCentred) {
  SourceFolder folder;
  const std::string target = folder.File("target");
  PreparePackage(folder, "Default_Directory=" + target + "\r\n", "",
                 "waitfor " + folder.File("go.flag") + " 15000\r\nexit 0\r\n");
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  RECT work = {};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_TRUE(CentredOn(dlg, work)) << "the main dialog on the screen's work area";
  const RECT main = WindowRect(dlg);

  ::PostMessageA(dlg, WM_SYSCOMMAND, 16, 0);
  HWND about = app.WaitForWindow("About ZEZADERI");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(CentredOn(about, main));
  Click(about, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dlg) != 0; }));

  Click(dlg, 1005);
  HWND folderDlg = app.WaitForWindow("Select Install Folder");
  ASSERT_NE(folderDlg, nullptr);
  EXPECT_TRUE(CentredOn(folderDlg, main));
  ::SendMessageA(::GetDlgItem(folderDlg, 1014), WM_SETTEXT, 0, (LPARAM)target.c_str());
  Click(folderDlg, IDOK);
  MessageBoxView question = WaitForBox(app, "Create Directory");
  ASSERT_NE(question.hwnd, nullptr);
  Click(question.hwnd, IDYES);

  HWND progress = app.WaitForWindow("Decompressing Files");
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(CentredOn(progress, main));
  WriteWholeFile(folder.File("go.flag"), "");
  MessageBoxView done = WaitForBox(app, "Successful Installation");
  ASSERT_NE(done.hwnd, nullptr);
  Click(done.hwnd, IDNO);
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}
