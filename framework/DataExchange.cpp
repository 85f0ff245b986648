#include "framework/DataExchange.h"

#include "framework/MessageBox.h"
#include "framework/NumberScan.h"
#include "framework/Wnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC) {
  m_idLastControl = nIDC;
  return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_idLastControl != 0) {
    HWND hCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
    if (hCtrl != nullptr) ::SetFocus(hCtrl);
  }
  m_bFailed = TRUE;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  if (pDX->m_bFailed) return;
  HWND hCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = pDX->m_pDlgWnd->GetDlgItemText(nIDC);
  } else {
    ::SetWindowTextA(hCtrl, value.c_str());
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, uint32_t& value) {
  if (pDX->m_bFailed) return;
  HWND hCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    uint32_t scanned = 0;
    if (!ScanUnsignedDecimal(pDX->m_pDlgWnd->GetDlgItemText(nIDC), &scanned)) {
      AfxMessageBox(AFX_IDP_PARSE_UINT, MB_ICONEXCLAMATION);
      pDX->Fail();
      return;
    }
    value = scanned;
  } else {
    char buf[16];
    ::wsprintfA(buf, "%u", static_cast<unsigned>(value));
    ::SetWindowTextA(hCtrl, buf);
  }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
  if (pDX->m_bFailed) return;
  if (control.m_hWnd == nullptr) control.Attach(pDX->PrepareCtrl(nIDC));
}
