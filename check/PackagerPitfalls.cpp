#include "check/PackagerPitfalls.h"

#include <algorithm>

#include "config/PackageFiles.h"
#include "config/ProfileFile.h"

namespace {

constexpr uint64_t kMegabyte = 1000000;
constexpr uint64_t kSpaceSlackMegabytes = 10;

bool Separator(char c) { return c == '\\' || c == '/'; }

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string AmpersandsDoubled(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] != '&') continue;
    if (i + 1 < text.size() && text[i + 1] == '&')
      out += text[++i];
    else
      out += '&';
  }
  return out;
}

}  // namespace

size_t FindSingleAmpersand(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (i + 1 < text.size() && text[i + 1] == '&')
      ++i;
    else
      return i;
  }
  return std::string::npos;
}

std::string FolderThatMustExist(const std::string& text, const CodePage& cp) {
  const std::string folder = cp.SingleByteShape(text, 'x');
  // Where the folders that may be new start: after "X:", "X:\", "\", or "\\server\share\".
  size_t start = 0;
  if (folder.size() >= 2 && folder[1] == ':') start = 2;
  if (folder.size() >= 2 && Separator(folder[0]) && Separator(folder[1])) {
    start = 2;
    for (int part = 0; part < 2 && start < folder.size(); ++part) {
      while (start < folder.size() && !Separator(folder[start])) ++start;
      if (start < folder.size()) ++start;
    }
  }
  while (start < folder.size() && Separator(folder[start])) ++start;
  size_t end = folder.size();
  while (end > start && Separator(folder[end - 1])) --end;
  const size_t last = folder.find_last_of("\\/", end - 1);
  if (end <= start || last == std::string::npos || last < start) return std::string();
  size_t parentEnd = last;
  while (parentEnd > start && Separator(folder[parentEnd - 1])) --parentEnd;
  return text.substr(0, parentEnd);
}

bool SpaceFarAbove(uint32_t spaceRequired, uint64_t unpackedBytes) {
  const uint64_t needed = (unpackedBytes + kMegabyte - 1) / kMegabyte;
  return spaceRequired > 2 * needed && spaceRequired >= needed + kSpaceSlackMegabytes;
}

bool ArjShowsProgress(const std::string& program, const std::string& commandLine,
                      const CodePage& cp) {
  const size_t cut = cp.FindLastOf(program, "\\/:");
  const std::string name = program.substr(cut == std::string::npos ? 0 : cut + 1);
  if (!ProfileFile::SameName(name, "arj.exe") && !ProfileFile::SameName(name, "arj32.exe"))
    return false;
  for (size_t i = 0; i < commandLine.size();) {
    const size_t end = std::min(commandLine.find_first_of(" \t", i), commandLine.size());
    const std::string word = commandLine.substr(i, end - i);
    if (ProfileFile::SameName(word, "-i") || ProfileFile::SameName(word, "/i")) return false;
    i = end + 1;
  }
  return true;
}

std::vector<SettingFinding> SettingPitfalls(const InstallSettings& s, const CodePage& cp) {
  std::vector<SettingFinding> found;
  if (FindSingleAmpersand(s.AppName) != std::string::npos) {
    found.push_back({Severity::Warning, kAppNameKey,
                     "App_Name " + Quoted(s.AppName) +
                         " has a single &: the title line does not show it and underlines the "
                         "character after it; write && to show one (" +
                         Quoted(AmpersandsDoubled(s.AppName)) + ")"});
  }
  const std::string existing = FolderThatMustExist(s.InstallDir, cp);
  if (!existing.empty()) {
    const std::string shape = cp.SingleByteShape(s.InstallDir, 'x');
    const size_t last = shape.find_last_not_of("\\/");
    const size_t start = shape.find_last_of("\\/", last) + 1;
    found.push_back({Severity::Note, kDefaultDirectoryKey,
                     "Default_Directory " + Quoted(s.InstallDir) +
                         " needs more than one new folder on a clean machine: the installer "
                         "creates only the last one, " +
                         s.InstallDir.substr(start, last + 1 - start) + ", so " + existing +
                         " must exist on the user's machine"});
  }
  if (ArjShowsProgress(s.DecompressorProgram, s.CommandLine, cp)) {
    found.push_back({Severity::Note, kCommandLineKey,
                     "Command_Line has no -i: ARJ's progress indicator fills the log with "
                     "backspaces, which the log viewer shows as boxes; with -i the log holds "
                     "the same lines without them"});
  }
  return found;
}

std::vector<Finding> DescriptionPitfalls(const std::string& shownFile, const std::string& bytes) {
  size_t firstLine = 0, lines = 0, number = 1;
  for (size_t start = 0; start < bytes.size(); ++number) {
    const size_t end = std::min(bytes.find('\n', start), bytes.size());
    if (FindSingleAmpersand(bytes.substr(start, end - start)) != std::string::npos) {
      if (lines++ == 0) firstLine = number;
    }
    start = end + 1;
  }
  if (lines == 0) return {};
  return {Finding{Severity::Warning, shownFile, firstLine,
                  "a single & is not shown and underlines the character after it; write && to "
                  "show one" +
                      (lines > 1 ? " (" + std::to_string(lines - 1) + " more line" +
                                       (lines > 2 ? "s" : "") + " below)"
                                 : std::string())}};
}

Finding MissingInstallerNote(const std::string& shownFile) {
  return Finding{Severity::Note, shownFile, 0,
                 "not in the folder: users start the installer from the package folder (make "
                 "build leaves it in build/win32)"};
}
