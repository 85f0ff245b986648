// vorpack, the package builder: from a payload folder and a few settings it makes a
// package folder (the archive volumes, made by the archiver, VOR.INI with the volumes
// counted and the space worked out from them, the installer, the decompressor and the
// two descriptions) and checks it as vorcheck does. Bad input stops it before anything
// is written; a failure later removes what the run made, and nothing else.
#pragma once
#include <string>
#include <vector>

constexpr int kPackCommandLineStatus = 3;  // a wrong command line
constexpr int kPackNotMadeStatus = 4;      // no package made

struct PackResult {
  int exitStatus = 0;  // the check's (0 clean, 1 warnings only, 2 errors), else one above
  std::string output;  // for standard output: the steps, then the check's report
  std::string errors;  // for standard error: why no package was made
};

// Everything vorpack does for the arguments after its name. `programFolder` is the
// folder of the running program, where the installer to ship is looked for.
PackResult RunVorpack(const std::vector<std::string>& args, const std::string& programFolder);

// The installer a package ships when the packager names none: ZEZADERI.EXE beside the
// running program (VORPACK.EXE is built beside it, and they are handed on together),
// else in the Windows build beside a native build (build/native/vorpack and
// build/win32/ZEZADERI.EXE). "" when neither is there.
std::string DefaultInstaller(const std::string& programFolder);
