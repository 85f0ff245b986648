#include "framework/AnimateCtrl.h"

#include <commctrl.h>

// ACM_OPENA (0x464) with no instance handle: the control looks the clip up in the
// resources of the module that created it.
BOOL CAnimateCtrl::Open(UINT nID) {
  return (BOOL)SendMessage(ACM_OPENA, 0, (LPARAM)MAKEINTRESOURCEA(nID));
}

BOOL CAnimateCtrl::Close() { return (BOOL)SendMessage(ACM_OPENA, 0, 0); }

BOOL CAnimateCtrl::Play(UINT nFrom, UINT nTo, UINT nRep) {
  return (BOOL)SendMessage(ACM_PLAY, (WPARAM)nRep, MAKELPARAM(nFrom, nTo));
}

BOOL CAnimateCtrl::Stop() { return (BOOL)SendMessage(ACM_STOP, 0, 0); }
