// The bundled demo package, installed for real as `make demo` sets it up: the stand-in
// copied in as ARJ.exe plays back a real six-volume extraction.
#include "tests/e2e/InstallFlow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(Demo, InstallsTheDemoPackage) {
  SourceFolder folder;
  for (const char* name : {"VOR.INI", "VOR.nfo", "file_id.diz", "ARJ.script"}) {
    folder.CopyIn(g_paths.src + "\\demo\\" + name, name);
  }
  folder.CopyIn(g_paths.bin + "\\standin.exe", "ARJ.exe");
  folder.CopyIn(g_paths.src + "\\tests\\fixtures\\arj-extract.log", "arj-output.log");
  // A faster pace than the demo's, the same lines.
  std::string script = ReadWholeFile(folder.File("ARJ.script"));
  size_t pace = script.find("pace 120");
  ASSERT_NE(pace, std::string::npos);
  script.replace(pace, 8, "pace 60");
  folder.Write("ARJ.script", script);
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
  // Every volume steps the bar; the archive and file names pass through the texts.
  int highest = 0;
  bool sawVolume = false, sawFile = false;
  MessageBoxView done;
  WaitUntil([&] {
    if (::IsWindow(bar)) {
      highest = std::max(highest, (int)::SendMessageA(bar, PBM_GETPOS, 0, 0));
      sawVolume |= ControlText(progress, 1022).find("vorpkg.a0") != std::string::npos;
      sawFile |= ControlText(progress, 1021) == "DATA1.DAT";
    }
    done.hwnd = app.WaitForWindow("Successful Installation", 0);
    return done.hwnd != nullptr;
  }, 30000);
  ASSERT_NE(done.hwnd, nullptr);
  EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 7) << "full after a clean end";
  EXPECT_GE(highest, 6);
  EXPECT_TRUE(sawVolume);
  EXPECT_TRUE(sawFile);
  Click(done.hwnd, IDNO);

  for (const char* name : {"README.TXT", "SETUP.EXE", "DATA1.DAT", "DATA2.DAT", "HELP.HLP",
                           "LICENSE.TXT"}) {
    EXPECT_TRUE(FileExists(target + "\\" + name)) << name;
  }
  EXPECT_EQ(ReadWholeFile(folder.File("VORDECOMP.LOG")),
            ReadWholeFile(g_paths.src + "\\tests\\fixtures\\arj-extract.log"));
  EXPECT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004) && ControlEnabled(dlg, 1025); }));
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
