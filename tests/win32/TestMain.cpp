// Test program for the Win32 code: a framework application object, then GoogleTest.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/WinApp.h"

namespace {
class CTestApp : public CWinApp {};
CTestApp theTestApp;
}  // namespace

int main(int argc, char** argv) {
  theTestApp.InitApplication(::GetModuleHandleA(nullptr));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
