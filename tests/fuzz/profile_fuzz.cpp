// Fuzzes the profile reader and the settings rules with arbitrary file contents.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/InstallSettings.h"
#include "config/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const ProfileFile file = ProfileFile::Parse(bytes);
  InstallSettings s;
  ReadInstallSettings(file, s, CodePage());

  if (s.AppName.size() > 99 || s.AppSetup.size() > 99 || s.FirstFile.size() > 99) std::abort();
  if (s.InstallDir.size() > 999 || s.InstallDir.size() == 3) std::abort();
  if (s.DecompressorProgram.size() < 4 || s.DecompressorProgram.size() > 103 ||
      s.DecompressorProgram.substr(s.DecompressorProgram.size() - 4) != ".exe") {
    std::abort();
  }
  if (s.CommandLine.size() > 102 ||
      (s.CommandLine.find("-y") == std::string::npos &&
       s.CommandLine.find("-Y") == std::string::npos)) {
    std::abort();
  }
  // A found value is what GetString gives with room enough, and GetInt scans it.
  CString v;
  if (file.Find("INSTALL", "App_Name", &v)) {
    if (file.GetString("INSTALL", "App_Name", "", v.size() + 1, CodePage()) != v) std::abort();
    if (file.GetInt("INSTALL", "App_Name", 7) != ProfileFile::ScanInt(v)) std::abort();
  }
  // The line-by-line account agrees with the lookups: a key in the first section of its
  // name is found on its own line, or on an earlier one of the same name.
  std::vector<bool> firstOfName(1, false);
  for (const ProfileFile::Line& line : ProfileFile::Inspect(bytes)) {
    if (line.kind == ProfileFile::LineKind::Section) firstOfName.push_back(line.earlierLine == 0);
    if (line.kind != ProfileFile::LineKind::Key || !firstOfName[line.section]) continue;
    const size_t found = file.LineOf(line.sectionName, line.name);
    if (found != (line.earlierLine ? line.earlierLine : line.number)) std::abort();
  }
  return 0;
}
