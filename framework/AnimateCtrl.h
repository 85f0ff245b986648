// CAnimateCtrl: an animation control of a dialog (bound with DDX_Control) that plays
// an AVI clip from the program's resources.
#pragma once
#include "framework/Wnd.h"

class CAnimateCtrl : public CWnd {
 public:
  // Opens the clip of resource type "AVI" with this id; a control with the auto-play
  // style starts playing it at once and repeats it. True when the clip was opened.
  BOOL Open(UINT nID);
  // Closes the clip; the control stops and shows nothing.
  BOOL Close();
  // Plays frames nFrom to nTo (0xFFFF: the last), nRep times (-1: until stopped).
  BOOL Play(UINT nFrom = 0, UINT nTo = 0xFFFF, UINT nRep = (UINT)-1);
  BOOL Stop();
};
