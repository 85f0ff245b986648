#pragma once
#include "framework/WinApp.h"

// The installer's application object: its start-up step runs the main dialog
// modally and then ends the program.
class CSetupApp : public CWinApp {
 public:
  CSetupApp();
  ~CSetupApp() override;
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};
