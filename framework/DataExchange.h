// Dialog data exchange: moves values between a dialog's controls and its fields.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/String.h"

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
      : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

  BOOL m_bSaveAndValidate;  // TRUE: controls to fields
  CWnd* m_pDlgWnd;
  int m_idLastControl = 0;
  // Set by a routine that refused a control's contents: the routines after it do
  // nothing, and UpdateData reports failure.
  BOOL m_bFailed = FALSE;

  HWND PrepareCtrl(int nIDC);
  // Puts the focus on the last control prepared and marks the exchange failed.
  void Fail();
};

// Prompt id of the framework's "Please enter a positive integer." message.
constexpr UINT AFX_IDP_PARSE_UINT = 61719;

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Unsigned decimal: written with "%u"; read back by scanning, refusing what does not scan.
void DDX_Text(CDataExchange* pDX, int nIDC, uint32_t& value);
// Binds a control object to the dialog's control (once).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
