#include "tests/e2e/InstallFlow.h"

#include <gtest/gtest.h>

void PreparePackage(const SourceFolder& folder, const std::string& installKeys,
                    const std::string& decompressionKeys, const std::string& script) {
  PreparePackageIn(folder.Path(), installKeys, decompressionKeys, script);
}

void PreparePackageIn(const std::string& dir, const std::string& installKeys,
                      const std::string& decompressionKeys, const std::string& script) {
  // A drive root ends in its separator; a folder may end in a trail byte 0x5C.
  const bool root = dir.size() == 3 && dir.compare(1, 2, ":\\") == 0;
  const std::string prefix = root ? dir : dir + "\\";
  std::string ini = "[INSTALL]\r\n";
  if (installKeys.find("App_Name=") == std::string::npos) ini += "App_Name=E2E Package\r\n";
  ini += installKeys + "[DECOMPRESSION]\r\n";
  if (decompressionKeys.find("Use_Program=") == std::string::npos) ini += "Use_Program=unpacker\r\n";
  ini += decompressionKeys;
  WriteWholeFile(prefix + "VOR.INI", ini);
  ASSERT_TRUE(::CopyFileA((g_paths.bin + "\\standin.exe").c_str(), (prefix + "unpacker.exe").c_str(), FALSE));
  WriteWholeFile(prefix + "unpacker.script", script);
}

HWND WaitForShellQuestion(const Installer& app) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND h : app.Windows()) {
      if (::GetDlgItem(h, IDYES) != nullptr && Text(h) != "VOR Custom Installer") found = h;
    }
    return found != nullptr;
  });
  return found;
}
