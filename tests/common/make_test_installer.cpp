// make_test_installer SOURCEDIR OUT: writes a program file with the installer's own logo
// and icon (tests/common/TestInstaller.h) where a test needs a ZEZADERI.EXE and the
// native build has none.
#include <cstdio>

#include "tests/common/TestInstaller.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: make_test_installer SOURCEDIR OUT\n", stderr);
    return 2;
  }
  const std::string exe = OurTestInstaller(argv[1]);
  std::FILE* f = std::fopen(argv[2], "wb");
  const bool written = f != nullptr && std::fwrite(exe.data(), 1, exe.size(), f) == exe.size();
  return f != nullptr && std::fclose(f) == 0 && written ? 0 : 1;
}
