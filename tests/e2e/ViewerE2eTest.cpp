// The viewer windows of the real installer, opened with the main dialog's buttons.
#include <gtest/gtest.h>

#include "tests/e2e/Driver.h"

namespace {

const char kIni[] = "[INSTALL]\r\nApp_Name=Demo Package 1.0\r\n";

int CountWindows(const Installer& app, const std::string& caption) {
  int n = 0;
  for (HWND h : app.Windows()) n += Text(h) == caption;
  return n;
}

TEST(ViewerE2e, MissingNfoShowsFileNotFoundThenAnEmptyViewerAndSoDoesOneTooLargeToHold) {
  SourceFolder folder;
  folder.Write("VOR.INI", kIni);
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  Click(dlg, 1000);  // View Da NFO
  HWND box = app.WaitForWindow("File Not Found");
  ASSERT_NE(box, nullptr);
  MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.text, "VOR.nfo");
  EXPECT_FALSE(view.hasIcon);
  EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
  EXPECT_EQ(CountWindows(app, "Viewing - VOR.nfo"), 0) << "the viewer comes after the box";
  Click(box, IDOK);
  HWND viewer = app.WaitForWindow("Viewing - VOR.nfo");
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(::GetWindow(viewer, GW_CHILD), nullptr) << "no view in it";
  // (Its icon is checked in-process: Wine answers WM_GETICON from other processes with 0.)
  ::PostMessageA(viewer, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(viewer); }));
  EXPECT_TRUE(app.Running());

  // Eight terabytes (a sparse file): more than the 32-bit program's string can hold, and
  // more memory than the 64-bit one gets. The failure is thrown and caught inside the
  // program; the viewer comes up empty, without a message, and the program goes on.
  HANDLE big = ::CreateFileA(folder.File("VOR.nfo").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(big, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  size.QuadPart = 1LL << 43;
  EXPECT_TRUE(::SetFilePointerEx(big, size, nullptr, FILE_BEGIN));
  EXPECT_TRUE(::SetEndOfFile(big));
  ::CloseHandle(big);
  Click(dlg, 1000);
  viewer = app.WaitForWindow("Viewing - VOR.nfo");
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(::GetWindow(viewer, GW_CHILD), nullptr) << "no view in it";
  EXPECT_EQ(CountWindows(app, "File Not Found") + CountWindows(app, "File Open Failure"), 0);
  ::PostMessageA(viewer, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(viewer); }));
  EXPECT_TRUE(app.Running());
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(ViewerE2e, ButtonsOpenIndependentViewersThatEndWithTheProgram) {
  SourceFolder folder;
  folder.Write("VOR.INI", kIni);
  folder.CopyIn(g_paths.src + "\\demo\\VOR.nfo", "VOR.nfo");
  folder.CopyIn(g_paths.src + "\\demo\\file_id.diz", "file_id.diz");
  folder.Write("VORDECOMP.LOG", "Extracting from vorpkg.arj\r\n");
  Installer app(folder.Path());
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);

  Click(dlg, 1001);  // View File_Id
  HWND fileId = app.WaitForWindow("Viewing - file_id.diz");
  ASSERT_NE(fileId, nullptr);
  RECT r;
  ::GetWindowRect(fileId, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 160);
  HWND pane = ::GetWindow(fileId, GW_CHILD);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(::GetDlgCtrlID(pane), 0xE900);
  RECT frameClient, paneRect;
  ::GetClientRect(fileId, &frameClient);
  ::GetWindowRect(pane, &paneRect);
  EXPECT_EQ(paneRect.right - paneRect.left, frameClient.right);
  EXPECT_EQ(paneRect.bottom - paneRect.top, frameClient.bottom);

  Click(dlg, 1000);
  Click(dlg, 1000);
  EXPECT_TRUE(WaitUntil([&] { return CountWindows(app, "Viewing - VOR.nfo") == 2; }))
      << "every press opens one more viewer";
  Click(dlg, 1025);  // View Install Log (enabled after an install; the command works anyway)
  EXPECT_NE(app.WaitForWindow("Viewing - VORDECOMP.LOG"), nullptr);
  // The log was read and closed: it can be written again at once.
  folder.Write("VORDECOMP.LOG", "a later run\r\n");

  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u) << "closing the main dialog ends the program with viewers open";
}

}  // namespace
