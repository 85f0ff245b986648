// The end-to-end tests' side of the driver (tools/driver/Driver.h): where the programs
// under test are, and one run of the installer under test.
#pragma once
#include <string>

#include "tests/common/TestFiles.h"
#include "tools/driver/Driver.h"

// Where the built programs and the sources are (Windows paths).
struct TestPaths {
  std::string bin;       // build folder of the tests: standin.exe
  std::string app;       // folder of the ZEZADERI.EXE under test
  std::string src;       // source tree
  std::string arj;       // the real decompressor, ARJ.EXE (tools/arj/build-arj.sh)
  std::string archives;  // archives made by Linux arj (tests/fixtures/make-real-archives.sh)
  std::string demo;      // the demo package (tools/make-demo-package.sh)
};
extern TestPaths g_paths;

// The installer's source folder in a test.
using SourceFolder = TempFolder;

// One run of the installer under test, started with the given folder as its current
// directory; a test failure if it does not start. Another program of the folder under
// test, with arguments after its quoted name and a show state for its window (none:
// -1), may be given; a program given by its full path ("T:\...") is started from
// there, its name unquoted.
class Installer : public DrivenProgram {
 public:
  explicit Installer(const std::string& startFolder, const std::string& program = "ZEZADERI.EXE",
                     const std::string& arguments = "", int show = -1);
};
