// The installer and the checker as a user of a double-byte Windows meets them (run with
// VOR_WINE_CODEPAGE=932, 936, 949 or 950): folder names and texts whose characters end
// in a trail byte 0x5C, the backslash.
#include <gtest/gtest.h>

#include "tests/common/DoubleByteTexts.h"
#include "tests/e2e/InstallFlow.h"

namespace {

class DoubleByte : public ::testing::Test {
 protected:
  void SetUp() override {
    texts = DoubleByteTextsFor(::GetACP());
    ASSERT_NE(texts, nullptr) << "the ANSI code page is " << ::GetACP()
                              << ", not a double-byte one (VOR_WINE_CODEPAGE)";
  }
  std::string Repeated(const char* text, int times) const {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
  }
  const DoubleByteTexts* texts = nullptr;
};

// Runs a console program of the folder under test; its output lands in `output`.
DWORD RunConsole(const std::string& program, const std::string& arguments, std::string* output) {
  TempFolder scratch;
  const std::string outFile = scratch.File("out.txt");
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE out = ::CreateFileA(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = out;
  PROCESS_INFORMATION pi = {};
  std::string cmd = "\"" + g_paths.app + "\\" + program + "\" " + arguments;
  DWORD code = STILL_ACTIVE;
  if (::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    ::WaitForSingleObject(pi.hProcess, 60000);
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
  }
  ::CloseHandle(out);
  *output = ReadWholeFile(outFile);
  return code;
}

// A package in "T:\My <name>2\<char>" (a blank: its path is quoted) installed into
// "T:\<name>\..", which is the drive: the title keeps whole characters, the decompressor
// gets the source folder whole, the setup program "v1.0<char>" is found by its name, and
// the removal refuses the drive.
TEST_F(DoubleByte, InstallationReadsPathsAndTextsByCharacter) {
  ASSERT_TRUE(DirectoryExists("T:\\")) << "the test drive T: is missing";
  const std::string parent = "T:\\My " + std::string(texts->folder) + "2";
  const std::string source = parent + "\\" + texts->fiveC;
  RemoveTree(parent);
  ASSERT_TRUE(::CreateDirectoryA(parent.c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA(source.c_str(), nullptr));
  const std::string title = Repeated(texts->fiveC, 50);
  const std::string setupName = std::string("v1.0") + texts->fiveC;
  PreparePackageIn(source, "App_Name=" + title + "\r\nApp_Setup=" + setupName + " /s\r\n",
                   "First_File=\r\n", "file INSTALLED.TXT 10\r\nexit 0\r\n");
  const std::string setupPath = "T:\\" + setupName;
  ASSERT_TRUE(::CopyFileA((g_paths.bin + "\\standin.exe").c_str(), setupPath.c_str(), FALSE));
  // Both stand-ins report here: the decompressor first, the setup program after it.
  const std::string report = "T:\\double-byte.report";
  ::DeleteFileA(report.c_str());
  ::SetEnvironmentVariableA("STANDIN_REPORT", report.c_str());
  const std::string target = "T:\\" + std::string(texts->folder) + "\\..";

  Installer app(source);
  ::SetEnvironmentVariableA("STANDIN_REPORT", nullptr);
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ControlText(dlg, 1002), title.substr(0, 98)) << "49 whole characters";

  ASSERT_TRUE(ChooseFolder(app, dlg, target));
  MessageBoxView done = WaitForBox(app, "Successful Installation");
  ASSERT_NE(done.hwnd, nullptr);
  std::map<std::string, std::string> unpacker = ReadReport(report);
  EXPECT_EQ(unpacker["arg4"], source + "\\") << unpacker["cmdline"];
  EXPECT_EQ(unpacker["argc"], "5");
  ASSERT_TRUE(::DeleteFileA(report.c_str()));
  Click(done.hwnd, IDYES);
  HWND launchError = nullptr;
  WaitUntil([&] {
    launchError = app.WaitForWindow("Launch Error", 0);
    return FileExists(report) || launchError != nullptr;
  });
  if (launchError != nullptr) {
    ADD_FAILURE() << "the setup program did not start: " << ReadMessageBox(launchError).text;
    Click(launchError, IDOK);
  }
  std::map<std::string, std::string> setup = ReadReport(report);
  EXPECT_EQ(setup["cmdline"], target + "\\" + setupName + " /s");
  EXPECT_EQ(setup["argc"], "2");

  // "T:\<name>\.." is the drive: refused by the installer itself, nothing touched.
  ASSERT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004); }));
  Click(dlg, 1004);
  MessageBoxView refused = WaitForBox(app, "Remove Install Directory", 5000);
  ASSERT_NE(refused.hwnd, nullptr) << "the shell was asked to delete " << target;
  EXPECT_EQ(refused.text, "Cannot remove \"" + target +
                              "\": it is a whole drive, not an install folder.");
  Click(refused.hwnd, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dlg) != 0; }));
  EXPECT_TRUE(FileExists("T:\\INSTALLED.TXT"));
  EXPECT_TRUE(FileExists(source + "\\VOR.INI"));
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
  for (const std::string& f : {std::string("T:\\INSTALLED.TXT"), setupPath, report}) {
    ::DeleteFileA(f.c_str());
  }
  RemoveTree(parent);
}

// VORCHECK.EXE on a package in "T:\<char>" whose archives are "<name>.arj": the folder
// is joined to its files, First_File names a file, and Use_Program names a program.
TEST_F(DoubleByte, CheckerReadsThePackageInTheSystemCodePage) {
  const std::string folder = std::string("T:\\") + texts->fiveC;
  RemoveTree(folder);
  ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
  const std::string archive = std::string(texts->folder) + ".arj";
  const std::string clean = g_paths.archives + "\\clean\\";
  int volumes = 0;
  for (const char* ext : {"arj", "a01", "a02", "a03", "a04", "a05"}) {
    if (!FileExists(clean + "vorpkg." + ext)) break;
    const std::string name = archive.substr(0, archive.size() - 3) + ext;
    ASSERT_TRUE(::CopyFileA((clean + "vorpkg." + ext).c_str(), (folder + "\\" + name).c_str(),
                            FALSE));
    ++volumes;
  }
  ASSERT_GE(volumes, 4) << "no archives in " << clean;
  WriteWholeFile(folder + "\\VOR.nfo", "nfo\r\n");
  WriteWholeFile(folder + "\\file_id.diz", "diz\r\n");
  WriteWholeFile(folder + "\\VOR.INI",
                 "[INSTALL]\r\nApp_Name=T\r\nSpace_Required=1\r\n[DECOMPRESSION]\r\nUse_Program=" +
                     std::string(texts->folder) + "\r\nFirst_File=" + archive +
                     "\r\nTotal_Disks=" + std::to_string(volumes) + "\r\n");
  std::string output;
  EXPECT_EQ(RunConsole("VORCHECK.EXE", folder, &output), 1u) << "a warning: no decompressor\n"
                                                              << output;
  EXPECT_NE(output.find("Archive " + archive + ": " + std::to_string(volumes) + " volumes"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("warning: " + std::string(texts->folder) +
                        ".exe is not in the folder: ship it in the package"),
            std::string::npos)
      << output;
  RemoveTree(folder);
}

}  // namespace
