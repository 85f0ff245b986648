// Runs a console program and collects what it writes: the archiver that makes a
// package's volumes. One implementation over POSIX (ChildProcessPosix.cpp), one over
// Win32 (ChildProcessWin32.cpp).
#pragma once
#include <string>
#include <vector>

// ARJ's default switches, which it adds to every command line: they would change the
// package behind the packager's back (-e drops every folder).
constexpr char kArchiverSwitches[] = "ARJ_SW";

struct ChildRun {
  bool started = false;  // false: the program could not be started; `why` says why
  int exitCode = 0;
  std::string output;  // its standard output and standard error, as they came
  std::string why;
};

// Runs `program` (a path, or a name the platform searches for the usual way) with
// `arguments`, each handed on as one argument, in the folder `workDir`, with an empty
// input and our environment without kArchiverSwitches; waits for its end.
ChildRun RunChild(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workDir);

// The archiver that makes a package's volumes when the packager names none: natively
// Debian's arj, found on the path; on Windows the ARJ.EXE the package ships, which
// makes volumes too, with the same arguments.
std::string DefaultArchiver(const std::string& decompressor);
