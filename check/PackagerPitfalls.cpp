#include "check/PackagerPitfalls.h"

#include <algorithm>
#include <map>

#include "config/PackageFiles.h"
#include "config/ProfileFile.h"

namespace {

constexpr uint64_t kMegabyte = 1000000;
constexpr uint64_t kSpaceSlackMegabytes = 10;

bool Separator(char c) { return c == '\\' || c == '/'; }

// The folders below a drive's root that every Windows has.
const char* const kFoldersOfACleanMachine[] = {"c:\\program files", "c:\\program files (x86)",
                                               "c:\\windows"};

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
  std::string known = cp.FoldedCase(folder.substr(0, parentEnd));
  for (char& c : known) c = c == '/' ? '\\' : c;
  for (const char* clean : kFoldersOfACleanMachine) {
    if (known == clean) return std::string();
  }
  return text.substr(0, parentEnd);
}

std::string NotAbsoluteFolder(const std::string& text, const CodePage& cp) {
  const std::string folder = cp.SingleByteShape(text, 'x');
  const bool drive = folder.size() >= 2 && folder[1] == ':' &&
                     ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
  // "C:" alone is the root as the installer holds it ("C:\\" by the root rule).
  if (drive && (folder.size() == 2 || Separator(folder[2]))) return std::string();
  if (folder.size() >= 2 && Separator(folder[0]) && Separator(folder[1])) {
    const size_t server = folder.find_first_of("\\/", 2);
    if (server != 2 && server != std::string::npos && server + 1 < folder.size() &&
        !Separator(folder[server + 1])) {
      return std::string();
    }
    return "names no share (\\\\server\\share\\folder)";
  }
  if (drive) {
    return "is relative to the current folder of drive " + text.substr(0, 2) +
           ", whatever that is on the user's machine (a \"\\\" after \"" + text.substr(0, 2) +
           "\" is missing: an unquoted C:\\Folder in a Linux shell loses it)";
  }
  if (!folder.empty() && Separator(folder[0])) {
    return "names no drive: it lies on whatever drive the installer is started from (a CD)";
  }
  return "is relative: it lies in the folder the installer is started from, the package "
         "folder (a CD)";
}

std::string WindowsNameProblem(const std::string& name, const CodePage& cp) {
  const std::string shape = cp.SingleByteShape(name, 'x');
  for (char c : shape) {
    if (static_cast<unsigned char>(c) < 0x20) return "a control character";
    if (c == '\\') return "a backslash, which Windows takes for a folder";
    if (std::string("<>:\"|?*").find(c) != std::string::npos) {
      return std::string("\"") + c + "\", which no Windows name holds";
    }
  }
  if (!shape.empty() && (shape.back() == '.' || shape.back() == ' ')) {
    return std::string("a trailing ") + (shape.back() == '.' ? "dot" : "blank") +
           ", which Windows drops";
  }
  std::string base = shape.substr(0, shape.find('.'));
  std::transform(base.begin(), base.end(), base.begin(),
                 [](char c) { return static_cast<char>(ProfileFile::FoldCase(c)); });
  while (!base.empty() && base.back() == ' ') base.pop_back();
  const bool numbered = base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
                        (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0);
  if (numbered || base == "con" || base == "prn" || base == "aux" || base == "nul") {
    return "the device name " + name.substr(0, base.size()) +
           ", which Windows opens instead of a file";
  }
  return std::string();
}

std::string WindowsFoldedName(const std::string& name, const CodePage& cp, unsigned page) {
  std::string folded = cp.FoldedCase(name);
  if (page != 1252) return folded;
  for (char& ch : folded) {
    const unsigned char c = static_cast<unsigned char>(ch);
    unsigned char lower = c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) lower = static_cast<unsigned char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E) lower = static_cast<unsigned char>(c + 0x10);
    if (c == 0x9F) lower = 0xFF;
    ch = static_cast<char>(lower);
  }
  return folded;
}

std::vector<std::pair<std::string, std::string>> CaseTwins(const std::vector<std::string>& paths,
                                                           const CodePage& cp, unsigned page) {
  std::map<std::string, std::string> files, folders;  // folded: the first path so spelt
  for (const std::string& path : paths) {
    for (size_t i = 0; i < path.size(); i += cp.CharLength(path, i)) {
      if (path[i] == '/') folders.emplace(WindowsFoldedName(path.substr(0, i), cp, page), path.substr(0, i));
    }
  }
  std::vector<std::pair<std::string, std::string>> twins;
  for (const std::string& path : paths) {
    const std::string folded = WindowsFoldedName(path, cp, page);
    const auto folder = folders.find(folded);
    if (folder != folders.end()) twins.emplace_back(path, folder->second + "/");
    const auto file = files.emplace(folded, path);
    if (!file.second && file.first->second != path) twins.emplace_back(path, file.first->second);
  }
  return twins;
}

std::string LongestTargetPath(const std::string& folder, const std::vector<std::string>& paths,
                              const CodePage& cp) {
  std::string longest;
  for (const std::string& path : paths) {
    if (path.size() > longest.size()) longest = path;
  }
  std::string target = folder;
  if (!cp.EndsWith(target, '\\') && !cp.EndsWith(target, '/')) target += '\\';
  for (size_t i = 0; i < longest.size(); i += cp.CharLength(longest, i)) {
    target += longest[i] == '/' ? '\\' : longest[i];
    if (cp.CharLength(longest, i) == 2) target += longest[i + 1];
  }
  return target;
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
  const std::string notAbsolute = NotAbsoluteFolder(s.InstallDir, cp);
  const std::string existing = notAbsolute.empty() ? FolderThatMustExist(s.InstallDir, cp) : "";
  if (!notAbsolute.empty()) {
    found.push_back({Severity::Error, kDefaultDirectoryKey,
                     "Default_Directory " + Quoted(s.InstallDir) + " " + notAbsolute +
                         ": write a full path, such as C:\\PixelNotes"});
  } else if (!existing.empty()) {
    const std::string shape = cp.SingleByteShape(s.InstallDir, 'x');
    const size_t last = shape.find_last_not_of("\\/");
    const size_t start = shape.find_last_of("\\/", last) + 1;
    found.push_back({Severity::Warning, kDefaultDirectoryKey,
                     "Default_Directory " + Quoted(s.InstallDir) +
                         " needs more than one new folder on a clean machine: the installer "
                         "creates only the last one, " +
                         s.InstallDir.substr(start, last + 1 - start) + ", so " + existing +
                         " must exist on the user's machine, or it fails with \"Cannot "
                         "Create\"; offer a folder one level below the root"});
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
