// End-to-end tests: start the real installer and drive it from outside.
// Arguments: --bin=<build folder> --src=<source tree> (Unix or Windows paths),
// --app=<folder of the ZEZADERI.EXE to test> when that is not the build folder, and for
// the real decompressor --arj=<ARJ.EXE> --archives=<folder> --demo=<demo package>.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/e2e/Driver.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--bin=", 6) == 0) g_paths.bin = WindowsPath(argv[i] + 6);
    if (std::strncmp(argv[i], "--src=", 6) == 0) g_paths.src = WindowsPath(argv[i] + 6);
    if (std::strncmp(argv[i], "--app=", 6) == 0) g_paths.app = WindowsPath(argv[i] + 6);
    if (std::strncmp(argv[i], "--arj=", 6) == 0) g_paths.arj = WindowsPath(argv[i] + 6);
    if (std::strncmp(argv[i], "--archives=", 11) == 0) g_paths.archives = WindowsPath(argv[i] + 11);
    if (std::strncmp(argv[i], "--demo=", 7) == 0) g_paths.demo = WindowsPath(argv[i] + 7);
  }
  if (g_paths.bin.empty()) {
    std::fprintf(stderr, "usage: vor_e2e_tests --bin=<build folder> --src=<source tree>\n");
    return 2;
  }
  if (g_paths.app.empty()) g_paths.app = g_paths.bin;
  return RUN_ALL_TESTS();
}
