#pragma once
#include <cstdint>

#include "framework/AnimateCtrl.h"
#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "framework/StdioFile.h"
#include "framework/String.h"

// "Decompressing Files": watches the external decompressor from a 20 ms timer, reads
// its log ("VORDECOMP.LOG" in the current directory) one line per tick to show the
// archive and the file being processed and to step the progress bar, reports the exit
// code, and after a clean run offers to start the package's setup program.
// Ends with IDOK once the decompressor has ended and its end has been reported, and
// with IDABORT when no timer could be had to watch it: it may then still be running.
class CDecompressDlg : public CDialog {
 public:
  explicit CDecompressDlg(CWnd* pParent = nullptr);
  ~CDecompressDlg() override;

  CString InstallDir;       // set by the caller: the target folder
  CString AppSetup;         // set by the caller: the setup program's name
  CString LogLine;          // the line last read from the log
  int32_t ArchiveCount;     // archive announcements seen so far
  CStdioFile LogReader;     // reader on the log
  uint32_t TotalDisks;      // set by the caller: archive volumes
  UINT_PTR TimerId;         // the running timer's id
  HANDLE ChildHandle;       // set by the caller: the handle polled for the exit status
  CProgressCtrl ProgressBar;
  CAnimateCtrl Animation;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void OnOK() override;
  void OnTimer(UINT_PTR nIDEvent);

  DECLARE_MESSAGE_MAP()

 private:
  // One poll of the decompressor: the exit status, then one line of the log.
  void Poll();
  // The decompressor has ended with `exitCode`: the message, the question, the setup.
  void Finish(DWORD exitCode);
  void ShowLogLine();
  void StartSetupProgram();
  void StopTimer();
};

// The message for a nonzero exit code from the string table (id 200 + code); empty for
// codes without an entry.
CString LoadExitCodeMessage(uint32_t code);
