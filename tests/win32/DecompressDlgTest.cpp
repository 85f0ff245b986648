// The progress dialog "Decompressing Files" watching a real child process: the
// stand-in decompressor, started the way the install command starts the real one,
// with its standard output on the log that the dialog reads.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <map>
#include <sstream>

#include "framework/MessageBox.h"
#include "install/DecompressDlg.h"
#include "install/ExitCodeMessages.h"
#include "install/InstallTexts.h"
#include "res/resource.h"
#include "tests/win32/ImportHook.h"
#include "tests/win32/TestSupport.h"

namespace {

const char kQuestion[] = "Installation Completed Successfully\nExecute Application Setup?";

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\'));
}

std::string StandinPath() { return ExeFolder() + "\\standin.exe"; }

// A file of the source tree, as a Windows path.
std::string SourceTreeFile(const std::string& relative) {
  std::string path = std::string("Z:") + VOR_SOURCE_DIR + "/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// A process of this name runs (in this Wine prefix).
bool ProcessRuns(const char* exeName) {
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof pe;
  bool found = false;
  for (BOOL ok = ::Process32First(snap, &pe); ok && !found; ok = ::Process32Next(snap, &pe)) {
    found = lstrcmpiA(pe.szExeFile, exeName) == 0;
  }
  ::CloseHandle(snap);
  return found;
}

bool WaitForFile(const std::string& path, DWORD timeoutMs) {
  DWORD end = ::GetTickCount() + timeoutMs;
  while (!FileExists(path)) {
    if ((LONG)(::GetTickCount() - end) > 0) return false;
    ::Sleep(20);
  }
  return true;
}

// One installation as the install command sets it up: the source folder is the
// current directory and holds the log; the stand-in runs as ARJ.exe from there, in
// the target folder, with its standard output on the log's inherited handle.
class Installation {
 public:
  Installation() : m_cd(source.Path()) {
    installDir = source.File("target");
    ::CreateDirectoryA(installDir.c_str(), nullptr);
    ::SetEnvironmentVariableA("STANDIN_SCRIPT", nullptr);
    ::SetEnvironmentVariableA("STANDIN_REPORT", nullptr);
  }
  ~Installation() {
    if (m_pi.hProcess != nullptr) {
      if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
        ADD_FAILURE() << "the decompressor still ran at the end of the test";
        ::TerminateProcess(m_pi.hProcess, 1);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
      }
      ::CloseHandle(m_pi.hProcess);
      ::CloseHandle(m_pi.hThread);
    }
    if (m_log != INVALID_HANDLE_VALUE) ::CloseHandle(m_log);
  }

  // Starts the stand-in with this script; its output goes to `logName` in the source
  // folder.
  void Start(const std::string& script, const std::string& logName = "VORDECOMP.LOG") {
    ASSERT_TRUE(::CopyFileA(StandinPath().c_str(), source.File("ARJ.exe").c_str(), FALSE))
        << StandinPath();
    source.Write("ARJ.script", script);
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    m_log = ::CreateFileA(logName.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(m_log, INVALID_HANDLE_VALUE);

    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_SHOWMINNOACTIVE;
    si.hStdOutput = m_log;
    std::string command = source.File("ARJ.exe") + " x -v -y " + source.Path() + "\\*.arj";
    ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE,
                                 CREATE_DEFAULT_ERROR_MODE, nullptr, installDir.c_str(), &si,
                                 &m_pi))
        << ::GetLastError();
  }

  // What the install command hands the dialog to poll.
  HANDLE ChildHandle() const {
    return (::GetVersion() & 0x80000000u) == 0 ? m_pi.hThread : m_pi.hProcess;
  }
  bool Running() const { return ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }

  void Prepare(CDecompressDlg& dlg, uint32_t totalDisks) const {
    dlg.ChildHandle = ChildHandle();
    dlg.TotalDisks = totalDisks;
    dlg.InstallDir = installDir;
    dlg.AppSetup = "setup.exe";
  }

  // `waitfor` and `touch` of the script work in the stand-in's current directory.
  void Signal(const std::string& name) const {
    HANDLE h = ::CreateFileA((installDir + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    ::CloseHandle(h);
  }
  bool Seen(const std::string& name) const { return FileExists(installDir + "\\" + name); }

  // A copy of the stand-in as the package's setup program in the target folder.
  void PlaceSetupProgram(const std::string& script) const {
    ASSERT_TRUE(::CopyFileA(StandinPath().c_str(), (installDir + "\\setup.exe").c_str(), FALSE));
    HANDLE h = ::CreateFileA((installDir + "\\setup.script").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, script.data(), (DWORD)script.size(), &written, nullptr);
    ::CloseHandle(h);
  }

  TempFolder source;
  std::string installDir;

 private:
  ScopedCurrentDirectory m_cd;
  HANDLE m_log = INVALID_HANDLE_VALUE;
  PROCESS_INFORMATION m_pi = {};
};

// The dialog with counters on what reaches it.
class CWatchedDecompressDlg : public CDecompressDlg {
 public:
  int ticks = 0;    // timer messages
  int cancels = 0;  // cancel commands
  int oks = 0;      // OK commands
  HWND window = nullptr;  // the dialog's window, kept after it is gone

  std::string Source() const { return GetDlgItemText(IDC_SOURCE); }
  std::string Destination() const { return GetDlgItemText(IDC_DESTINATION); }
  int Pos() const { return (int)::SendMessageA(GetDlgItem(IDC_PROGRESS), PBM_GETPOS, 0, 0); }
  // True while a clip is open: only then can the control play.
  bool ClipOpen() const {
    return ::SendMessageA(GetDlgItem(IDC_ANIMATION), ACM_PLAY, (WPARAM)-1, MAKELPARAM(0, 0xFFFF)) != 0;
  }

  // For a message box shown from a tick: while it would be up, no further tick may
  // reach the dialog, and nothing on it changes.
  void ExpectQuietWhileBoxIsUp() {
    if (m_boxUp) {
      ADD_FAILURE() << "a second message box while the first is up";
      return;
    }
    m_boxUp = true;
    int ticksBefore = ticks;
    std::string source = Source(), destination = Destination();
    int pos = Pos();
    PumpMessagesFor(150);
    EXPECT_EQ(ticks, ticksBefore) << "the timer runs on under the message box";
    EXPECT_EQ(Source(), source);
    EXPECT_EQ(Destination(), destination);
    EXPECT_EQ(Pos(), pos);
    m_boxUp = false;
  }

 protected:
  BOOL OnInitDialog() override {
    window = m_hWnd;
    return CDecompressDlg::OnInitDialog();
  }
  void OnTimer(UINT_PTR nIDEvent) {
    ++ticks;
    CDecompressDlg::OnTimer(nIDEvent);
  }
  void OnCancel() override {
    ++cancels;
    CDecompressDlg::OnCancel();
  }
  void OnOK() override {
    ++oks;
    CDecompressDlg::OnOK();
  }
  DECLARE_MESSAGE_MAP()

 private:
  bool m_boxUp = false;
};

BEGIN_MESSAGE_MAP(CWatchedDecompressDlg, CDecompressDlg)
  ON_WM_TIMER()
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------
// Resources: template, clip and exit-code strings

INT_PTR CALLBACK PlainDlgProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

// A dialog template (DIALOGEX) as the resource holds it.
struct TemplateItem {
  DWORD style = 0, exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  int id = 0;
  std::string className;  // predefined classes by name: "Button", "Static", ...
  std::string text;
};
struct DialogTemplate {
  DWORD style = 0;
  short cx = 0, cy = 0;
  std::string caption, font;
  WORD pointSize = 0;
  std::vector<TemplateItem> items;
};

class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* p) : m_p(p) {}
  WORD Word() { WORD w = *(const WORD*)m_p; m_p += 2; return w; }
  DWORD Dword() { DWORD d = *(const DWORD*)m_p; m_p += 4; return d; }
  std::string String() {
    std::string s;
    while (WORD c = Word()) s += (char)c;  // the texts here are ASCII
    return s;
  }
  // A name or an ordinal; ordinals of predefined window classes come back as names.
  std::string NameOrOrdinal() {
    WORD first = *(const WORD*)m_p;
    if (first == 0) { m_p += 2; return ""; }
    if (first != 0xFFFF) return String();
    m_p += 2;
    switch (WORD ord = Word()) {
      case 0x80: return "Button";
      case 0x81: return "Edit";
      case 0x82: return "Static";
      case 0x83: return "ListBox";
      case 0x84: return "ScrollBar";
      case 0x85: return "ComboBox";
      default: return "#" + std::to_string(ord);
    }
  }
  void AlignDword(const BYTE* base) {
    while ((m_p - base) % 4 != 0) ++m_p;
  }
  const BYTE* m_p;
};

DialogTemplate LoadDialogTemplate(UINT id) {
  HMODULE self = ::GetModuleHandleA(nullptr);
  HRSRC res = ::FindResourceA(self, MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG);
  const BYTE* base = (const BYTE*)::LockResource(::LoadResource(self, res));
  DialogTemplate t;
  if (base == nullptr) return t;
  TemplateReader r(base);
  EXPECT_EQ(r.Word(), 1) << "DIALOGEX";
  EXPECT_EQ(r.Word(), 0xFFFF);
  r.Dword();  // help id
  r.Dword();  // extended style
  t.style = r.Dword();
  WORD count = r.Word();
  r.Word();
  r.Word();
  t.cx = (short)r.Word();
  t.cy = (short)r.Word();
  r.NameOrOrdinal();  // menu
  r.NameOrOrdinal();  // class
  t.caption = r.String();
  if (t.style & DS_SETFONT) {
    t.pointSize = r.Word();
    r.Word();  // weight
    r.Word();  // italic, character set
    t.font = r.String();
  }
  for (WORD i = 0; i < count; ++i) {
    r.AlignDword(base);
    TemplateItem item;
    r.Dword();  // help id
    item.exStyle = r.Dword();
    item.style = r.Dword();
    item.x = (short)r.Word();
    item.y = (short)r.Word();
    item.cx = (short)r.Word();
    item.cy = (short)r.Word();
    item.id = (int)r.Dword();
    item.className = r.NameOrOrdinal();
    item.text = r.NameOrOrdinal();
    WORD extra = r.Word();
    r.m_p += extra;
    t.items.push_back(item);
  }
  return t;
}

TEST(DecompressResources, TemplateHasTheLayoutAndStyles) {
  DialogTemplate t = LoadDialogTemplate(IDD_DECOMPRESS);
  EXPECT_EQ(t.caption, "Decompressing Files");
  EXPECT_EQ(t.cx, 212);
  EXPECT_EQ(t.cy, 119);
  EXPECT_EQ(t.font, "MS Sans Serif");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.style & ~(DWORD)DS_SETFONT,
            (DWORD)(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK))
      << "no system menu (so no close box), not visible before the modal loop shows it";

  const DWORD child = WS_CHILD | WS_VISIBLE;
  const DWORD sunkenText = child | WS_GROUP | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_SUNKEN;
  const TemplateItem expected[] = {
      {child | ACS_CENTER | ACS_TRANSPARENT | ACS_AUTOPLAY | WS_TABSTOP, 0, 7, 7, 198, 42,
       IDC_ANIMATION, "SysAnimate32", ""},
      {child | WS_GROUP | SS_LEFT, 0, 19, 73, 26, 11, -1, "Static", "Source:"},
      {child | WS_GROUP | SS_LEFT, 0, 7, 92, 38, 11, -1, "Static", "Destination:"},
      {sunkenText, 0, 54, 73, 151, 11, IDC_SOURCE, "Static", ""},
      {sunkenText, 0, 54, 92, 151, 11, IDC_DESTINATION, "Static", ""},
      {child | WS_BORDER, 0, 18, 57, 175, 10, IDC_PROGRESS, "msctls_progress32", ""},
  };
  ASSERT_EQ(t.items.size(), std::size(expected)) << "no buttons, nothing else";
  for (size_t i = 0; i < t.items.size(); ++i) {
    const TemplateItem& e = expected[i];
    const TemplateItem& got = t.items[i];
    SCOPED_TRACE(e.className + " " + e.text);
    EXPECT_EQ(got.style, e.style);
    EXPECT_EQ(got.exStyle, e.exStyle);
    EXPECT_EQ((int)(short)got.id, e.id);
    EXPECT_STRCASEEQ(got.className.c_str(), e.className.c_str());
    EXPECT_EQ(got.text, e.text);
    EXPECT_EQ(got.x, e.x);
    EXPECT_EQ(got.y, e.y);
    EXPECT_EQ(got.cx, e.cx);
    EXPECT_EQ(got.cy, e.cy);
  }
}

TEST(DecompressResources, DialogIsBuiltAndItsClipOpensAndCloses) {
  HWND dlg = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DECOMPRESS),
                                  nullptr, &PlainDlgProc, 0);
  ASSERT_NE(dlg, nullptr) << "every control class is registered";
  EXPECT_EQ(WindowText(dlg), "Decompressing Files");
  EXPECT_FALSE(::GetWindowLongPtrA(dlg, GWL_STYLE) & WS_SYSMENU);
  HWND anim = ::GetDlgItem(dlg, IDC_ANIMATION);
  ASSERT_NE(anim, nullptr);
  EXPECT_TRUE(::SendMessageA(anim, ACM_OPENA, 0, (LPARAM)MAKEINTRESOURCEA(IDR_AVI_WORKING)));
  EXPECT_TRUE(::SendMessageA(anim, ACM_PLAY, (WPARAM)-1, MAKELPARAM(0, 0xFFFF)));
  ::SendMessageA(anim, ACM_OPENA, 0, 0);
  EXPECT_FALSE(::SendMessageA(anim, ACM_PLAY, (WPARAM)-1, MAKELPARAM(0, 0xFFFF)))
      << "nothing plays once the clip is closed";
  ::DestroyWindow(dlg);
}

TEST(DecompressResources, StringTableAgreesWithTheExitCodeMessages) {
  std::vector<uint32_t> codes;
  for (uint32_t c = 0; c <= 300; ++c) codes.push_back(c);
  for (uint32_t c : {1000u, 61656u, 65336u, 65337u, 65535u, 65536u, 65537u, 65741u, 0x7FFFFFFFu,
                     0xC0000005u, 0xFFFFFF38u, 0xFFFFFF39u, 0xFFFFFFFFu}) {
    codes.push_back(c);
  }
  for (uint32_t code : codes) {
    EXPECT_EQ(LoadExitCodeMessage(code), ExitCodeMessage(code)) << "exit code " << code;
  }
  EXPECT_EQ(LoadExitCodeMessage(12), "User Cancelled Operation");
  EXPECT_EQ(AfxLoadString(210), "");
  EXPECT_EQ(AfxLoadString(211), "");
}

// ---------------------------------------------------------------------------------
// Runs against the stand-in

TEST(DecompressDlg, ShowsArchivesAndFilesStepsTheBarAndAsksAfterACleanEnd) {
  Installation inst;
  // Were it started, it would still run when the dialog has ended.
  inst.PlaceSetupProgram("waitfor never 3000\r\n");
  inst.Start(
      "line ARJ32 v 3.10, Copyright (c) 1998-2004, ARJ Software Russia.\r\n"
      "line \r\n"
      "line Processing archive: E:\\SETUP\\VOR.ARJ\r\n"
      "line Extracting README.TXT                 OK\r\n"
      "touch first\r\n"
      "waitfor go1\r\n"
      "line  Extracting from E:\\SETUP\\VOR.A01\r\n"
      "line  Extracting  DATA.DAT  OK\r\n"
      "line processing archive: not counted\r\n"
      "touch second\r\n"
      "waitfor go2\r\n"
      "exit 0\r\n");
  MessageBoxRecorder boxes;
  CWatchedDecompressDlg dlg;
  inst.Prepare(dlg, 3);
  boxes.Answer(IDNO);
  boxes.OnShow = [&](const RecordedMessageBox&) {
    EXPECT_EQ(dlg.Pos(), 4) << "full after a clean end, whatever was counted";
    EXPECT_EQ(dlg.ArchiveCount, 2);
    EXPECT_FALSE(dlg.ClipOpen());
    dlg.ExpectQuietWhileBoxIsUp();
  };
  INT_PTR result = RunScripted(dlg, {
      [&] {
        int lower = -1, upper = -1;
        dlg.ProgressBar.GetRange(lower, upper);
        EXPECT_EQ(lower, 0);
        EXPECT_EQ(upper, 4);
        EXPECT_EQ(dlg.Pos(), 0);
        EXPECT_EQ(::GetFocus(), dlg.GetDlgItem(IDC_ANIMATION));
        EXPECT_TRUE(dlg.ClipOpen());
        return true;
      },
      [&] {
        if (!inst.Seen("first") || dlg.Destination() != "README.TXT") return false;
        EXPECT_EQ(dlg.Source(), "E:\\SETUP\\VOR.ARJ");
        EXPECT_EQ(dlg.ArchiveCount, 1);
        EXPECT_EQ(dlg.Pos(), 1);
        inst.Signal("go1");
        return true;
      },
      [&] {
        if (!inst.Seen("second") || dlg.LogLine != "processing archive: not counted") return false;
        EXPECT_EQ(dlg.Source(), "E:\\SETUP\\VOR.A01");
        EXPECT_EQ(dlg.Destination(), "DATA.DAT");
        EXPECT_EQ(dlg.ArchiveCount, 2);
        EXPECT_EQ(dlg.Pos(), 2);
        inst.Signal("go2");
        return true;
      },
  });
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].owner, dlg.window);
  EXPECT_EQ(boxes.boxes[0].text, kQuestion);
  EXPECT_EQ(boxes.boxes[0].caption, "Successful Installation");
  EXPECT_EQ(boxes.boxes[0].style, (UINT)(MB_YESNO | MB_ICONQUESTION));
  // No: nothing is started.
  EXPECT_FALSE(ProcessRuns("setup.exe"));
}

TEST(DecompressDlg, YesStartsTheSetupProgramAndDoesNotWaitForIt) {
  Installation inst;
  inst.PlaceSetupProgram("waitfor release 20000\r\nexit 0\r\n");
  inst.Start("exit 0\r\n");
  MessageBoxRecorder boxes;
  boxes.Answer(IDYES);
  DWORD handlesBefore = 0, handlesAfter = 0;
  ::GetProcessHandleCount(::GetCurrentProcess(), &handlesBefore);
  {
    CWatchedDecompressDlg dlg;
    inst.Prepare(dlg, 10);
    EXPECT_EQ(RunScripted(dlg, {}), IDOK);
  }
  ::GetProcessHandleCount(::GetCurrentProcess(), &handlesAfter);
  EXPECT_EQ(handlesAfter, handlesBefore) << "the setup program's handles are closed";
  ASSERT_EQ(boxes.boxes.size(), 1u) << "only the question";
  EXPECT_EQ(boxes.boxes[0].text, kQuestion);

  std::string reportPath = inst.installDir + "\\setup.report";
  ASSERT_TRUE(WaitForFile(reportPath, 10000)) << "the setup program did not start";
  auto report = ReadReport(reportPath);
  EXPECT_EQ(report["cmdline"], inst.installDir + "\\setup.exe");
  EXPECT_EQ(report["cwd"], inst.source.Path()) << "the installer's current directory";
  EXPECT_EQ(report["startflags"], "0x0");
  HANDLE setup = ::OpenProcess(SYNCHRONIZE, FALSE, (DWORD)std::stoul(report["pid"]));
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(::WaitForSingleObject(setup, 0), (DWORD)WAIT_TIMEOUT)
      << "the dialog ended while the setup program still ran";
  EXPECT_TRUE(ProcessRuns("setup.exe"));
  HANDLE release = ::CreateFileA(inst.source.File("release").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
  ::CloseHandle(release);
  EXPECT_EQ(::WaitForSingleObject(setup, 10000), (DWORD)WAIT_OBJECT_0);
  ::CloseHandle(setup);
}

TEST(DecompressDlg, MissingSetupProgramGivesLaunchErrorWithTheWholeCommand) {
  for (size_t extra : {0u, 400u}) {
    SCOPED_TRACE(extra);
    Installation inst;
    inst.Start("exit 0\r\n");
    MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    CWatchedDecompressDlg dlg;
    inst.Prepare(dlg, 1);
    // A command longer than any fixed buffer comes whole into the message.
    if (extra > 0) dlg.InstallDir += "\\" + std::string(extra, 'd');
    boxes.OnShow = [&](const RecordedMessageBox&) { dlg.ExpectQuietWhileBoxIsUp(); };
    EXPECT_EQ(RunScripted(dlg, {}), IDOK);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].owner, dlg.window);
    EXPECT_EQ(boxes.boxes[1].text, dlg.InstallDir + "\\setup.exe");
    EXPECT_EQ(boxes.boxes[1].caption, "Launch Error");
    EXPECT_EQ(boxes.boxes[1].style, (UINT)MB_ICONSTOP);
  }
}

TEST(DecompressDlg, NonzeroExitCodeShowsItsMessageAndKeepsTheBar) {
  const std::pair<uint32_t, const char*> cases[] = {
      {3, "CRC Error"}, {10, ""}, {11, ""}, {12, "User Cancelled Operation"},
      // 259 reads like a running decompressor; the dialog still sees it end.
      {259, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    Installation inst;
    inst.Start("line Processing archive: A.ARJ\r\nwaitfor go\r\nexit " + std::to_string(c.first) +
               "\r\n");
    MessageBoxRecorder boxes;
    CWatchedDecompressDlg dlg;
    inst.Prepare(dlg, 5);
    boxes.OnShow = [&](const RecordedMessageBox&) {
      EXPECT_EQ(dlg.Pos(), 1) << "the bar keeps its position";
      EXPECT_FALSE(dlg.ClipOpen());
      dlg.ExpectQuietWhileBoxIsUp();
    };
    EXPECT_EQ(RunScripted(dlg,
                          {[&] {
                            if (dlg.Source() != "A.ARJ") return false;
                            inst.Signal("go");
                            return true;
                          }},
                          10000),
              IDOK);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].owner, dlg.window);
    EXPECT_EQ(boxes.boxes[0].text, c.second);
    EXPECT_EQ(boxes.boxes[0].caption, "Installation Failed");
    EXPECT_EQ(boxes.boxes[0].style, (UINT)MB_OK);
  }
}

TEST(DecompressDlg, EscapeEnterAndCloseDoNothingWhileTheDecompressorRuns) {
  Installation inst;
  inst.Start("waitfor go\r\nexit 12\r\n");
  MessageBoxRecorder boxes;
  CWatchedDecompressDlg dlg;
  inst.Prepare(dlg, 2);
  int ticksAtKeys = 0;
  int waited = 0;
  RunScripted(dlg, {
      [&] {
        HWND focus = ::GetFocus();
        EXPECT_NE(focus, nullptr);
        for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
          ::PostMessageA(focus, WM_KEYDOWN, key, 1);
          ::PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
        }
        ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDOK, 0);
        ::PostMessageA(dlg.m_hWnd, WM_CLOSE, 0, 0);
        ticksAtKeys = dlg.ticks;
        return true;
      },
      [&] {
        if (++waited < 8) return false;  // a quarter of a second
        EXPECT_GE(dlg.cancels, 3) << "Escape, IDCANCEL and WM_CLOSE reached the dialog";
        EXPECT_GE(dlg.oks, 2) << "Enter and IDOK reached the dialog";
        EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
        EXPECT_GT(dlg.ticks, ticksAtKeys) << "still polling";
        EXPECT_TRUE(inst.Running());
        EXPECT_TRUE(boxes.boxes.empty());
        inst.Signal("go");
        return true;
      },
  });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "User Cancelled Operation");
}

TEST(DecompressDlg, LogThatGrowsWhileItIsReadWithPartlyWrittenLines) {
  Installation inst;
  inst.Start(
      "text Processing archive: DISK\r\n"
      "touch partial1\r\n"
      "waitfor go1\r\n"
      "line 1.ARJ is not a line of its own\r\n"
      "text Extracting READ\r\n"
      "touch partial2\r\n"
      "waitfor go2\r\n"
      "line ME.TXT  OK\r\n"
      "line Extracting SETUP.EXE  OK\r\n"
      "touch done\r\n"
      "waitfor go3\r\n"
      "exit 0\r\n");
  MessageBoxRecorder boxes;
  boxes.Answer(IDNO);
  CWatchedDecompressDlg dlg;
  inst.Prepare(dlg, 2);
  RunScripted(dlg, {
      [&] {
        if (!inst.Seen("partial1") || dlg.Source() != "DISK") return false;
        EXPECT_EQ(dlg.Pos(), 1);
        inst.Signal("go1");
        return true;
      },
      [&] {
        if (!inst.Seen("partial2") || dlg.LogLine != "Extracting READ") return false;
        EXPECT_EQ(dlg.Destination(), "") << "no blank after the name yet";
        inst.Signal("go2");
        return true;
      },
      [&] {
        if (!inst.Seen("done") || dlg.Destination() != "SETUP.EXE") return false;
        EXPECT_EQ(dlg.Source(), "DISK");
        EXPECT_EQ(dlg.ArchiveCount, 1) << "the rest of a line announces nothing";
        inst.Signal("go3");
        return true;
      },
  });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kQuestion);
}

TEST(DecompressDlg, FailedStatusQueryEndsTheDialog) {
  // No decompressor and no log: a handle that is none, and one that is no thread.
  TempFolder folder;
  ScopedCurrentDirectory cd(folder.Path());
  HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  for (HANDLE h : {(HANDLE) nullptr, event}) {
    MessageBoxRecorder boxes;
    CWatchedDecompressDlg dlg;
    dlg.ChildHandle = h;
    dlg.TotalDisks = 10;
    boxes.OnShow = [&](const RecordedMessageBox&) {
      EXPECT_TRUE(dlg.ClipOpen()) << "the clip closes after this box";
      dlg.ExpectQuietWhileBoxIsUp();
    };
    EXPECT_EQ(RunScripted(dlg, {}, 5000), IDOK);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].owner, dlg.window);
    EXPECT_EQ(boxes.boxes[0].text, "Can't Query Window");
    EXPECT_EQ(boxes.boxes[0].caption, "GetExitCode Error");
    EXPECT_EQ(boxes.boxes[0].style, (UINT)MB_OK);
    EXPECT_FALSE(dlg.ClipOpen());
  }
  ::CloseHandle(event);
}

namespace {

// SetTimer that fails for every window's timer (the scripts' thread timer still runs).
ImportHook* g_setTimer = nullptr;
UINT_PTR WINAPI WindowTimerFails(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hWnd == nullptr) {
    return ((decltype(&WindowTimerFails))g_setTimer->Original())(hWnd, id, elapse, proc);
  }
  ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return 0;
}

}  // namespace

// The dialog ends at once with the reason, and tells the install command that the run
// was not watched to its end: the buttons that read or remove what it made stay as
// they were, since the decompressor may still be writing.
TEST(DecompressDlg, TimerThatDoesNotStartEndsTheDialogWithTheReason) {
  Installation inst;
  inst.Start("exit 0\r\n");
  MessageBoxRecorder boxes;
  CWatchedDecompressDlg dlg;
  inst.Prepare(dlg, 3);
  {
    ImportHook hook("user32.dll", "SetTimer", (void*)&WindowTimerFails);
    ASSERT_TRUE(hook.Active());
    g_setTimer = &hook;
    EXPECT_EQ(RunScripted(dlg, {}, 5000), IDABORT);
    g_setTimer = nullptr;
  }
  EXPECT_EQ(dlg.ticks, 0);
  ASSERT_EQ(boxes.boxes.size(), 1u) << "no question, no setup program";
  EXPECT_EQ(boxes.boxes[0].owner, dlg.window);
  EXPECT_EQ(boxes.boxes[0].text,
            kTimerFailureText + ("\n" + PlatformErrorText(ERROR_NOT_ENOUGH_MEMORY)));
  EXPECT_EQ(boxes.boxes[0].caption, "Timer Error");
  EXPECT_EQ(boxes.boxes[0].style, (UINT)MB_ICONSTOP);
  for (int i = 0; i < 250 && inst.Running(); ++i) ::Sleep(20);
}

TEST(DecompressDlg, WithoutItsLogTheDialogStillReportsTheEnd) {
  Installation inst;
  inst.Start("line Processing archive: A.ARJ\r\nsleep 200\r\nexit 6\r\n", "OTHER.LOG");
  MessageBoxRecorder boxes;
  CWatchedDecompressDlg dlg;
  inst.Prepare(dlg, 3);
  EXPECT_EQ(RunScripted(dlg, {}, 10000), IDOK);
  EXPECT_FALSE(dlg.LogReader.IsOpen());
  EXPECT_EQ(dlg.Source(), "");
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "File Missing or Corrupt");
}

// ---------------------------------------------------------------------------------
// A real extraction's output, replayed

// Every WM_SETTEXT to the Source and Destination texts and every PBM_SETPOS to the bar.
struct ControlEvents {
  std::vector<std::string> sources, destinations;
  std::vector<int> positions;
  std::vector<int> positionAtSource;  // the bar's position when each Source text came
  std::map<HWND, WNDPROC> original;
};
ControlEvents* g_events = nullptr;

LRESULT CALLBACK RecordingProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlEvents& ev = *g_events;
  int id = ::GetDlgCtrlID(h);
  if (message == WM_SETTEXT && id == IDC_SOURCE) {
    ev.sources.push_back((const char*)lParam);
    ev.positionAtSource.push_back(
        (int)::SendMessageA(::GetDlgItem(::GetParent(h), IDC_PROGRESS), PBM_GETPOS, 0, 0));
  } else if (message == WM_SETTEXT && id == IDC_DESTINATION) {
    ev.destinations.push_back((const char*)lParam);
  } else if (message == PBM_SETPOS && id == IDC_PROGRESS) {
    ev.positions.push_back((int)wParam);
  }
  return ::CallWindowProcA(ev.original[h], h, message, wParam, lParam);
}

TEST(DecompressTranscript, EveryVolumeAndFileOfARealExtractionIsShown) {
  std::vector<std::string> volumes, files;
  {
    std::istringstream in(ReadFileBytes(SourceTreeFile("tests/fixtures/arj-extract.expected")));
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind("volume ", 0) == 0) volumes.push_back(line.substr(7));
      if (line.rfind("file ", 0) == 0) files.push_back(line.substr(5));
    }
  }
  ASSERT_EQ(volumes.size(), 6u);
  ASSERT_EQ(files.size(), 11u);

  Installation inst;
  inst.Start("pace 70\r\nreplay " + SourceTreeFile("tests/fixtures/arj-extract.log") +
             "\r\ntouch replayed\r\nwaitfor go\r\nexit 0\r\n");
  ControlEvents events;
  g_events = &events;
  MessageBoxRecorder boxes;
  boxes.Answer(IDNO);
  CWatchedDecompressDlg dlg;
  inst.Prepare(dlg, 6);
  int finalPos = -1;
  boxes.OnShow = [&](const RecordedMessageBox&) { finalPos = dlg.Pos(); };
  RunScripted(
      dlg,
      {
          [&] {
            for (int id : {IDC_SOURCE, IDC_DESTINATION, IDC_PROGRESS}) {
              HWND h = dlg.GetDlgItem(id);
              events.original[h] =
                  (WNDPROC)::SetWindowLongPtrA(h, GWLP_WNDPROC, (LONG_PTR)&RecordingProc);
            }
            return true;
          },
          [&] {
            if (!inst.Seen("replayed") || events.destinations.size() < files.size()) return false;
            inst.Signal("go");
            return true;
          },
      },
      30000);
  g_events = nullptr;
  EXPECT_EQ(events.sources, volumes);
  EXPECT_EQ(events.destinations, files);
  EXPECT_EQ(events.positionAtSource, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(events.positions, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(finalPos, 7);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kQuestion);
}

}  // namespace
