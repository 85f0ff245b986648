// vorcheck [--code-page N] [FOLDER]: checks a package folder (default: the current one)
// the way the installer will read it. Exit status 0 clean, 1 warnings only, 2 errors;
// 3 for a wrong command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "check/Folder.h"
#include "check/PackageCheck.h"

namespace {

// A code page number: 1 to 65535, in decimal.
bool ReadCodePage(const char* text, unsigned* number) {
  unsigned n = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9' || n > 6553) return false;
    n = n * 10 + static_cast<unsigned>(*p - '0');
  }
  if (n == 0 || n > 65535) return false;
  *number = n;
  return true;
}

int Usage(FILE* to, int status) {
  std::fputs(
      "usage: vorcheck [--code-page N] [FOLDER]\n"
      "Checks the package in FOLDER (default: the current folder): VOR.INI, the\n"
      "archive volumes and the description files, as the installer will meet them.\n"
      "--code-page N: the ANSI code page of the Windows the package is meant for, in\n"
      "which its texts are read (932, 936, 949 and 950 are double-byte; default: ",
      to);
  std::fputs(kDefaultCodePageName, to);
  std::fputs(").\nExit status: 0 clean, 1 warnings only, 2 errors, 3 a wrong command line.\n", to);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const char* folder = nullptr;
  CodePage cp = DefaultCodePage();
  unsigned page = 0;  // the default
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0 ||
        std::strcmp(arg, "/?") == 0) {
      return Usage(stdout, 0);
    }
    unsigned number = 0;
    if (std::strcmp(arg, "--code-page") == 0 && i + 1 < argc &&
        ReadCodePage(argv[i + 1], &number)) {
      cp = CodePage::ForNumber(number);
      page = number;
      ++i;
    } else if (std::strncmp(arg, "--code-page=", 12) == 0 && ReadCodePage(arg + 12, &number)) {
      cp = CodePage::ForNumber(number);
      page = number;
    } else if (arg[0] == '-' && arg[1] == '-') {
      std::fputs("vorcheck: ", stderr);
      std::fputs(arg, stderr);
      std::fputs(": unknown option, or a code page that is no number\n", stderr);
      return Usage(stderr, 3);
    } else if (folder == nullptr) {
      folder = arg;
    } else {
      return Usage(stderr, 3);
    }
  }
  const PackageReport report =
      CheckPackage(folder ? folder : ".", folder ? folder : std::string(), cp, page);
  std::fputs(FormatReport(report).c_str(), stdout);
  std::fflush(stdout);
  return report.ExitStatus();
}
