// CDialog: a modal dialog built on a dialog template of the program's resources.
#pragma once
#include "framework/Wnd.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

  // Creates the dialog, disables its owner and runs a message loop until EndDialog.
  // Returns the value given to EndDialog, or -1 when the dialog could not be created
  // or the loop received a quit request.
  virtual INT_PTR DoModal();
  void EndDialog(int nResult);

  // Initialisation: fields to controls. True lets the system focus the first tab stop.
  virtual BOOL OnInitDialog();
  // OK command: controls to fields, then ends with IDOK when every field took its value.
  virtual void OnOK();
  // Cancel command (Cancel button, Escape, close box): ends with IDCANCEL.
  virtual void OnCancel();

  BOOL PreTranslateMessage(MSG* pMsg) override;

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 protected:
  bool m_bEndModal = false;
  INT_PTR m_nModalResult = -1;

  static INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};

// Runs one message through the dialog keyboard handling of the dialog it belongs to
// (Tab, Enter, Escape), if any; true when it was used there.
BOOL AfxPreTranslateMessage(MSG* pMsg);
