#include "framework/ProgressCtrl.h"

#include <commctrl.h>

void CProgressCtrl::SetRange(WORD nLower, WORD nUpper) {
  SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
  PBRANGE range = {};
  SendMessage(PBM_GETRANGE, FALSE, (LPARAM)&range);
  nLower = range.iLow;
  nUpper = range.iHigh;
}

int CProgressCtrl::SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)nPos, 0); }

int CProgressCtrl::GetPos() const { return (int)SendMessage(PBM_GETPOS, 0, 0); }
