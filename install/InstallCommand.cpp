// The install command: a whole installation. Folder choice, the log, the external
// decompressor started in the target folder with its output going to the log, and the
// decompression dialog watching it.
#include "install/InstallCommand.h"

#include <windows.h>

#include "config/DriveRoot.h"
#include "framework/File.h"
#include "framework/MessageBox.h"
#include "framework/SystemCodePages.h"
#include "framework/WinApp.h"
#include "install/DecompressDlg.h"
#include "install/FolderDlg.h"
#include "install/InstallTexts.h"
#include "install/LogFile.h"

bool RunInstallCommand(CWnd* pOwner, InstallSettings& Settings) {
  CFolderDlg folderDlg(pOwner);
  folderDlg.Folder = Settings.InstallDir;
  folderDlg.SpaceRequired = Settings.SpaceRequired;
  if (folderDlg.DoModal() != IDOK) return false;

  // The folder dialog made the chosen folder current while testing it. A source folder
  // in a drive root is held as "S:", which the platform would read as the current
  // folder of drive S (the chosen folder, when it lies on S): go back to "S:\".
  // Should that fail, the log would land in the chosen folder: report it, start nothing.
  const CString sourceFolder = DriveRootAsFolder(Settings.SourceDir);
  if (!::SetCurrentDirectoryA(sourceFolder.c_str())) {
    AfxShowErrorBox(pOwner->m_hWnd, kSourceFolderFailureText, sourceFolder.c_str(),
                    ::GetLastError(), kSourceFolderFailureCaption);
    return false;
  }
  Settings.InstallDir = TrimDriveRoot(folderDlg.Folder);
  Settings.SpaceRequired = folderDlg.SpaceRequired;

  // The decompressor's standard output: created empty, shared for reading and writing,
  // with an inheritable handle.
  CFile log;
  CFileException error;
  if (!log.Open(kLogFileName, CFile::modeCreate | CFile::shareDenyNone | CFile::modeReadWrite,
                &error)) {
    error.ReportError(pOwner->m_hWnd);
    return false;
  }

  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_SHOWMINNOACTIVE;
  si.hStdInput = nullptr;
  si.hStdOutput = log.m_hFile;
  si.hStdError = nullptr;

  const CString command = BuildDecompressorCommandLine(
      Settings.DecompressorProgram, Settings.CommandLine, Settings.SourceDir, Settings.FirstFile,
      AfxAnsiCodePage());
  // The call may write to the command line: a copy of its own.
  CString commandBuffer = command;
  // The child starts in the target's root when the target is a drive root.
  const CString workingDir = DriveRootAsFolder(Settings.InstallDir);

  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessA(nullptr, commandBuffer.GetBuffer(command.size()), nullptr, nullptr, TRUE,
                        CREATE_DEFAULT_ERROR_MODE, nullptr, workingDir.c_str(), &si, &pi)) {
    const DWORD startError = ::GetLastError();
    AfxShowMessageBox(pOwner->m_hWnd,
                      LaunchFailureText(Settings.DecompressorProgram, startError),
                      LaunchFailureCaption(Settings.DecompressorProgram), MB_ICONSTOP);
    return false;
  }

  bool watched = false;
  {
    CDecompressDlg decompressDlg;
    // The NT family reports a child's exit through its primary thread; the other
    // family through the process.
    decompressDlg.ChildHandle = AfxIsWin95Family() ? pi.hProcess : pi.hThread;
    decompressDlg.TotalDisks = Settings.TotalDisks;
    decompressDlg.AppSetup = Settings.AppSetup;
    decompressDlg.InstallDir = Settings.InstallDir;
    // A run not watched to its end may still be writing the log: the buttons that
    // read or remove what it made stay as they were.
    watched = decompressDlg.DoModal() != IDABORT;

    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
  }
  log.Close();
  return watched;
}
