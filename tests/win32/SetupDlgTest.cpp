// The main dialog on real windows, driven in-process.
#include <gtest/gtest.h>

#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "install/InstallTexts.h"
#include "res/resource.h"
#include "tests/win32/ImportHook.h"
#include "tests/win32/TestSupport.h"
#include "ui/SetupDlg.h"

namespace {

class CTestSetupDlg : public CSetupDlg {
 public:
  using CSetupDlg::m_hIcon;
};

struct MenuItem {
  UINT id;
  UINT type;
  std::string text;
};

MenuItem LastMenuItem(HMENU menu, int fromEnd) {
  int index = ::GetMenuItemCount(menu) - 1 - fromEnd;
  char text[128] = {};
  MENUITEMINFOA mii = {};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
  mii.dwTypeData = text;
  mii.cch = sizeof text;
  ::GetMenuItemInfoA(menu, index, TRUE, &mii);
  return MenuItem{mii.wID, mii.fType, text};
}

void DrainQuit() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  AfxGetApp()->ForgetQuitRequest();
}

// Makes a dialog the application's main window for the scope, as the start-up step
// does; its destruction then posts a quit request, which is taken away again here.
class MainWindowScope {
 public:
  explicit MainWindowScope(CWnd* pWnd) { AfxGetApp()->m_pMainWnd = pWnd; }
  ~MainWindowScope() {
    AfxGetApp()->m_pMainWnd = nullptr;
    DrainQuit();
  }
};

TEST(SetupDlg, OpensWithTitleIconsMenuAndButtonStates) {
  TempFolder folder;
  folder.Write("VOR.INI", "[INSTALL]\r\nApp_Name=Demo Package 1.0\r\n");
  folder.Write("VORDECOMP.LOG", "an earlier run\r\n");
  ScopedCurrentDirectory cd(folder.Path());
  MessageBoxRecorder boxes;

  CTestSetupDlg dlg;
  INT_PTR result = RunScripted(dlg, {[&] {
    HWND h = dlg.m_hWnd;
    EXPECT_EQ(WindowText(h), "VOR Custom Installer");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_APP_TITLE), "Demo Package 1.0");
    for (int id : {IDC_INSTALL, IDC_VIEW_NFO, IDC_VIEW_FILEID, IDCANCEL}) {
      EXPECT_TRUE(::IsWindowEnabled(dlg.GetDlgItem(id))) << id;
    }
    EXPECT_FALSE(::IsWindowEnabled(dlg.GetDlgItem(IDC_REMOVE_DIR)));
    EXPECT_FALSE(::IsWindowEnabled(dlg.GetDlgItem(IDC_VIEW_LOG)));
    EXPECT_EQ(::GetFocus(), dlg.GetDlgItem(IDC_INSTALL));
    EXPECT_EQ(::SendMessageA(h, DM_GETDEFID, 0, 0), MAKELRESULT(IDC_INSTALL, DC_HASDEFID));

    HMENU sys = ::GetSystemMenu(h, FALSE);
    MenuItem about = LastMenuItem(sys, 0);
    EXPECT_EQ(about.id, (UINT)IDM_ABOUTBOX);
    EXPECT_EQ(about.text, "&About ZEZADERI...");
    EXPECT_TRUE(LastMenuItem(sys, 1).type & MFT_SEPARATOR);

    EXPECT_EQ((HICON)::SendMessageA(h, WM_GETICON, ICON_BIG, 0), dlg.m_hIcon);
    EXPECT_EQ((HICON)::SendMessageA(h, WM_GETICON, ICON_SMALL, 0), dlg.m_hIcon);
    EXPECT_EQ((HICON)::SendMessageA(h, WM_QUERYDRAGICON, 0, 0), dlg.m_hIcon);
    EXPECT_NE(::SendMessageA(dlg.GetDlgItem(IDC_LOGO), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
    return true;
  }});
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(dlg.Settings.SourceDir, folder.Path());
  EXPECT_FALSE(AfxGetApp()->HasQuitRequest());
}

TEST(SetupDlg, AboutBoxFromTheSystemMenu) {
  TempFolder folder;
  folder.Write("VOR.INI", "[INSTALL]\r\nApp_Name=x\r\n");
  ScopedCurrentDirectory cd(folder.Path());
  CSetupDlg dlg;
  MainWindowScope mainWindow(&dlg);
  HWND about = nullptr;
  RunScripted(dlg, {
      [&] {
        ::PostMessageA(dlg.m_hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        return true;
      },
      [&] {
        about = FindThreadWindow("About ZEZADERI");
        if (about == nullptr) return false;
        EXPECT_FALSE(::IsWindowEnabled(dlg.m_hWnd)) << "the main dialog owns the About box";
        HWND text = ::FindWindowExA(about, nullptr, "Static", "VOR Setup Version 1.2 \xDF");
        EXPECT_NE(text, nullptr);
        ::PostMessageA(about, WM_COMMAND, IDOK, 0);
        return true;
      },
      [&] {
        if (::IsWindow(about)) return false;
        EXPECT_TRUE(::IsWindowEnabled(dlg.m_hWnd));
        // The system menu's own entries keep working.
        ::PostMessageA(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
      },
  });
}

TEST(SetupDlg, MissingConfigurationShowsFatalErrorAndEndsWithStatusOne) {
  TempFolder folder;
  ScopedCurrentDirectory cd(folder.Path());
  MessageBoxRecorder boxes;
  std::string titleWhenShown;
  CSetupDlg dlg;
  boxes.OnShow = [&](const RecordedMessageBox& box) {
    EXPECT_EQ(box.owner, dlg.m_hWnd);
    EXPECT_FALSE(::IsWindowVisible(dlg.m_hWnd)) << "shown before the main dialog";
  };
  DWORD start = ::GetTickCount();
  INT_PTR result = dlg.DoModal();
  EXPECT_LT(::GetTickCount() - start, 5000u) << "the dialog must close by itself";
  EXPECT_EQ(result, -1);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Cannot Find Configuration File\n" + folder.Path() + "\\VOR.INI");
  EXPECT_EQ(boxes.boxes[0].caption, "Fatal Error");
  EXPECT_EQ(boxes.boxes[0].style, (UINT)MB_ICONSTOP);
  EXPECT_EQ(dlg.Settings.AppName, "No Application Specified");
  EXPECT_EQ(dlg.Settings.TotalDisks, 10u);
  EXPECT_EQ(AfxGetApp()->ExitInstance(), 1);
  DrainQuit();
}

TEST(SetupDlg, DriveRootAsStartDirectory) {
  char windowsDir[MAX_PATH];
  ::GetWindowsDirectoryA(windowsDir, MAX_PATH);
  std::string root = std::string(windowsDir, 3);  // "C:\"
  ASSERT_EQ(::GetFileAttributesA((root + "VOR.INI").c_str()), INVALID_FILE_ATTRIBUTES);
  ScopedCurrentDirectory cd(root);
  MessageBoxRecorder boxes;
  CSetupDlg dlg;
  dlg.DoModal();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Cannot Find Configuration File\n" + root + "VOR.INI");
  EXPECT_EQ(dlg.Settings.SourceDir, root.substr(0, 2));
  DrainQuit();
}

TEST(SetupDlg, FolderNamedLikeTheConfigurationCountsAsPresent) {
  TempFolder folder;
  ASSERT_TRUE(::CreateDirectoryA(folder.File("VOR.INI").c_str(), nullptr));
  ScopedCurrentDirectory cd(folder.Path());
  MessageBoxRecorder boxes;
  CSetupDlg dlg;
  RunScripted(dlg, {[&] {
    EXPECT_EQ(dlg.GetDlgItemText(IDC_APP_TITLE), "No Application Specified");
    ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    return true;
  }});
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(dlg.Settings.InstallDir, "C:\\VOR_TEMP");
  EXPECT_FALSE(AfxGetApp()->HasQuitRequest());
}

// SetCurrentDirectoryA that refuses one folder.
ImportHook* g_setCurrentDirectory = nullptr;
std::string g_refusedFolder;
BOOL WINAPI RefuseOneFolder(LPCSTR path) {
  if (::lstrcmpiA(path, g_refusedFolder.c_str()) == 0) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return ((decltype(&RefuseOneFolder))g_setCurrentDirectory->Original())(path);
}

TEST(SetupDlg, SourceFolderThatCannotBeEnteredAgainStartsNothing) {
  TempFolder folder;
  const std::string target = folder.File("target");
  ASSERT_TRUE(::CreateDirectoryA(target.c_str(), nullptr));
  folder.Write("VOR.INI", "[INSTALL]\r\nDefault_Directory=C:\\OFFERED\r\n"
                          "[DECOMPRESSION]\r\nUse_Program=nosuchprogram\r\n");
  ScopedCurrentDirectory cd(folder.Path());
  MessageBoxRecorder boxes;
  CSetupDlg dlg;
  ImportHook hook("kernel32.dll", "SetCurrentDirectoryA", (void*)&RefuseOneFolder);
  ASSERT_TRUE(hook.Active());
  g_setCurrentDirectory = &hook;
  g_refusedFolder = folder.Path();
  HWND mainDialog = nullptr;
  RunScripted(dlg, {
      [&] {
        mainDialog = dlg.m_hWnd;
        ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDC_INSTALL, 0);
        return true;
      },
      [&] {
        HWND folderDlg = FindThreadWindow("Select Install Folder");
        if (folderDlg == nullptr) return false;
        ::SetDlgItemTextA(folderDlg, IDC_FOLDER_EDIT, target.c_str());
        ::PostMessageA(folderDlg, WM_COMMAND, IDOK, 0);
        return true;
      },
      [&] {
        if (boxes.boxes.empty()) return false;
        EXPECT_FALSE(::IsWindowEnabled(dlg.GetDlgItem(IDC_VIEW_LOG)));
        ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return true;
      },
  });
  g_refusedFolder.clear();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].owner, mainDialog);
  EXPECT_EQ(boxes.boxes[0].text, kSourceFolderFailureText + folder.Path() + "\n" +
                                     PlatformErrorText(ERROR_ACCESS_DENIED));
  EXPECT_EQ(boxes.boxes[0].caption, "Installation Not Started");
  EXPECT_EQ(boxes.boxes[0].style, (UINT)MB_ICONSTOP);
  EXPECT_FALSE(FileExists(target + "\\VORDECOMP.LOG")) << "no log in the chosen folder";
  EXPECT_FALSE(FileExists(folder.File("VORDECOMP.LOG")));
  EXPECT_EQ(dlg.Settings.InstallDir, "C:\\OFFERED") << "the settings stay as they were";
}

TEST(SetupDlg, TitleLineShowsNinetyNineCharacters) {
  TempFolder folder;
  folder.Write("VOR.INI", "[INSTALL]\r\nApp_Name=" + std::string(150, 'T') + "\r\n");
  ScopedCurrentDirectory cd(folder.Path());
  CSetupDlg dlg;
  RunScripted(dlg, {[&] {
    EXPECT_EQ(dlg.GetDlgItemText(IDC_APP_TITLE), std::string(99, 'T'));
    EXPECT_TRUE(::GetWindowLongA(dlg.GetDlgItem(IDC_APP_TITLE), GWL_STYLE) & SS_CENTER);
    ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    return true;
  }});
}

}  // namespace
