// The steps a user takes through an installation with ZEZADERI.EXE, each waiting for
// the window it needs. The end-to-end tests take them, and so does vordrive.
#pragma once
#include <functional>
#include <string>

#include "tools/driver/Driver.h"

// Sees the windows of a step as they come, before the step answers them, and what a
// step waited for in vain.
class FlowObserver {
 public:
  virtual ~FlowObserver() = default;
  // A window of the step: the folder dialog with the target typed in, the "Create
  // Directory" question, or a message box the step did not expect (which ends it).
  virtual void Shown(HWND window) = 0;
  // What did not happen in time, as a user would say it: `the folder dialog "Select
  // Install Folder" did not come`.
  virtual void Missed(const std::string& what) = 0;
};

// Waits for a window of the program with that caption, or for a message box with
// another caption that was not there when the wait began (an error the program shows
// instead), calling whileWaiting (if given) between the looks. Returns the window that
// came; null when the time is up or the program has ended.
HWND WaitForWindowOrBox(const DrivenProgram& app, const std::string& caption, DWORD timeoutMs,
                        const std::function<void()>& whileWaiting = nullptr);

// Clicks "Install", puts the target into the folder dialog (an empty one keeps the
// folder offered, as a user who accepts it) and confirms it; answers the "Create
// Directory" question with Yes when it comes. Returns false when the folder
// dialog did not come or did not close, or another message box came (the observer has
// seen it, still open).
bool ChooseFolder(const DrivenProgram& app, HWND mainDialog, const std::string& target,
                  FlowObserver* observer = nullptr);

// Waits for a message box of the program with that caption and reads it.
MessageBoxView WaitForBox(const DrivenProgram& app, const std::string& caption, DWORD timeoutMs = 15000);

// Runs a whole installation whose decompressor ends cleanly and answers the final
// question with No. Returns false if any step did not come.
bool InstallAndDecline(const DrivenProgram& app, HWND mainDialog, const std::string& target);
// The same, answering Yes: the setup program is started and the progress dialog closes.
bool InstallAndAccept(const DrivenProgram& app, HWND mainDialog, const std::string& target);
