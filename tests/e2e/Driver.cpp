#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

TestPaths g_paths;

namespace {
bool IsFullPath(const std::string& program) { return program.find(':') != std::string::npos; }
}  // namespace

Installer::Installer(const std::string& startFolder, const std::string& program,
                     const std::string& arguments, int show)
    : DrivenProgram(IsFullPath(program) ? program : g_paths.app + "\\" + program, startFolder, arguments,
                    show, !IsFullPath(program)) {
  if (!Started()) ADD_FAILURE() << StartError();
}
