// The installer started from a folder that others can write to: DLLs planted beside it
// under the names of system DLLs must never be loaded, and it states the rights it asks
// Windows for in a manifest of its own.
#include <gtest/gtest.h>

#include "tests/e2e/InstallFlow.h"

namespace {

// Names the installer's process loads, or has the system load for it: the common
// controls (the progress bar and the animation), the themes with the first window, and
// the video and sound libraries for the progress dialog's clip.
const char* const kPlanted[] = {"comctl32.dll", "uxtheme.dll", "msvfw32.dll", "winmm.dll"};

// A viewer, a whole installation with the progress dialog's clip, the removal through the
// shell, and the end.
void UseEverything(const SourceFolder& folder, const std::string& target) {
  // Wine prefers its built-in DLLs to these names only where told to (the test's
  // environment, cmake/windows.cmake): the control shows that it was.
  Installer app(folder.Path(), folder.File("ZEZADERI.EXE"));
  HWND dlg = app.MainDialog();
  ASSERT_NE(dlg, nullptr);
  Click(dlg, 1000);  // View Da NFO
  HWND viewer = app.WaitForWindow("Viewing - VOR.nfo");
  ASSERT_NE(viewer, nullptr);
  ::PostMessageA(viewer, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(viewer); }));

  ASSERT_TRUE(InstallAndDecline(app, dlg, target));
  EXPECT_TRUE(FileExists(target + "\\README.TXT"));
  ASSERT_TRUE(WaitUntil([&] { return ControlEnabled(dlg, 1004); }));
  Click(dlg, 1004);  // Remove Install Directory
  HWND question = WaitForShellQuestion(app);
  ASSERT_NE(question, nullptr);
  Click(question, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return !DirectoryExists(target); }));
  Click(dlg, IDCANCEL);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(PlantedDll, NoneIsLoadedThroughAWholeInstallationAViewerAndTheRemoval) {
  SourceFolder folder;
  const std::string target = folder.File("installed");
  const std::string planted = g_paths.bin + "\\planted.dll";
  for (const char* name : kPlanted) ASSERT_TRUE(::CopyFileA(planted.c_str(), folder.File(name).c_str(), FALSE));
  ASSERT_TRUE(::CreateDirectoryA(folder.File("control").c_str(), nullptr));
  const std::string control = folder.File("control\\uxtheme.dll");
  ASSERT_TRUE(::CopyFileA(planted.c_str(), control.c_str(), FALSE));
  ASSERT_TRUE(::CopyFileA((g_paths.app + "\\ZEZADERI.EXE").c_str(), folder.File("ZEZADERI.EXE").c_str(), FALSE));
  folder.Write("VOR.nfo", "A package started from a Downloads folder.\r\n");
  PreparePackage(folder, "Default_Directory=" + target + "\r\n", "Total_Disks=2\r\n",
                 "line Processing archive: DISK1.ARJ\r\nsleep 1500\r\n"
                 "line Extracting README.TXT    OK\r\nfile README.TXT 100\r\nexit 0\r\n");

  // The control: a program started as the installer is (the stand-in) loads a planted
  // DLL by its path, and it leaves its marker.
  ASSERT_TRUE(::CopyFileA((g_paths.bin + "\\standin.exe").c_str(), folder.File("control\\probe.exe").c_str(), FALSE));
  folder.Write("control\\probe.script", "load " + control + "\r\n");
  DrivenProgram probe(folder.File("control\\probe.exe"), folder.Path());
  ASSERT_EQ(probe.WaitForExit(), 0u);
  ASSERT_TRUE(FileExists(control + ".loaded")) << "a planted DLL that is loaded leaves its marker";

  UseEverything(folder, target);
  for (const char* name : kPlanted) {
    EXPECT_FALSE(FileExists(folder.File(name) + ".loaded")) << "the planted " << name << " ran in the installer";
  }
}

// The manifest, id 1 of type 24: what Windows reads before the program starts.
TEST(PlantedDll, TheManifestStatesTheRightsAndNothingElse) {
  const std::string exe = g_paths.app + "\\ZEZADERI.EXE";
  HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr) << "no manifest";
  const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
  const std::string manifest(bytes, ::SizeofResource(module, found));
  ::FreeLibrary(module);

  EXPECT_EQ(manifest.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"", 0), 0u);
  EXPECT_NE(manifest.find("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v2\">"), std::string::npos)
      << "trustInfo with one namespace, as every Windows XP service pack reads it";
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>"),
            std::string::npos);
  for (const char* absent : {"Common-Controls", "dpiAware", "compatibility", "supportedOS"}) {
    EXPECT_EQ(manifest.find(absent), std::string::npos) << absent;
  }
  // Well-formed and understood: the system makes an activation context from it.
  ACTCTXA context = {};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = exe.c_str();
  context.lpResourceName = MAKEINTRESOURCEA(1);
  HANDLE made = ::CreateActCtxA(&context);
  EXPECT_NE(made, INVALID_HANDLE_VALUE) << "error " << ::GetLastError();
  if (made != INVALID_HANDLE_VALUE) ::ReleaseActCtx(made);
}

}  // namespace
