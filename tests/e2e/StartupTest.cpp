// Start-up and end of the real installer, seen from outside.
#include <gtest/gtest.h>

#include "tests/e2e/Driver.h"

namespace {

const char kIni[] =
    "[INSTALL]\r\nApp_Name=Demo Package 1.0\r\nDefault_Directory=C:\\VOR_TEMP\r\n"
    "[DECOMPRESSION]\r\nTotal_Disks=4\r\n";

TEST(Startup, MissingConfigurationShowsFatalErrorAndEndsWithStatusOne) {
  SourceFolder folder;
  Installer app(folder.Path());
  HWND box = app.WaitForWindow("Fatal Error");
  ASSERT_NE(box, nullptr);
  MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.text, "Cannot Find Configuration File\n" + folder.Path() + "\\VOR.INI");
  EXPECT_TRUE(view.hasIcon);
  EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
  Click(box, IDOK);
  // The main dialog closes by itself, without waiting for the user.
  EXPECT_EQ(app.WaitForExit(10000), 1u);
}

TEST(Startup, MainDialogShowsTheTitleLineAndStartStates) {
  SourceFolder folder;
  folder.Write("VOR.INI", kIni);
  folder.Write("VORDECOMP.LOG", "a log from an earlier run\r\n");
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ControlText(dlg, 1002), "Demo Package 1.0");
  EXPECT_NE(::FindWindowExA(dlg, nullptr, "Static", "-= Presents =-"), nullptr);
  EXPECT_NE(::SendMessageA(::GetDlgItem(dlg, 1030), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(ControlText(dlg, 1005), "Install");
  EXPECT_EQ(ControlText(dlg, 1000), "View Da NFO");
  EXPECT_EQ(ControlText(dlg, 1001), "View File_Id");
  EXPECT_EQ(ControlText(dlg, 1004), "Remove Install Directory");
  EXPECT_EQ(ControlText(dlg, 1025), "View Install Log");
  EXPECT_EQ(ControlText(dlg, IDCANCEL), "Exit");
  for (int id : {1005, 1000, 1001, IDCANCEL}) EXPECT_TRUE(ControlEnabled(dlg, id)) << id;
  EXPECT_FALSE(ControlEnabled(dlg, 1004));
  EXPECT_FALSE(ControlEnabled(dlg, 1025));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dlg) == ::GetDlgItem(dlg, 1005); }, 3000))
      << "the keyboard focus starts on Install";
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(Startup, AboutBoxFromTheSystemMenu) {
  SourceFolder folder;
  folder.Write("VOR.INI", kIni);
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  ::PostMessageA(dlg, WM_SYSCOMMAND, 16, 0);
  HWND about = app.WaitForWindow("About ZEZADERI");
  ASSERT_NE(about, nullptr);
  EXPECT_NE(::FindWindowExA(about, nullptr, "Static", "VOR Setup Version 1.2 \xDF"), nullptr);
  EXPECT_FALSE(::IsWindowEnabled(dlg));
  Click(about, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dlg) != 0; }));
  EXPECT_TRUE(app.Running());
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(Startup, ExitEscapeAndCloseAllEndTheProgram) {
  SourceFolder folder;
  folder.Write("VOR.INI", kIni);
  for (int way = 0; way < 3; ++way) {
    Installer app(folder.Path());
    HWND dlg = app.MainDialog();
    ASSERT_NE(dlg, nullptr);
    WaitUntil([&] { return FocusOf(dlg) != nullptr; }, 3000);
    if (way == 0) Click(dlg, IDCANCEL);
    if (way == 1) PressKey(dlg, VK_ESCAPE);
    if (way == 2) ::PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(app.WaitForExit(), 0u) << "way " << way;
  }
}

// The runtime the installer is built on, seen through a program built the same way:
// static objects made before WinMain and destroyed after it, in reverse order; WinMain
// gets the command line after the program's name and the show state it was started
// with; an allocation that may fail gives null when the memory is not there; the exit
// status is WinMain's; an allocation that may not fail and cannot be had says so and
// ends the program at once with status 3, destroying nothing.
TEST(Startup, RuntimeRunsStaticObjectsAroundWinMainAndEndsWithItsStatus) {
  SourceFolder folder;
  const std::string log = folder.File("RUNTIME.LOG");
  const std::string made = "made first\nmade second\n";
  const std::string refused = "no memory for the impossible\n";
  {
    Installer probe(folder.Path(), "runtime_probe.exe", "  42 \"two words\"", SW_SHOWMINNOACTIVE);
    EXPECT_EQ(probe.WaitForExit(), 42u);
  }
  EXPECT_EQ(ReadWholeFile(log), made +
                                    "WinMain [42 \"two words\"] show 7, own module 1\n" +
                                    refused + "destroyed second\ndestroyed first\n");
  ASSERT_TRUE(::DeleteFileA(log.c_str()));
  {
    Installer probe(folder.Path(), "runtime_probe.exe", " huge");
    HWND box = probe.WaitForWindow("Out of Memory");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ReadMessageBox(box).text, "There is not enough memory to go on. The installer ends.");
    Click(box, IDOK);
    EXPECT_EQ(probe.WaitForExit(), 3u);
  }
  EXPECT_EQ(ReadWholeFile(log), made + "WinMain [huge] show 10, own module 1\n" + refused);
  ASSERT_TRUE(::DeleteFileA(log.c_str()));

  // Bytes from 0x80 on belong to names: in the unquoted program path and at the start
  // of the tail.
  const std::string dir = "T:\\\xC9x-probe";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  ASSERT_TRUE(::CopyFileA((g_paths.app + "\\runtime_probe.exe").c_str(),
                          (dir + "\\probe.exe").c_str(), FALSE));
  {
    Installer probe(folder.Path(), dir + "\\probe.exe", " \xC9t 42", SW_SHOWMINNOACTIVE);
    EXPECT_EQ(probe.WaitForExit(), 0u);
  }
  EXPECT_EQ(ReadWholeFile(log), made + "WinMain [\xC9t 42] show 7, own module 1\n" + refused +
                                    "destroyed second\ndestroyed first\n");
  ::DeleteFileA((dir + "\\probe.exe").c_str());
  ::RemoveDirectoryA(dir.c_str());
}

}  // namespace
