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

bool ChooseFolder(const Installer& app, HWND mainDialog, const std::string& target) {
  Click(mainDialog, 1005);
  HWND folderDlg = app.WaitForWindow("Select Install Folder");
  if (folderDlg == nullptr) return false;
  ::SendMessageA(::GetDlgItem(folderDlg, 1014), WM_SETTEXT, 0, (LPARAM)target.c_str());
  Click(folderDlg, IDOK);
  bool closed = WaitUntil(
      [&] {
        if (!::IsWindow(folderDlg)) return true;
        HWND question = nullptr;
        for (HWND h : app.Windows()) {
          if (Text(h) == "Create Directory") question = h;
        }
        if (question != nullptr) Click(question, IDYES);
        return false;
      },
      15000);
  return closed;
}

MessageBoxView WaitForBox(const Installer& app, const std::string& caption, DWORD timeoutMs) {
  HWND box = app.WaitForWindow(caption, timeoutMs);
  if (box == nullptr) return MessageBoxView();
  // Let the box finish setting itself up before it is read.
  WaitUntil([&] { return !ControlText(box, 0xFFFF).empty() || !::IsWindow(box); }, 2000);
  return ReadMessageBox(box);
}

namespace {

bool InstallAndAnswer(const Installer& app, HWND mainDialog, const std::string& target, int answer) {
  if (!ChooseFolder(app, mainDialog, target)) return false;
  MessageBoxView done = WaitForBox(app, "Successful Installation");
  if (done.hwnd == nullptr) return false;
  Click(done.hwnd, answer);
  return WaitUntil([&] { return app.WaitForWindow("Decompressing Files", 0) == nullptr; });
}

}  // namespace

bool InstallAndDecline(const Installer& app, HWND mainDialog, const std::string& target) {
  return InstallAndAnswer(app, mainDialog, target, IDNO);
}

bool InstallAndAccept(const Installer& app, HWND mainDialog, const std::string& target) {
  return InstallAndAnswer(app, mainDialog, target, IDYES);
}
