// The demo package as `make demo` builds it (tools/make-demo-package.sh): the real
// ARJ.EXE beside VOR.INI and six volumes made by Linux arj, installed for real.
#include "tests/e2e/InstallFlow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

TEST(Demo, InstallsTheDemoPackage) {
  if (!FileExists(g_paths.demo + "\\ARJ.EXE")) {
    GTEST_SKIP() << "no demo package in " << g_paths.demo
                 << ": it needs ARJ.EXE (tools/arj/build-arj.sh; build/arj-build.log says why it "
                    "failed)";
  }
  SourceFolder folder;
  folder.CopyFilesIn(g_paths.demo);
  const std::string target = folder.File("VOR_DEMO");

  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ControlText(dlg, 1002), "VOR Demo Package 1.0");
  ASSERT_TRUE(ChooseFolder(app, dlg, target));

  HWND progress = app.WaitForWindow("Decompressing Files");
  ASSERT_NE(progress, nullptr);
  HWND bar = ::GetDlgItem(progress, 1024);
  EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 7) << "six volumes and one more step";
  MessageBoxView done = WaitForBox(app, "Successful Installation", 60000);
  ASSERT_NE(done.hwnd, nullptr);
  EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 7) << "full after a clean end";
  Click(done.hwnd, IDNO);

  EXPECT_EQ(FilesUnder(target), (std::vector<std::string>{"CHANGES.TXT", "HELP.TXT", "LICENSE.TXT",
                                                          "MANUAL.TXT", "README.TXT", "SETUP.EXE"}));
  EXPECT_EQ(ReadWholeFile(target + "\\LICENSE.TXT"),
            "Use this demo package as you see fit. It comes with no warranty.\r\n");
  const std::string log = ReadWholeFile(folder.File("VORDECOMP.LOG"));
  EXPECT_NE(log.find("Processing archive: " + folder.Path() + "\\vorpkg.a05\r\n"), std::string::npos)
      << log;
  EXPECT_NE(log.find("Continued on next volume, OK"), std::string::npos) << "MANUAL.TXT spans volumes";
  EXPECT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004) && ControlEnabled(dlg, 1025); }));
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
