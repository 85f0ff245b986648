#pragma once
#include "config/InstallSettings.h"
#include "framework/Dialog.h"

// The main installer dialog: logo, title line and a button for every command.
// It owns the settings for its whole life.
class CSetupDlg : public CDialog {
 public:
  explicit CSetupDlg(CWnd* pParent = nullptr);

  InstallSettings Settings;

 protected:
  HICON m_hIcon;

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnViewNfo();
  void OnViewFileId();
  void OnInstall();
  void OnViewInstallLog();
  void OnRemoveInstallDir();

  DECLARE_MESSAGE_MAP()
};
