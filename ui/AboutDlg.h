#pragma once
#include "framework/Dialog.h"

// The About box, reached from the main dialog's system menu.
class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
};
