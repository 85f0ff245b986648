#pragma once
#include <cstdint>

#include "framework/Dialog.h"
#include "framework/String.h"

// "Select Install Folder": offers the install folder for editing, shows the free space
// of its drive beside the space the package needs, browses for a folder, refuses too
// little space and creates a missing folder on request. Closes with OK only when the
// space suffices and the folder exists or has just been created.
class CFolderDlg : public CDialog {
 public:
  explicit CFolderDlg(CWnd* pParent = nullptr);

  uint32_t SpaceRequired;   // set by the caller; shown in static 1017
  uint32_t SpaceAvailable;  // free megabytes on Folder's drive; shown in static 1016
  CString Folder;           // the target folder; exchanged with edit 1014

  // Free megabytes (of 1,000,000 bytes) on the drive the folder text names; 0 when
  // the drive cannot be queried.
  static uint32_t MeasureFreeSpace(StringView folder);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnFolderChange();
  void OnBrowse();

  DECLARE_MESSAGE_MAP()
};
