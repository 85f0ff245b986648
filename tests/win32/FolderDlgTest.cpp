// The install folder dialog on real windows, driven in-process: its template, the free
// space of real drives, the OK handler's tests, the edit and the shell's folder browser.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <winioctl.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/DataExchange.h"
#include "install/FolderDlg.h"
#include "res/resource.h"
#include "tests/win32/TestSupport.h"

namespace {

const char kQuestionTail[] = " does not exist.\nDo you want to create it?";

std::string Root(char letter) { return std::string{letter, ':', '\\'}; }

// A drive letter that names no drive, other than `skip`.
char UnusedDriveLetter(char skip = 0) {
  const DWORD used = ::GetLogicalDrives();
  for (char c = 'Y'; c >= 'D'; --c) {
    if (c == skip || (used & (1u << (c - 'A'))) != 0) continue;
    if (::GetDriveTypeA(Root(c).c_str()) == DRIVE_NO_ROOT_DIR) return c;
  }
  return 0;
}

// Free megabytes (1,000,000 bytes, truncated) that the platform reports for a root.
uint64_t ReportedMegabytes(const std::string& root) {
  ULARGE_INTEGER available, total, free;
  if (!::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) return 0;
  return available.QuadPart / 1000000u;
}

// Wine's mount manager: defines a drive letter for a Unix folder, or removes one.
struct WineUnixDrive {
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};
const DWORD kDefineUnixDrive =
    CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool DefineWineDrive(char letter, const char* unixPath) {
  HANDLE mgr = ::CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (mgr == INVALID_HANDLE_VALUE) return false;
  std::vector<char> buf(sizeof(WineUnixDrive) + (unixPath ? std::strlen(unixPath) + 1 : 0));
  WineUnixDrive* drive = reinterpret_cast<WineUnixDrive*>(buf.data());
  drive->size = static_cast<ULONG>(buf.size());
  drive->type = unixPath ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
  drive->letter = static_cast<WCHAR>(letter - 'A' + 'a');
  if (unixPath) {
    drive->mount_point_offset = sizeof(WineUnixDrive);
    std::strcpy(buf.data() + sizeof(WineUnixDrive), unixPath);
  }
  DWORD got = 0;
  BOOL ok = ::DeviceIoControl(mgr, kDefineUnixDrive, buf.data(), static_cast<DWORD>(buf.size()),
                              nullptr, 0, &got, nullptr);
  ::CloseHandle(mgr);
  return ok != FALSE;
}

// A folder of the test's own, reached through a drive letter of its own for the scope.
// DefineDosDeviceA serves on Windows; under Wine its links do not reach the file
// system, so the letter is then made by Wine's mount manager from the Unix path.
class MappedDrive {
 public:
  MappedDrive() {
    // Where the machine has a second file system (a tmpfs), use it: the letter then
    // reports figures of its own rather than those of the current drive.
    const std::string base = DirectoryExists("Z:\\dev\\shm") ? "Z:\\dev\\shm" : m_temp.Path();
    char name[64];
    wsprintfA(name, "\\vor-drive-%lu", ::GetCurrentProcessId());
    m_folder = base + name;
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    m_letter = UnusedDriveLetter();
    if (m_letter == 0) return;
    const std::string device{m_letter, ':'};
    if (::DefineDosDeviceA(0, device.c_str(), m_folder.c_str())) {
      if (Serves()) {
        m_how = kDosDevice;
        return;
      }
      ::DefineDosDeviceA(DDD_REMOVE_DEFINITION, device.c_str(), nullptr);
    }
    typedef char*(CDECL * UnixName)(LPCWSTR);
    UnixName unixName = reinterpret_cast<UnixName>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (unixName == nullptr) return;
    WCHAR wide[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, m_folder.c_str(), -1, wide, MAX_PATH);
    char* path = unixName(wide);
    if (path == nullptr) return;
    if (DefineWineDrive(m_letter, path) && Serves()) m_how = kWineDrive;
    ::HeapFree(::GetProcessHeap(), 0, path);
  }
  ~MappedDrive() {
    if (m_how == kDosDevice) {
      ::DefineDosDeviceA(DDD_REMOVE_DEFINITION, std::string{m_letter, ':'}.c_str(), nullptr);
    } else if (m_how == kWineDrive) {
      DefineWineDrive(m_letter, nullptr);
    }
    RemoveTree(m_folder);
  }
  bool Ok() const { return m_how != kNone; }
  char Letter() const { return m_letter; }
  const std::string& Folder() const { return m_folder; }

 private:
  bool Serves() const {
    ULARGE_INTEGER a, t, f;
    return ::GetDiskFreeSpaceExA(Root(m_letter).c_str(), &a, &t, &f) != FALSE;
  }
  enum How { kNone, kDosDevice, kWineDrive };
  TempFolder m_temp;
  std::string m_folder;
  char m_letter = 0;
  How m_how = kNone;
};

void Click(const CWnd& dlg, int id) {
  ::PostMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)dlg.GetDlgItem(id));
}

void Cancel(const CWnd& dlg) { Click(dlg, IDCANCEL); }

std::string Shown(const CWnd& dlg, int id) { return dlg.GetDlgItemText(id); }

void ExpectBox(const RecordedMessageBox& box, const CWnd& dlg, const std::string& text,
               const std::string& caption, UINT style) {
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.caption, caption);
  EXPECT_EQ(box.style, style);
  EXPECT_EQ(box.owner, dlg.m_hWnd);
}

// ---------------------------------------------------------------------------------------
// Free space of real drives

TEST(FolderFreeSpace, MeasuresTheDriveThatTheFolderNames) {
  MappedDrive drive;
  ASSERT_TRUE(drive.Ok()) << "no drive letter could be mapped to " << drive.Folder();
  const char letter = drive.Letter();
  const char lower = static_cast<char>(letter - 'A' + 'a');
  // Other programs write while this runs: take the dialog's figure between two reports
  // of the platform that agree.
  bool agreed = false;
  for (int attempt = 0; attempt < 20 && !agreed; ++attempt) {
    const uint64_t before = ReportedMegabytes(Root(letter));
    CFolderDlg dlg;
    dlg.Folder = std::string{lower, ':'} + "\\games";  // lower case: still this drive
    dlg.SpaceRequired = 0;
    std::string shown;
    RunScripted(dlg, {[&] {
      shown = Shown(dlg, IDC_SPACE_AVAILABLE);
      Cancel(dlg);
      return true;
    }});
    const uint32_t relative = CFolderDlg::MeasureFreeSpace(std::string{lower} + "games");
    uint32_t current = 0;
    {
      ScopedCurrentDirectory cd(Root(letter));
      current = CFolderDlg::MeasureFreeSpace("@");  // drive number 0: the current drive
    }
    if (ReportedMegabytes(Root(letter)) != before) continue;
    agreed = true;
    EXPECT_GT(before, 0u);
    EXPECT_EQ(dlg.SpaceAvailable, before);
    EXPECT_EQ(shown, std::to_string(before));
    EXPECT_EQ(relative, before) << "a relative folder is measured on its first letter's drive";
    EXPECT_EQ(current, before);
  }
  EXPECT_TRUE(agreed) << "the drive's free space never held still";
}

TEST(FolderFreeSpace, FoldersOnNoDriveHaveNone) {
  const char none = UnusedDriveLetter();
  ASSERT_NE(none, 0);
  EXPECT_EQ(CFolderDlg::MeasureFreeSpace(Root(none) + "VOR"), 0u);
  EXPECT_EQ(CFolderDlg::MeasureFreeSpace("\\\\server\\share\\VOR"), 0u);
  EXPECT_EQ(CFolderDlg::MeasureFreeSpace("1:\\VOR"), 0u);
  ::SetLastError(0);
  EXPECT_EQ(CFolderDlg::MeasureFreeSpace(""), 0u);
  EXPECT_EQ(::GetLastError(), 87u) << "a text that names no drive is not queried";
}

// ---------------------------------------------------------------------------------------
// The dialog

struct ExpectedControl {
  int id;
  const char* className;
  const char* text;  // null: not compared
  RECT dlus;  // x, y, width, height in dialog units
};

TEST(FolderDlg, TemplateOwnerFocusAndFirstFigures) {
  TempFolder target;
  HWND hOwner = ::CreateWindowExA(0, "Static", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                  nullptr, nullptr, nullptr, nullptr);
  CWnd owner;
  owner.Attach(hOwner);
  MessageBoxRecorder boxes;
  CFolderDlg dlg(&owner);
  EXPECT_EQ(dlg.Folder, "");
  dlg.Folder = target.Path();
  dlg.SpaceRequired = 123;
  INT_PTR result = RunScripted(dlg, {[&] {
    HWND h = dlg.m_hWnd;
    EXPECT_EQ(WindowText(h), "Select Install Folder");
    EXPECT_EQ(::GetWindow(h, GW_OWNER), hOwner);
    EXPECT_FALSE(::IsWindowEnabled(hOwner));
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(h, GWL_STYLE));
    EXPECT_EQ(style & (DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU),
              static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    RECT client = {0, 0, 217, 79};
    ::MapDialogRect(h, &client);
    RECT actual;
    ::GetClientRect(h, &actual);
    EXPECT_EQ(actual.right, client.right);
    EXPECT_EQ(actual.bottom, client.bottom);

    const std::string available = std::to_string(dlg.SpaceAvailable);
    const ExpectedControl controls[] = {
        {IDOK, "Button", "Install", {7, 58, 50, 14}},
        {IDCANCEL, "Button", "Cancel", {160, 58, 50, 14}},
        {IDC_FOLDER_EDIT, "Edit", target.Path().c_str(), {15, 7, 144, 14}},
        {IDC_BROWSE, "Button", "Browse...", {167, 7, 43, 15}},
        {IDC_STATIC & 0xFFFF, "Static", "Space Available on Target Drive: (Megs]", {7, 30, 129, 8}},
        {IDC_STATIC & 0xFFFF, "Static", "Space Necessary: [Megs]", {54, 41, 82, 8}},
        {IDC_SPACE_AVAILABLE, "Static", available.c_str(), {142, 30, 68, 8}},
        {IDC_SPACE_REQUIRED, "Static", "123", {142, 42, 68, 8}},
    };
    HWND child = ::GetWindow(h, GW_CHILD);
    for (const ExpectedControl& c : controls) {
      if (child == nullptr) {
        ADD_FAILURE() << "missing control " << c.id;
        break;
      }
      char cls[32];
      ::GetClassNameA(child, cls, sizeof cls);
      EXPECT_STRCASEEQ(cls, c.className) << c.id;
      EXPECT_EQ(::GetDlgCtrlID(child) & 0xFFFF, c.id);
      EXPECT_EQ(WindowText(child), c.text) << c.id;
      RECT want = c.dlus;  // the dialog manager converts position and size apart
      ::MapDialogRect(h, &want);
      RECT got;
      ::GetWindowRect(child, &got);
      ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&got), 2);
      EXPECT_EQ(got.left, want.left) << c.id;
      EXPECT_EQ(got.top, want.top) << c.id;
      EXPECT_EQ(got.right - got.left, want.right) << c.id;
      EXPECT_EQ(got.bottom - got.top, want.bottom) << c.id;
      child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "no further controls";

    HWND edit = dlg.GetDlgItem(IDC_FOLDER_EDIT);
    const LONG_PTR editStyle = ::GetWindowLongPtrA(edit, GWL_STYLE);
    EXPECT_TRUE(editStyle & ES_AUTOHSCROLL);
    EXPECT_TRUE((editStyle & WS_BORDER) || (::GetWindowLongPtrA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    // Tab stops: Install, Cancel, the edit, Browse..., and round again.
    const int order[] = {IDOK, IDCANCEL, IDC_FOLDER_EDIT, IDC_BROWSE, IDOK};
    for (int i = 0; i + 1 < 5; ++i) {
      EXPECT_EQ(::GetNextDlgTabItem(h, dlg.GetDlgItem(order[i]), FALSE), dlg.GetDlgItem(order[i + 1]))
          << order[i];
    }
    EXPECT_EQ(::GetFocus(), dlg.GetDlgItem(IDOK));
    EXPECT_EQ(::SendMessageA(h, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    Cancel(dlg);
    return true;
  }});
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(::IsWindowEnabled(hOwner));
  EXPECT_GT(dlg.SpaceAvailable, 0u) << "measured at initialisation";
  EXPECT_TRUE(boxes.boxes.empty());
  owner.Detach();
  ::DestroyWindow(hOwner);
}

TEST(FolderDlg, ExistingFolderClosesAtOnceAndBecomesTheCurrentDirectory) {
  TempFolder target;
  TempFolder elsewhere;
  ScopedCurrentDirectory cd(elsewhere.Path());
  MessageBoxRecorder boxes;
  CFolderDlg dlg;
  dlg.Folder = elsewhere.Path();
  dlg.SpaceRequired = 1;
  uint32_t shownSpace = 0;
  INT_PTR result = RunScripted(dlg, {[&] {
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_FOLDER_EDIT, target.Path().c_str());
    shownSpace = dlg.SpaceAvailable;
    Click(dlg, IDOK);
    return true;
  }});
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(dlg.Folder, target.Path());
  EXPECT_EQ(CurrentDirectory(), target.Path());
  EXPECT_EQ(dlg.SpaceRequired, 1u);
  EXPECT_EQ(dlg.SpaceAvailable, shownSpace);
}

TEST(FolderDlg, EnterInTheEditActsAsInstall) {
  TempFolder target;
  ScopedCurrentDirectory cd(target.Path());
  CFolderDlg dlg;
  dlg.Folder = target.Path();
  dlg.SpaceRequired = 0;
  INT_PTR result = RunScripted(dlg, {[&] {
    HWND edit = dlg.GetDlgItem(IDC_FOLDER_EDIT);
    ::SetFocus(edit);
    ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    return true;
  }});
  EXPECT_EQ(result, IDOK);
}

TEST(FolderDlg, MissingFolderIsCreatedOnlyOnYes) {
  TempFolder parent;
  ScopedCurrentDirectory cd(parent.Path());
  const std::string target = parent.File("New Folder");
  MessageBoxRecorder boxes;
  boxes.Answer(IDNO);
  boxes.Answer(IDYES);
  CFolderDlg dlg;
  dlg.Folder = target;
  dlg.SpaceRequired = 0;
  INT_PTR result = RunScripted(dlg, {
      [&] {
        Click(dlg, IDOK);
        return true;
      },
      [&] {
        if (boxes.boxes.size() < 1) return false;
        ExpectBox(boxes.boxes[0], dlg, "Directory " + target + kQuestionTail, "Create Directory",
                  MB_YESNO | MB_ICONQUESTION);
        EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd)) << "No keeps the dialog open";
        EXPECT_FALSE(DirectoryExists(target));
        EXPECT_EQ(Shown(dlg, IDC_FOLDER_EDIT), target);
        Click(dlg, IDOK);
        return true;
      },
  });
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text, boxes.boxes[0].text);
  EXPECT_TRUE(DirectoryExists(target));
  EXPECT_EQ(CurrentDirectory(), parent.Path()) << "a created folder does not become current";
  EXPECT_EQ(dlg.Folder, target);
}

TEST(FolderDlg, FolderBelowAMissingOneCannotBeCreated) {
  TempFolder parent;
  const std::string target = parent.File("NEW1\\NEW2");
  MessageBoxRecorder boxes;
  boxes.Answer(IDYES);
  CFolderDlg dlg;
  dlg.Folder = target;
  dlg.SpaceRequired = 0;
  INT_PTR result = RunScripted(dlg, {
      [&] {
        Click(dlg, IDOK);
        return true;
      },
      [&] {
        if (boxes.boxes.size() < 2) return false;
        ExpectBox(boxes.boxes[0], dlg, "Directory " + target + kQuestionTail, "Create Directory",
                  MB_YESNO | MB_ICONQUESTION);
        ExpectBox(boxes.boxes[1], dlg, "Cannot Create " + target, "Create Directory Failed",
                  MB_ICONSTOP);
        EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
        EXPECT_EQ(Shown(dlg, IDC_FOLDER_EDIT), target);
        Cancel(dlg);
        return true;
      },
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_FALSE(DirectoryExists(parent.File("NEW1")));
  EXPECT_EQ(boxes.boxes.size(), 2u);
}

TEST(FolderDlg, SpaceTestRefusesOneMegabyteTooManyAndPassesAnEqualNumber) {
  TempFolder target;
  TempFolder elsewhere;
  ScopedCurrentDirectory cd(elsewhere.Path());
  MessageBoxRecorder boxes;
  CFolderDlg dlg;
  dlg.Folder = target.Path();
  dlg.SpaceRequired = 0;
  uint32_t available = 0;
  INT_PTR result = RunScripted(dlg, {
      [&] {
        available = dlg.SpaceAvailable;
        EXPECT_GT(available, 0u);
        dlg.SpaceRequired = available + 1;
        ::SetDlgItemInt(dlg.m_hWnd, IDC_SPACE_REQUIRED, available + 1, FALSE);
        Click(dlg, IDOK);
        return true;
      },
      [&] {
        if (boxes.boxes.empty()) return false;
        ExpectBox(boxes.boxes[0], dlg, "Target drive has insufficient free space",
                  "Not Enough Space", MB_OK);
        EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
        EXPECT_EQ(CurrentDirectory(), elsewhere.Path()) << "refused before the existence test";
        EXPECT_EQ(Shown(dlg, IDC_FOLDER_EDIT), target.Path());
        dlg.SpaceRequired = available;
        ::SetDlgItemInt(dlg.m_hWnd, IDC_SPACE_REQUIRED, available, FALSE);
        Click(dlg, IDOK);
        return true;
      },
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(dlg.SpaceRequired, available);
  EXPECT_EQ(dlg.SpaceAvailable, available);
  EXPECT_EQ(CurrentDirectory(), target.Path());
}

TEST(FolderDlg, NothingRequiredPassesEvenOnADriveThatDoesNotExist) {
  const char none = UnusedDriveLetter();
  ASSERT_NE(none, 0);
  const std::string target = Root(none) + "VOR";
  MessageBoxRecorder boxes;
  boxes.Answer(IDNO);
  CFolderDlg dlg;
  dlg.Folder = target;
  dlg.SpaceRequired = 0;
  INT_PTR result = RunScripted(dlg, {
      [&] {
        EXPECT_EQ(Shown(dlg, IDC_SPACE_AVAILABLE), "0");
        Click(dlg, IDOK);
        return true;
      },
      [&] {
        if (boxes.boxes.empty()) return false;
        // Past the space test: the question comes.
        EXPECT_EQ(boxes.boxes[0].caption, "Create Directory");
        dlg.SpaceRequired = 1;
        Click(dlg, IDOK);
        return true;
      },
      [&] {
        if (boxes.boxes.size() < 2) return false;
        EXPECT_EQ(boxes.boxes[1].caption, "Not Enough Space");
        Cancel(dlg);
        return true;
      },
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(boxes.boxes.size(), 2u);
}

TEST(FolderDlg, EmptyFolderNeverClosesWithOk) {
  TempFolder cwd;
  ScopedCurrentDirectory cd(cwd.Path());
  MessageBoxRecorder boxes;
  boxes.Answer(IDYES);
  CFolderDlg dlg;
  dlg.SpaceRequired = 0;
  INT_PTR result = RunScripted(dlg, {
      [&] {
        EXPECT_EQ(Shown(dlg, IDC_FOLDER_EDIT), "");
        EXPECT_EQ(Shown(dlg, IDC_SPACE_AVAILABLE), "0");
        Click(dlg, IDOK);
        return true;
      },
      [&] {
        if (boxes.boxes.size() < 2) return false;
        ExpectBox(boxes.boxes[0], dlg, "Directory  does not exist.\nDo you want to create it?",
                  "Create Directory", MB_YESNO | MB_ICONQUESTION);
        ExpectBox(boxes.boxes[1], dlg, "Cannot Create ", "Create Directory Failed", MB_ICONSTOP);
        EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
        Cancel(dlg);
        return true;
      },
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(CurrentDirectory(), cwd.Path());
}

TEST(FolderDlg, EditingTheFolderUpdatesTheFreeSpace) {
  TempFolder target;  // on a drive with free space
  const char none = UnusedDriveLetter();
  ASSERT_NE(none, 0);
  CFolderDlg dlg;
  dlg.Folder = Root(none) + "VOR";
  dlg.SpaceRequired = 5;
  INT_PTR result = RunScripted(dlg, {[&] {
    EXPECT_EQ(dlg.SpaceAvailable, 0u);
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_FOLDER_EDIT, target.Path().c_str());
    EXPECT_EQ(dlg.Folder, target.Path());
    const uint32_t measured = dlg.SpaceAvailable;
    EXPECT_GT(measured, 0u);
    EXPECT_EQ(Shown(dlg, IDC_SPACE_AVAILABLE), std::to_string(measured));

    // Emptying the edit keeps the last figure.
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_FOLDER_EDIT, "");
    EXPECT_EQ(dlg.Folder, "");
    EXPECT_EQ(dlg.SpaceAvailable, measured);
    EXPECT_EQ(Shown(dlg, IDC_SPACE_AVAILABLE), std::to_string(measured));

    // Typed keys: the first one already names the drive.
    HWND edit = dlg.GetDlgItem(IDC_FOLDER_EDIT);
    ::SetFocus(edit);
    for (char c : Root(none)) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ(dlg.Folder, Root(none));
    EXPECT_EQ(dlg.SpaceAvailable, 0u);
    EXPECT_EQ(Shown(dlg, IDC_SPACE_AVAILABLE), "0");
    EXPECT_EQ(Shown(dlg, IDC_SPACE_REQUIRED), "5");
    Cancel(dlg);
    return true;
  }});
  EXPECT_EQ(result, IDCANCEL);
}

// Shows a figure of its own before the first exchange, so that a change handler run by
// that exchange (which would measure the folder's drive as 0) can be seen.
class CPresetFolderDlg : public CFolderDlg {
 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    if (!pDX->m_bSaveAndValidate) SpaceAvailable = 4321;
    CFolderDlg::DoDataExchange(pDX);
  }
};

TEST(FolderDlg, InitialExchangeDoesNotRunTheChangeHandler) {
  const char none = UnusedDriveLetter();
  ASSERT_NE(none, 0);
  CPresetFolderDlg dlg;
  dlg.Folder = Root(none) + "VOR";
  dlg.SpaceRequired = 0;
  RunScripted(dlg, {[&] {
    EXPECT_EQ(dlg.SpaceAvailable, 4321u);
    EXPECT_EQ(Shown(dlg, IDC_SPACE_AVAILABLE), "4321");
    Cancel(dlg);
    return true;
  }});
}

TEST(FolderDlg, CancelEscapeAndCloseBoxTestNothing) {
  const char none = UnusedDriveLetter();
  ASSERT_NE(none, 0);
  enum Way { kButton, kEscape, kCloseBox };
  for (Way way : {kButton, kEscape, kCloseBox}) {
    MessageBoxRecorder boxes;
    CFolderDlg dlg;
    dlg.Folder = Root(none) + "VOR";
    dlg.SpaceRequired = 7;
    INT_PTR result = RunScripted(dlg, {[&] {
      // What an exchange would refuse, and a figure it would read back.
      ::SetDlgItemTextA(dlg.m_hWnd, IDC_SPACE_AVAILABLE, "no number");
      ::SetDlgItemTextA(dlg.m_hWnd, IDC_SPACE_REQUIRED, "99");
      HWND edit = dlg.GetDlgItem(IDC_FOLDER_EDIT);
      switch (way) {
        case kButton:
          Cancel(dlg);
          break;
        case kEscape:
          ::SetFocus(edit);
          ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
          break;
        case kCloseBox:
          ::PostMessageA(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
          break;
      }
      return true;
    }});
    EXPECT_EQ(result, IDCANCEL) << way;
    EXPECT_TRUE(boxes.boxes.empty()) << way;
    EXPECT_EQ(dlg.SpaceRequired, 7u) << way;
    EXPECT_EQ(dlg.SpaceAvailable, 0u) << way;
  }
}

// ---------------------------------------------------------------------------------------
// The shell's folder browser (a modal dialog with a loop of its own; the script's
// steps still run inside it)

struct BrowserSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND h, LPARAM lParam) {
  BrowserSearch* search = reinterpret_cast<BrowserSearch*>(lParam);
  char cls[16];
  ::GetClassNameA(h, cls, sizeof cls);
  if (::IsWindowVisible(h) && std::strcmp(cls, "#32770") == 0 &&
      ::GetWindow(h, GW_OWNER) == search->owner) {
    search->found = h;
    return FALSE;
  }
  return TRUE;
}

// The thread's folder browser owned by the dialog, or null.
HWND FindBrowser(const CWnd& dlg) {
  BrowserSearch search{dlg.m_hWnd, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string SelectedTreeItem(HWND browser) {
  HWND tree = ::FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
  HTREEITEM item = (HTREEITEM)::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
  char text[MAX_PATH] = {};
  TVITEMA tvi = {};
  tvi.mask = TVIF_TEXT;
  tvi.hItem = item;
  tvi.pszText = text;
  tvi.cchTextMax = sizeof text;
  ::SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tvi);
  return text;
}

// True once the browser has filled its tree.
bool BrowserReady(HWND browser) {
  HWND tree = ::FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
  return tree != nullptr && ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0) != 0;
}

// Steps that open the browser, let `inBrowser` act on it (retried on later ticks until
// it returns true), and wait until the browser has gone.
std::vector<ScriptStep> BrowseSteps(CFolderDlg& dlg, std::function<bool(HWND)> inBrowser) {
  auto browser = std::make_shared<HWND>(nullptr);
  return {
      [&dlg] {
        Click(dlg, IDC_BROWSE);
        return true;
      },
      [&dlg, browser] {
        *browser = FindBrowser(dlg);
        if (*browser == nullptr || !BrowserReady(*browser)) return false;
        EXPECT_FALSE(::IsWindowEnabled(dlg.m_hWnd)) << "the browser is modal to the dialog";
        EXPECT_NE(::FindWindowExA(*browser, nullptr, "Static", "Select Install Folder:"), nullptr);
        return true;
      },
      [browser, inBrowser] { return inBrowser(*browser); },
      [browser] { return !::IsWindow(*browser); },
  };
}

TEST(FolderDlgBrowse, CancelledBrowserChangesNothing) {
  const char none = UnusedDriveLetter();
  ASSERT_NE(none, 0);
  CFolderDlg dlg;
  dlg.Folder = Root(none) + "VOR";
  dlg.SpaceRequired = 3;
  std::vector<ScriptStep> steps = BrowseSteps(dlg, [](HWND browser) {
    ::PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    return true;
  });
  steps.push_back([&] {
    EXPECT_EQ(dlg.Folder, Root(none) + "VOR");
    EXPECT_EQ(Shown(dlg, IDC_FOLDER_EDIT), Root(none) + "VOR");
    EXPECT_EQ(dlg.SpaceAvailable, 0u);
    EXPECT_EQ(Shown(dlg, IDC_SPACE_AVAILABLE), "0");
    Cancel(dlg);
    return true;
  });
  EXPECT_EQ(RunScripted(dlg, steps), IDCANCEL);
}

TEST(FolderDlgBrowse, ChosenFolderReplacesTheTextAndTheFigure) {
  TempFolder parent;
  const std::string chosen = parent.File("Chosen");
  ASSERT_TRUE(::CreateDirectoryA(chosen.c_str(), nullptr));
  const char none = UnusedDriveLetter();
  ASSERT_NE(none, 0);
  CFolderDlg dlg;
  dlg.Folder = Root(none) + "VOR";
  dlg.SpaceRequired = 3;
  std::vector<ScriptStep> steps = BrowseSteps(dlg, [&](HWND browser) {
    ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)chosen.c_str());
    if (SelectedTreeItem(browser) != "Chosen") return false;
    ::PostMessageA(browser, WM_COMMAND, IDOK, 0);
    return true;
  });
  steps.push_back([&] {
    EXPECT_STRCASEEQ(dlg.Folder.c_str(), chosen.c_str());
    EXPECT_EQ(Shown(dlg, IDC_FOLDER_EDIT), dlg.Folder);
    EXPECT_GT(dlg.SpaceAvailable, 0u);
    EXPECT_EQ(Shown(dlg, IDC_SPACE_AVAILABLE), std::to_string(dlg.SpaceAvailable));
    Cancel(dlg);
    return true;
  });
  EXPECT_EQ(RunScripted(dlg, steps), IDCANCEL);
}

TEST(FolderDlgBrowse, FolderLongerThanAPathSurvivesTheBrowser) {
  TempFolder parent;
  const std::string longFolder = "C:\\" + std::string(300, 'a');
  CFolderDlg dlg;
  dlg.Folder = longFolder;
  dlg.SpaceRequired = 3;
  std::vector<ScriptStep> steps = BrowseSteps(dlg, [](HWND browser) {
    ::PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    return true;
  });
  steps.push_back([&] {
    EXPECT_EQ(dlg.Folder, longFolder);
    EXPECT_EQ(Shown(dlg, IDC_FOLDER_EDIT), longFolder);
    return true;
  });
  // Then a folder is chosen: the long text gives way to the chosen path whole.
  const std::string leaf = parent.Path().substr(parent.Path().find_last_of('\\') + 1);
  for (ScriptStep& step : BrowseSteps(dlg, [&](HWND browser) {
         ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)parent.Path().c_str());
         if (SelectedTreeItem(browser) != leaf) return false;
         ::PostMessageA(browser, WM_COMMAND, IDOK, 0);
         return true;
       })) {
    steps.push_back(step);
  }
  steps.push_back([&] {
    EXPECT_STRCASEEQ(dlg.Folder.c_str(), parent.Path().c_str());
    EXPECT_EQ(Shown(dlg, IDC_FOLDER_EDIT), dlg.Folder);
    Cancel(dlg);
    return true;
  });
  EXPECT_EQ(RunScripted(dlg, steps), IDCANCEL);
}

}  // namespace
