// vorcheck [FOLDER]: checks a package folder (default: the current one) the way the
// installer will read it. Exit status 0 clean, 1 warnings only, 2 errors; 3 for a
// wrong command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "check/PackageCheck.h"

int main(int argc, char** argv) {
  if (argc > 2 ||
      (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0 ||
                     std::strcmp(argv[1], "/?") == 0))) {
    std::fputs(
        "usage: vorcheck [FOLDER]\n"
        "Checks the package in FOLDER (default: the current folder): VOR.INI, the\n"
        "archive volumes and the description files, as the installer will meet them.\n"
        "Exit status: 0 clean, 1 warnings only, 2 errors, 3 a wrong command line.\n",
        argc > 2 ? stderr : stdout);
    return argc > 2 ? 3 : 0;
  }
  const std::string folder = argc == 2 ? argv[1] : ".";
  const PackageReport report = CheckPackage(folder, argc == 2 ? folder : std::string());
  std::fputs(FormatReport(report).c_str(), stdout);
  std::fflush(stdout);
  return report.ExitStatus();
}
