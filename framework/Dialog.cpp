#include "framework/Dialog.h"

#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  m_bEndModal = true;
  // Wake the modal loop if it is waiting.
  if (m_hWnd != nullptr) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return ::IsDialogMessageA(m_hWnd, pMsg); }

BOOL AfxPreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == nullptr) return FALSE;
  CWnd* pTop = CWnd::FromHandlePermanent(AfxGetTopLevelWindow(pMsg->hwnd));
  return pTop != nullptr && pTop->PreTranslateMessage(pMsg);
}

INT_PTR CALLBACK CDialog::AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
  // From here on the dialog's messages reach its message table.
  pDlg->SubclassWindow(hWnd);
  // A dialog whose initialisation left it where its template put it is centred: the
  // main window on the screen, the others over their owner.
  RECT before;
  ::GetWindowRect(hWnd, &before);
  const BOOL result = pDlg->OnInitDialog();
  RECT after;
  if (::IsWindow(hWnd) && ::GetWindowRect(hWnd, &after) && ::EqualRect(&before, &after) &&
      !(pDlg->GetStyle() & (WS_CHILD | WS_MINIMIZE | WS_MAXIMIZE))) {
    pDlg->CenterWindow();
  }
  return result;
}

INT_PTR CDialog::DoModal() {
  // Owner: the given parent, or else the application's main window (unless that is
  // this dialog itself), taken at its top level.
  HWND hOwner = SafeHwnd(m_pParentWnd);
  if (hOwner == nullptr) {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != this) hOwner = SafeHwnd(pMain);
  }
  if (hOwner != nullptr) hOwner = AfxGetTopLevelWindow(hOwner);

  bool reenable = hOwner != nullptr && ::IsWindowEnabled(hOwner);
  if (reenable) ::EnableWindow(hOwner, FALSE);

  m_bEndModal = false;
  m_nModalResult = -1;
  HWND hWnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                   hOwner, &CDialog::AfxDlgProc, (LPARAM)this);
  if (hWnd != nullptr) {
    if (!m_bEndModal && !(::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_VISIBLE)) {
      ::ShowWindow(hWnd, SW_SHOWNORMAL);
    }
    MSG msg;
    while (!m_bEndModal) {
      BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
      if (got == 0 || got == -1) {
        // A quit request ends every modal loop; pass it on to the outer ones.
        int code = got == 0 ? (int)msg.wParam : 0;
        if (CWinApp* app = AfxGetApp()) app->NoteQuitRequest(code);
        ::PostQuitMessage(code);
        m_nModalResult = -1;
        break;
      }
      if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
    }
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (reenable) ::EnableWindow(hOwner, TRUE);
  if (hOwner != nullptr && hWnd != nullptr && ::GetActiveWindow() == hWnd) {
    ::SetActiveWindow(hOwner);
  }
  if (hWnd != nullptr) ::DestroyWindow(hWnd);
  return m_nModalResult;
}
