#include "install/DecompressDlg.h"

#include <utility>

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/SystemCodePages.h"
#include "framework/WinApp.h"
#include "install/ExitCodeMessages.h"
#include "install/InstallTexts.h"
#include "install/LogFile.h"
#include "install/LogLineRules.h"
#include "install/ProgressRange.h"
#include "res/resource.h"

namespace {

const UINT kPollTimerId = 1;
const UINT kPollPeriodMs = 20;

// The NT family reports the primary thread's exit status, the others the process's.
BOOL QueryExitStatus(HANDLE hChild, DWORD* status) {
  if (!AfxIsWin95Family()) return ::GetExitCodeThread(hChild, status);
  return ::GetExitCodeProcess(hChild, status);
}

// A file (not a folder) of that path exists; a name with wildcards names none. Only the
// last part of the path is a name: "\\?\" may begin a long path.
bool IsExistingFile(StringView path, const void*) {
  const CodePage& cp = AfxAnsiCodePage();
  const size_t separator = cp.FindLastOf(path, "\\/");
  const size_t nameStart = separator == CString::npos ? 0 : separator + 1;
  if (cp.FindFirstOf(path, "*?", nameStart) != CString::npos) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(CString(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  ::FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

CString LoadExitCodeMessage(uint32_t code) {
  unsigned id = ExitCodeStringId(code);
  if (id == kNoExitCodeStringId) return CString();
  return AfxLoadString(id);
}

BEGIN_MESSAGE_MAP(CDecompressDlg, CDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CDecompressDlg::CDecompressDlg(CWnd* pParent)
    : CDialog(IDD_DECOMPRESS, pParent),
      ArchiveCount(0),
      TotalDisks(0),
      TimerId(0),
      ChildHandle(nullptr) {}

CDecompressDlg::~CDecompressDlg() { LogReader.Close(); }

void CDecompressDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROGRESS, ProgressBar);
  DDX_Control(pDX, IDC_ANIMATION, Animation);
}

BOOL CDecompressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The install command has just created the log; if it can't be opened all the same,
  // the dialog still watches the decompressor and reports its end.
  LogReader.Open(kLogFileName, CFile::modeReadWrite | CFile::shareDenyNone | CFile::typeText);
  ArchiveCount = 0;
  TimerId = ::SetTimer(m_hWnd, kPollTimerId, kPollPeriodMs, nullptr);
  if (TimerId == 0) {
    // Nothing would ever poll the decompressor, and the dialog has no button: say so
    // and end it, telling the caller that the run was not watched to its end.
    AfxShowErrorBox(m_hWnd, kTimerFailureText, "", ::GetLastError(), kTimerFailureCaption);
    EndDialog(IDABORT);
    return TRUE;
  }
  Animation.Open(IDR_AVI_WORKING);
  ProgressBar.SetRange(0, ProgressBarUpper(TotalDisks));
  return TRUE;
}

// Neither Escape nor Enter closes the dialog: only the decompressor's end does.
void CDecompressDlg::OnCancel() {}
void CDecompressDlg::OnOK() {}

void CDecompressDlg::OnTimer(UINT_PTR nIDEvent) {
  if (TimerId != 0 && nIDEvent == TimerId) Poll();
  Default();
}

void CDecompressDlg::StopTimer() {
  ::KillTimer(m_hWnd, TimerId);
  // A tick that was already queued finds no timer id to match.
  TimerId = 0;
}

void CDecompressDlg::Poll() {
  // A decompressor that ended with the code 259 reads as still running; its handle
  // tells the two apart. The handle is looked at first: a child that ends between the
  // two calls then shows its real exit code, not a still-running status with a
  // signalled handle.
  const bool ended = ::WaitForSingleObject(ChildHandle, 0) == WAIT_OBJECT_0;
  DWORD status = 0;
  if (!QueryExitStatus(ChildHandle, &status)) {
    StopTimer();
    AfxShowMessageBox(m_hWnd, "Can't Query Window", "GetExitCode Error", MB_OK);
    Animation.Close();
    EndDialog(IDOK);
    return;
  }
  if (status == STILL_ACTIVE && !ended) {
    ShowLogLine();
    return;
  }
  Finish(status);
}

void CDecompressDlg::ShowLogLine() {
  if (!LogReader.IsOpen()) return;
  // LogLine keeps the line last read through the ticks that find none.
  CString line;
  // A read that failed is taken as no line this tick; the next tick tries again.
  if (!LogReader.ReadString(line)) return;
  LogLine = std::move(line);

  LogLineMatch match = MatchLogLine(LogLine);
  switch (match.kind) {
    case LogLineKind::Source:
      SetDlgItemText(IDC_SOURCE, match.text.c_str());
      ++ArchiveCount;
      ProgressBar.SetPos(ArchiveCount);
      break;
    case LogLineKind::Destination:
      SetDlgItemText(IDC_DESTINATION, match.text.c_str());
      break;
    case LogLineKind::None:
      break;
  }
}

void CDecompressDlg::Finish(DWORD exitCode) {
  StopTimer();
  Animation.Close();
  if (exitCode != 0) {
    AfxShowMessageBox(m_hWnd, LoadExitCodeMessage(exitCode), "Installation Failed", MB_OK);
    EndDialog(IDOK);
    return;
  }
  ProgressBar.SetPos(static_cast<int>(TotalDisks + 1));
  int answer = AfxShowMessageBox(m_hWnd,
                                 "Installation Completed Successfully\nExecute Application Setup?",
                                 "Successful Installation", MB_YESNO | MB_ICONQUESTION);
  if (answer == IDYES) StartSetupProgram();
  EndDialog(IDOK);
}

void CDecompressDlg::StartSetupProgram() {
  const CodePage& cp = AfxAnsiCodePage();
  const CString command =
      BuildSetupCommand(FindSetupProgram(InstallDir, AppSetup, cp, &IsExistingFile), cp);
  // CreateProcessA may write into its command line: hand it a copy of its own.
  CString commandLine = command;

  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  // No current directory: the setup program starts in the installer's, the source
  // directory. The installer does not wait for it.
  if (::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &si, &pi)) {
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return;
  }
  AfxShowMessageBox(m_hWnd, command, "Launch Error", MB_ICONSTOP);
}
