// CProgressCtrl: a progress bar control of a dialog (bound with DDX_Control).
#pragma once
#include "framework/Wnd.h"

class CProgressCtrl : public CWnd {
 public:
  // The range, each bound handed over as a 16-bit value (0 to 65535).
  void SetRange(WORD nLower, WORD nUpper);
  void GetRange(int& nLower, int& nUpper) const;
  // Moves the bar; returns the previous position.
  int SetPos(int nPos);
  int GetPos() const;
};
