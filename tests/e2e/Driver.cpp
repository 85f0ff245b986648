#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

TestPaths g_paths;

Installer::Installer(const std::string& startFolder, const std::string& program,
                     const std::string& arguments, int show)
    : DrivenProgram(g_paths.app + "\\" + program, startFolder, arguments, show) {
  if (!Started()) ADD_FAILURE() << StartError();
}
