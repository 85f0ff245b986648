// Run only in the prefix where Wine answers as Windows 98 (VOR_WINE_VERSION=win98),
// together with the installation tests: the installer then takes the 95/98/Me
// family's way of watching the decompressor (its process, not its thread).
#include <gtest/gtest.h>

#include "tests/e2e/InstallFlow.h"

TEST(Family98, EveryProgramInThePrefixIsToldItRunsOnThe95Family) {
  EXPECT_NE(::GetVersion() & 0x80000000u, 0u) << std::hex << ::GetVersion();
  // The installer and its children run in the same prefix and are told the same.
  SourceFolder folder;
  PreparePackage(folder, "", "", "exit 0\r\n");
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string command = folder.File("unpacker.exe");
  ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               folder.Path().c_str(), &si, &pi));
  ::WaitForSingleObject(pi.hProcess, 10000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  EXPECT_EQ(ReadReport(folder.File("unpacker.report"))["version"].substr(0, 3), "0xC")
      << "the stand-in's GetVersion";
}
