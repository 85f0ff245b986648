// vorpack PAYLOAD OUTDIR --name TITLE --dir FOLDER --decompressor ARJ.EXE [options]:
// makes a package from a payload folder and checks it as vorcheck does (vorpack
// --help). Exit status: the check's (0 clean, 1 warnings only, 2 errors), 3 for a
// wrong command line, 4 when no package was made.
#include <cstdio>
#include <string>
#include <vector>

#include "check/FileOperations.h"
#include "check/PackageBuilder.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const PackResult result = RunVorpack(args, ProgramFolder());
  std::fputs(result.output.c_str(), stdout);
  std::fflush(stdout);
  std::fputs(result.errors.c_str(), stderr);
  return result.exitStatus;
}
