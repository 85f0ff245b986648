#include "check/PackageCheck.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "check/ArjHeaders.h"
#include "check/Folder.h"
#include "check/InstallerFace.h"
#include "check/PackagerPitfalls.h"
#include "check/TextConversion.h"
#include "check/Utf8.h"
#include "config/PackageFiles.h"
#include "config/ProfileFile.h"
#include "install/InstallTexts.h"
#include "install/ProgressRange.h"
#include "viewer/ViewerTexts.h"

namespace {

const char* const kSectionNames[] = {"INSTALL", "DECOMPRESSION"};
const char* const kDescriptionFiles[] = {kNfoFileName, kFileIdFileName};
constexpr size_t kMaxConfigBytes = 16u << 20;
constexpr uint64_t kMegabyte = 1000000;
constexpr char kBlankOrTab[] = " \t";  // where the setup split ends a program's name

// Letters compare as the profile reader compares names: without regard to case.
bool SameLetter(char a, char b) { return ProfileFile::FoldCase(a) == ProfileFile::FoldCase(b); }

// The text with each single-byte character `from` (never a trail byte) made `to`.
std::string Replaced(const std::string& text, char from, char to, const CodePage& cp) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); i += cp.CharLength(out, i)) {
    if (out[i] == from) out[i] = to;
  }
  return out;
}

// File names compare as the platform compares them: single-byte letters without regard
// to case, double-byte characters as they are.
bool SameFileName(const std::string& a, const std::string& b, const CodePage& cp) {
  return a.size() == b.size() && cp.FoldedCase(a) == cp.FoldedCase(b);
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string Grouped(uint64_t n) {
  std::string digits = std::to_string(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string Plural(size_t n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// Archived names use "/" between folders; the installer joins names with "\".
bool SamePath(const std::string& a, const std::string& b, const CodePage& cp) {
  return SameFileName(Replaced(a, '\\', '/', cp), Replaced(b, '\\', '/', cp), cp);
}

int SettingIndex(const std::string& name) {
  for (int i = 0; i < kSettingKeyCount; ++i) {
    if (ProfileFile::SameName(name, kSettingKeys[i].name)) return i;
  }
  return -1;
}

bool IsReadSection(const std::string& name) {
  for (const char* s : kSectionNames) {
    if (ProfileFile::SameName(name, s)) return true;
  }
  return false;
}

class Checker {
 public:
  Checker(const std::string& folder, const std::string& shown, const CodePage& cp, unsigned page)
      : m_folder(folder), m_shown(shown), m_cp(cp), m_page(page != 0 ? page : DefaultAnsiCodePage()) {
    TargetCodePages pages;
    std::string why;
    if (FindCodePages(m_page, &pages, &why)) m_oemPage = pages.oem;
  }

  PackageReport Run();

 private:
  std::string Join(const std::string& folder, const std::string& name) const {
    return JoinPath(folder, name, m_cp);
  }
  std::string Shown(const std::string& name) const { return Join(m_shown, name); }
  void Add(Severity severity, const std::string& file, size_t line, const std::string& text) {
    m_report.findings.push_back(Finding{severity, file, line, text});
  }
  void AtKey(Severity severity, SettingKeyIndex key, const std::string& text) {
    Add(severity, m_report.configFile, m_account[key].line, text);
  }
  // The entry of that name, as the platform matches names (without regard to case):
  // a file before a folder, and the one spelt exactly so before one that differs in
  // case only.
  const FolderEntry* Entry(const std::vector<FolderEntry>& listing, const std::string& name) const;
  const FolderEntry* Entry(const std::string& name) const { return Entry(m_entries, name); }

  bool ReadConfig(std::string* bytes);
  void ExamineLines(const CPlainArray<ProfileFile::Line>& lines);
  void ExamineKeyLine(const ProfileFile::Line& line, bool sectionIsFirst);
  void ExplainSettings();
  void CheckValues();
  void CheckArchives();
  void CheckSetupProgram(size_t files);
  // Where the archives lie: the package folder or a folder in it.
  struct ArchiveFolder {
    std::string path, shown;
    std::vector<FolderEntry> entries;
  };
  void ReadSet(const ArchiveFolder& folder, const std::string& first,
               std::vector<std::string>* claimed);
  void CheckEntries(const arj::VolumeHeaders& volume, const std::string& shown);
  void CheckPaths();
  void CheckFolderFiles();
  void CheckDescription(const FolderEntry& entry);
  // The text as users see it in code page `page`, for a finding about UTF-8 in it.
  std::string SeenAs(const std::string& text, unsigned page) const;

  std::string m_folder, m_shown;
  CodePage m_cp;  // of the package's texts: VOR.INI and the names in the folder
  unsigned m_page;         // its number
  unsigned m_oemPage = 0;  // the descriptions' code page; 0: not known here
  std::vector<FolderEntry> m_entries;
  SettingsAccount m_account;  // where each setting came from, as the installer reads it
  PackageReport m_report;
  bool m_archivesRead = false;           // every volume read without damage
  std::vector<std::string> m_fileNames;  // archived files of every set
  std::vector<std::pair<std::string, std::string>> m_entryPaths;  // every file's, "/" between
                                                                  // folders, and its volume
};

const FolderEntry* Checker::Entry(const std::vector<FolderEntry>& listing,
                                  const std::string& name) const {
  // In order of preference: a file of that exact name, one that differs in case only,
  // then a folder in the same order. Where a file is wanted, a folder that is only
  // named like it is never taken for it.
  const FolderEntry* found[4] = {};
  for (const FolderEntry& e : listing) {
    const size_t rank = e.isFolder ? 2 : 0;
    if (e.name == name) {
      found[rank] = &e;
    } else if (found[rank + 1] == nullptr && SameFileName(e.name, name, m_cp)) {
      found[rank + 1] = &e;
    }
  }
  for (const FolderEntry* e : found) {
    if (e != nullptr) return e;
  }
  return nullptr;
}

PackageReport Checker::Run() {
  m_report.configFile = Shown(kConfigFileName);
  if (!ListFolder(m_folder, m_cp, &m_entries)) {
    Add(Severity::Error, m_shown.empty() ? "." : m_shown, 0,
        "the folder cannot be listed: nothing to check");
    return m_report;
  }
  std::string bytes;
  const bool configRead = ReadConfig(&bytes);
  // An absent or unreadable file reads as an empty one: every value its default.
  m_account = ReadInstallSettings(configRead ? ProfileFile::Parse(bytes) : ProfileFile(),
                                  m_report.settings, m_cp);
  if (configRead) ExamineLines(ProfileFile::Inspect(bytes));
  ExplainSettings();
  CheckValues();
  for (const SettingFinding& f : SettingPitfalls(m_report.settings, m_cp)) {
    AtKey(f.severity, f.key, f.message);
  }
  CheckArchives();
  CheckPaths();
  CheckFolderFiles();
  std::stable_sort(m_report.findings.begin(), m_report.findings.end(),
                   [](const Finding& a, const Finding& b) {
                     return a.file != b.file ? a.file < b.file : a.line < b.line;
                   });
  return m_report;
}

bool Checker::ReadConfig(std::string* bytes) {
  const FolderEntry* entry = Entry(kConfigFileName);
  if (entry == nullptr) {
    Add(Severity::Error, m_report.configFile, 0,
        "missing: the installer stops with " + Quoted(kMissingConfigMessage));
    return false;
  }
  if (entry->isFolder) {
    Add(Severity::Warning, m_report.configFile, 0,
        "is a folder: the installer finds it but takes every value's default");
    return false;
  }
  std::string why;
  std::unique_ptr<FileSource> file = FileSource::Open(Join(m_folder, entry->name), &why);
  if (file && file->Size() > kMaxConfigBytes) {
    Add(Severity::Error, m_report.configFile, 0,
        "is larger than 16 MB: vorcheck does not read it, and checks the rest of the "
        "package as if every key took its default");
    return false;
  }
  if (file && why.empty()) {
    *bytes = file->ReadFront(kMaxConfigBytes);
    if (bytes->size() != file->Size()) why = "cannot be read";
  }
  if (!why.empty()) {
    Add(Severity::Error, m_report.configFile, 0, why + ": the installer takes every default");
    return false;
  }
  return true;
}

void Checker::ExamineLines(const CPlainArray<ProfileFile::Line>& lines) {
  using Kind = ProfileFile::LineKind;
  std::vector<bool> sectionIsFirst(1, true);
  std::vector<std::string> sectionNames(kSectionNames, kSectionNames + 2);
  const std::string& file = m_report.configFile;
  for (const ProfileFile::Line& line : lines) {
    if (line.carriageReturnInside) {
      Add(Severity::Warning, file, line.number,
          "carriage return inside the line: the reader splits lines at line feeds only, "
          "so what follows it belongs to this line");
    }
    const std::string where =
        line.section == 0 ? "outside any section" : "in [" + line.sectionName + "]";
    switch (line.kind) {
      case Kind::Blank:
      case Kind::Comment:
        break;
      case Kind::UnclosedSection:
        Add(Severity::Warning, file, line.number,
            "section header without ']': the reader ignores the line; the keys after it "
            "stay " +
                where);
        break;
      case Kind::NoEquals:
        Add(Severity::Warning, file, line.number, "line without '=': the reader ignores it");
        break;
      case Kind::Section: {
        sectionIsFirst.push_back(line.earlierLine == 0);
        if (line.earlierLine != 0) {
          Add(Severity::Warning, file, line.number,
              "second [" + line.name +
                  "] section: the reader ignores it and its keys (the "
                  "first is at line " +
                  std::to_string(line.earlierLine) + ")");
        } else if (!IsReadSection(line.name)) {
          const std::string near = NearestName(line.name, sectionNames);
          if (near.empty()) {
            Add(Severity::Note, file, line.number,
                "section [" + line.name + "] is not read by the installer");
          } else {
            Add(Severity::Warning, file, line.number,
                "unknown section [" + line.name + "] (did you mean [" + near +
                    "]?): the installer does not read it");
          }
        }
        break;
      }
      case Kind::Key:
        ExamineKeyLine(line, sectionIsFirst[line.section]);
        break;
    }
  }
}

void Checker::ExamineKeyLine(const ProfileFile::Line& line, bool sectionIsFirst) {
  const std::string& file = m_report.configFile;
  if (!sectionIsFirst) return;  // reported with its section
  const int index = SettingIndex(line.name);
  if (index < 0) {
    if (line.section != 0 && !IsReadSection(line.sectionName)) return;
    std::vector<std::string> names;
    for (const SettingKey& k : kSettingKeys) names.push_back(k.name);
    const std::string near = NearestName(line.name, names);
    Add(Severity::Warning, file, line.number,
        "unknown key " + line.name + (near.empty() ? "" : " (did you mean " + near + "?)") +
            ": the installer ignores it");
    return;
  }
  const SettingKey& key = kSettingKeys[index];
  if (!ProfileFile::SameName(line.sectionName, key.section)) {
    const size_t used = m_account[index].line;
    Add(Severity::Warning, file, line.number,
        std::string(key.name) + " belongs in [" + key.section +
            "]: " + (line.section == 0 ? "outside any section" : "in [" + line.sectionName + "]") +
            " the installer does not see it and " +
            (used ? "uses line " + std::to_string(used) : std::string("takes the default")));
  } else if (line.earlierLine != 0) {
    Add(Severity::Warning, file, line.number,
        "second " + std::string(key.name) + " in [" + line.sectionName +
            "]: ignored; the installer uses line " + std::to_string(line.earlierLine));
  }
}

void Checker::ExplainSettings() {
  for (int i = 0; i < kSettingKeyCount; ++i) {
    const SettingKeyIndex key = static_cast<SettingKeyIndex>(i);
    const SettingSource& source = m_account[i];
    SettingOrigin o{key, SettingValue(m_report.settings, key), "default"};
    if (source.line != 0) o.origin = kConfigFileName + (":" + std::to_string(source.line));
    if (source.cut)
      o.origin += ", cut to " + std::to_string(kSettingKeys[i].bufferSize - 1) + " characters";
    if (source.rootRule) o.origin += ", root rule";
    if (source.exeAppended) o.origin += ", \".exe\" appended";
    if (source.switchAppended) o.origin += ", \" -y\" appended";
    if (!kSettingKeys[i].isText && source.line != 0 && source.read != o.value)
      o.origin += ", read from " + Quoted(source.read);
    m_report.origins.push_back(o);
  }
}

void Checker::CheckValues() {
  const InstallSettings& s = m_report.settings;
  for (int i = 0; i < kSettingKeyCount; ++i) {
    const SettingKey& key = kSettingKeys[i];
    const SettingKeyIndex k = static_cast<SettingKeyIndex>(i);
    const SettingSource& source = m_account[i];
    if (source.line == 0) continue;
    const std::string& raw = source.read;
    const std::string name = key.name;
    if (key.isText && !m_cp.IsDoubleByte() && IsUtf8BeyondAscii(raw)) {
      AtKey(Severity::Warning, k,
            name + " " + Quoted(raw) + " is UTF-8: the installer reads VOR.INI in code page " +
                std::to_string(m_page) + " and shows " + Quoted(SeenAs(raw, m_page)) +
                "; save VOR.INI in code page " + std::to_string(m_page) +
                " (vorpack writes it so)");
    }
    if (key.isText) {
      if (source.cut) {
        // In a double-byte code page the limit counts bytes, and a character that
        // would not fit whole is left out.
        const std::string unit = m_cp.IsDoubleByte() ? " bytes" : " characters";
        const size_t kept = m_cp.CutPoint(raw, key.bufferSize - 1);
        AtKey(Severity::Warning, k,
              name + " is " + std::to_string(raw.size()) + unit +
                  " long: the installer keeps the first " + std::to_string(kept) +
                  (m_cp.IsDoubleByte() ? unit + ", whole characters only" : ""));
      }
      continue;
    }
    if (!source.number.isNumber) {
      AtKey(Severity::Warning, k,
            name + "=" + raw + (source.number.negative ? " is negative" : " is not a number") +
                ": the installer reads 0");
    } else if (source.number.wrapped) {
      AtKey(Severity::Warning, k,
            name + "=" + raw + " does not fit 32 bits: the installer reads " +
                std::to_string(source.number.value));
    }
  }
  if (m_account[kAppNameKey].line == 0) {
    AtKey(Severity::Warning, kAppNameKey,
          "App_Name is not set: the title reads " + Quoted(s.AppName));
  } else if (m_account[kAppNameKey].read.empty()) {
    AtKey(Severity::Warning, kAppNameKey, "App_Name is empty: the title line stays blank");
  }
  const std::string& program = s.DecompressorProgram;
  if (program.size() >= 8 &&
      ProfileFile::SameName(program.substr(program.size() - 8), ".exe.exe")) {
    AtKey(Severity::Warning, kUseProgramKey,
          "Use_Program already ends in .exe: the installer appends another and starts " + program);
  } else if (program == ".exe") {
    AtKey(Severity::Warning, kUseProgramKey, "Use_Program is empty: the installer starts \".exe\"");
  }
  // No file name holds a double quote. App_Setup may carry arguments, and quotes are
  // the way to pass one with a blank: there only the program's name counts, the part
  // the installer's split can take for it before anything follows a blank or a tab.
  for (const SettingKeyIndex k : {kUseProgramKey, kFirstFileKey, kAppSetupKey}) {
    std::string name = SettingValue(s, k);
    if (k == kAppSetupKey) name.erase(std::min(name.find_first_of(kBlankOrTab), name.size()));
    if (name.find('"') != std::string::npos) {
      AtKey(Severity::Error, k,
            std::string(k == kAppSetupKey ? "the program's name in " : "") + kSettingKeys[k].name +
                " holds a double quote: no file name holds one, and the installer puts the "
                "quotes a path needs around it itself");
    }
  }
  if (!ProgressBarHolds(s.TotalDisks)) {
    AtKey(Severity::Warning, kTotalDisksKey,
          "Total_Disks=" + std::to_string(s.TotalDisks) +
              " is beyond what the progress bar holds (16 bits): it will not show progress");
  }
}

// A First_File of "DIR\NAME" names archives in a folder of the package folder; one
// that starts at a root or a drive lies elsewhere on the user's machine.
bool SplitFolder(const std::string& pattern, std::string* dir, std::string* name,
                 const CodePage& cp) {
  const size_t cut = cp.FindLastOf(pattern, "\\/");
  *name = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  if (cut == std::string::npos) return true;
  *dir = Replaced(pattern.substr(0, cut), '\\', kPathSeparator, cp);
  return !dir->empty() && (*dir)[0] != kPathSeparator && (*dir)[0] != '/' &&
         cp.FindFirstOf(*dir, ":") == std::string::npos;
}

void Checker::CheckArchives() {
  const std::string& pattern = m_report.settings.FirstFile;
  std::string dir, namePattern;
  if (!SplitFolder(pattern, &dir, &namePattern, m_cp)) {
    AtKey(Severity::Warning, kFirstFileKey,
          "First_File " + Quoted(pattern) +
              " is not a name in the package folder: the "
              "installer always puts the folder in front of it; archives not checked");
    return;
  }
  ArchiveFolder folder{m_folder, m_shown, m_entries};
  if (!dir.empty()) {
    folder.path = Join(m_folder, dir);
    folder.shown = Join(m_shown, dir);
    folder.entries.clear();
    ListFolder(folder.path, m_cp, &folder.entries);  // a missing folder holds no archive
  }
  std::vector<std::string> firsts;
  for (const FolderEntry& e : folder.entries) {
    if (!e.isFolder && MatchesPattern(namePattern, e.name, m_cp)) firsts.push_back(e.name);
  }
  std::sort(firsts.begin(), firsts.end());
  if (firsts.empty()) {
    AtKey(Severity::Error, kFirstFileKey,
          "First_File " + Quoted(pattern) +
              " matches no file in the folder: the "
              "decompressor will find no archive");
    return;
  }
  // A later volume that the pattern matches too belongs to the set before it.
  std::vector<std::string> claimed;
  m_archivesRead = true;
  for (const std::string& first : firsts) {
    if (std::find(claimed.begin(), claimed.end(), first) == claimed.end()) {
      ReadSet(folder, first, &claimed);
    }
  }
  if (m_report.archives.size() > 1) {
    AtKey(Severity::Note, kFirstFileKey,
          "First_File " + Quoted(pattern) + " matches " +
              Plural(m_report.archives.size(), "archive") +
              ": the decompressor extracts each of them");
  }

  size_t volumes = 0, files = 0;
  uint64_t unpacked = 0;
  for (const ArchiveSet& set : m_report.archives) {
    volumes += set.volumes.size();
    files += set.files;
    unpacked += set.unpackedBytes;
  }
  const InstallSettings& s = m_report.settings;
  if (s.TotalDisks != volumes) {
    AtKey(Severity::Warning, kTotalDisksKey,
          "Total_Disks is " + std::to_string(s.TotalDisks) + ", but the folder holds " +
              Plural(volumes, "volume") + ": the progress bar will not match the installation");
  }
  if (!m_archivesRead) return;  // sizes and names of a damaged set would mislead
  const uint64_t neededMb = (unpacked + kMegabyte - 1) / kMegabyte;
  if (s.SpaceRequired < neededMb) {
    AtKey(Severity::Warning, kSpaceRequiredKey,
          "Space_Required is " + std::to_string(s.SpaceRequired) +
              " MB, below the archives' unpacked size of " + Grouped(unpacked) +
              " bytes: at least " + std::to_string(neededMb) + " MB are needed");
  } else if (SpaceFarAbove(s.SpaceRequired, unpacked)) {
    AtKey(Severity::Note, kSpaceRequiredKey,
          "Space_Required is " + std::to_string(s.SpaceRequired) +
              " MB, far above the archives' unpacked size of " + Grouped(unpacked) + " bytes (" +
              std::to_string(neededMb) +
              " MB): users with room for the files but not that much are refused (it counts "
              "megabytes of 1,000,000 bytes)");
  }
  CheckSetupProgram(files);
}

void Checker::CheckSetupProgram(size_t files) {
  // The installer finds the program's name in App_Setup among the files in the target
  // folder, which are the archived ones: the same split here, on their names.
  const InstallSettings& s = m_report.settings;
  const size_t folderLength = s.InstallDir.size() + 1;
  const FileExistsTest archived = [](StringView path, const void* context) {
    const Checker& self = *static_cast<const Checker*>(context);
    const std::string name = path.substr(self.m_report.settings.InstallDir.size() + 1);
    for (const std::string& n : self.m_fileNames) {
      if (SamePath(n, name, self.m_cp)) return true;
    }
    return false;
  };
  const SetupProgram setup = FindSetupProgram(s.InstallDir, s.AppSetup, m_cp, archived, this);
  if (!archived(setup.path, this)) {
    AtKey(Severity::Warning, kAppSetupKey,
          "App_Setup " + Quoted(s.AppSetup) + " is not among the " +
              Plural(files, "archived file") + ": starting it after the installation will fail");
  } else if (!setup.arguments.empty()) {
    const size_t first = setup.arguments.find_first_not_of(kBlankOrTab);
    AtKey(Severity::Note, kAppSetupKey,
          "App_Setup " + Quoted(s.AppSetup) + " is the archived " +
              setup.path.substr(folderLength) + " and its arguments " +
              Quoted(first == std::string::npos ? "" : setup.arguments.substr(first)) +
              ": the installer starts " + BuildSetupCommand(setup, m_cp) +
              " (in the default target folder)");
  }
}

void Checker::ReadSet(const ArchiveFolder& folder, const std::string& first,
                      std::vector<std::string>* claimed) {
  ArchiveSet set;
  arj::SetTally tally;
  bool expectMore = true;  // the last volume read says the set goes on
  bool damaged = false;
  std::string last;
  // As far as the decompressor names volumes: .a01 to .a99, .100 to .999, .1000 on.
  for (unsigned i = 0;; ++i) {
    const std::string name = arj::VolumeName(first, i);
    if (i > 0 && name == first) break;  // a first volume named like a later one
    const FolderEntry* entry = Entry(folder.entries, name);
    if (entry == nullptr || entry->isFolder) {
      if (expectMore && !damaged) {
        Add(Severity::Error, Join(folder.shown, last), 0,
            "the archive goes on in " + arj::VolumeName(first, i) + ", which is not in the folder");
        m_archivesRead = false;
      }
      break;
    }
    const std::string shown = Join(folder.shown, entry->name);
    claimed->push_back(entry->name);
    set.volumes.push_back(entry->name);
    last = entry->name;
    if (!expectMore) {
      Add(Severity::Warning, shown, 0,
          "follows the set's last volume by name, but the set ends before it: the "
          "decompressor does not read it");
      continue;
    }
    if (damaged) continue;
    std::string why;
    std::unique_ptr<FileSource> source = FileSource::Open(Join(folder.path, entry->name), &why);
    if (!source) {
      Add(Severity::Error, shown, 0, why);
      damaged = true;
      continue;
    }
    const arj::VolumeHeaders v = arj::ReadVolumeHeaders(*source);
    if (!v.problem.empty()) {
      Add(Severity::Error, shown, 0, v.problem);
      damaged = true;
      continue;
    }
    if (v.mainHeaderOffset > 0) {
      Add(Severity::Note, shown, 0,
          "the archive starts after " + Grouped(v.mainHeaderOffset) +
              " bytes of something else (a self-extracting program?)");
    }
    if (v.hostSystem == arj::kHostUnix && set.volumes.size() == 1) {
      Add(Severity::Note, shown, 0,
          "made on UNIX, as the archive says: ARJ.EXE writes \"Binary file from a different "
          "OS\" into the log for every file; arj -2d (vorpack's way) makes it as on MS-DOS");
    }
    for (const arj::FileHeader& f : v.files) {
      if ((f.flags & arj::kGarbledFlag) && !f.ContinuedFromPrevious()) {
        Add(Severity::Warning, shown, 0,
            f.name + " is encrypted: the decompressor has no password and no input to ask for one");
      }
    }
    CheckEntries(v, shown);
    std::vector<std::string> problems;
    tally.Add(v, &problems);
    expectMore = v.ContinuesOnNext();
    if (!expectMore) tally.Finish(&problems);
    for (const std::string& p : problems) Add(Severity::Error, shown, 0, p);
    damaged = !problems.empty();
  }
  if (damaged) m_archivesRead = false;
  if (set.volumes.empty()) return;  // its error is reported; a set has at least one
  set.files = tally.FileCount();
  set.unpackedBytes = tally.UnpackedBytes();
  m_fileNames.insert(m_fileNames.end(), tally.FileNames().begin(), tally.FileNames().end());
  m_report.archives.push_back(set);
}

void Checker::CheckFolderFiles() {
  for (const char* name : kDescriptionFiles) {
    const FolderEntry* e = Entry(name);
    if (e == nullptr) {
      Add(Severity::Warning, Shown(name), 0,
          "missing: its viewer would show " + Quoted(kFileNotFoundCaption));
    } else if (e->isFolder) {
      Add(Severity::Warning, Shown(name), 0,
          "is a folder: its viewer would show " + Quoted(kFileOpenFailureCaption));
    } else {
      CheckDescription(*e);
    }
  }
  const FolderEntry* installer = Entry(kInstallerFileName);
  if (installer == nullptr) {
    m_report.findings.push_back(MissingInstallerNote(Shown(kInstallerFileName)));
  } else {
    const face::InstallerReading reading =
        installer->isFolder ? face::InstallerReading{"", "a folder, not the installer"}
                            : face::ReadInstaller(Join(m_folder, installer->name), installer->name);
    if (!reading.problem.empty()) Add(Severity::Error, Shown(installer->name), 0, reading.problem);
    m_report.installer = reading.summary;
  }
  const std::string& program = m_report.settings.DecompressorProgram;
  const FolderEntry* found = Entry(program);
  if (m_cp.FindFirstOf(program, "\\/:") == std::string::npos &&
      (found == nullptr || found->isFolder)) {
    AtKey(Severity::Warning, kUseProgramKey,
          program + " is not in the folder: ship it in the package, or users get \"Can't Find " +
              program + "\" unless it is on their path");
  }
}

void Checker::CheckDescription(const FolderEntry& entry) {
  std::string why;
  std::unique_ptr<FileSource> file = FileSource::Open(Join(m_folder, entry.name), &why);
  if (!file) return;  // the viewer reports it as the installer meets it
  const std::string bytes = file->ReadFront(kMaxConfigBytes);
  for (const Finding& f : DescriptionPitfalls(Shown(entry.name), bytes)) {
    m_report.findings.push_back(f);
  }
  if (m_oemPage == 0 || CodePage::ForNumber(m_oemPage).IsDoubleByte() || !IsUtf8BeyondAscii(bytes))
    return;
  size_t line = 1, start = 0;
  for (size_t i = 0; i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80; ++i) {
    if (bytes[i] == '\n') {
      ++line;
      start = i + 1;
    }
  }
  std::string text = bytes.substr(start, bytes.find('\n', start) - start);
  while (!text.empty() && text.back() == '\r') text.pop_back();
  Add(Severity::Warning, Shown(entry.name), line,
      "is UTF-8: its viewer shows it in code page " + std::to_string(m_oemPage) + ", this line as " +
          Quoted(SeenAs(text, m_oemPage)) + "; save it in code page " +
          std::to_string(m_oemPage) + " (vorpack converts a UTF-8 --nfo or --diz)");
}

std::string Checker::SeenAs(const std::string& text, unsigned page) const {
  std::string shown;
  return ShowCodePageText(text, page, &shown) ? shown : text;
}

void Checker::CheckEntries(const arj::VolumeHeaders& volume, const std::string& shown) {
  // On UNIX a backslash is part of a name; elsewhere it is what "/" is in the header.
  const bool unix = volume.hostSystem == arj::kHostUnix;
  for (const arj::FileHeader& f : volume.files) {
    if (f.ContinuedFromPrevious()) continue;
    if (f.type == arj::kUnixSpecialType) {
      Add(Severity::Error, shown, 0,
          f.name + " is a UNIX special entry (a symbolic link, a device or a FIFO): ARJ.EXE "
                   "skips it and the installation goes on without it");
      continue;
    }
    if (!f.IsFile() && f.type != 3) continue;  // labels and chapters
    const std::string path = unix ? f.name : Replaced(f.name, '\\', '/', m_cp);
    for (size_t start = 0; start <= path.size();) {
      size_t end = m_cp.FindFirstOf(path, "/", start);
      if (end == std::string::npos) end = path.size();
      const std::string why = WindowsNameProblem(path.substr(start, end - start), m_cp);
      if (!why.empty() && end > start) {
        Add(Severity::Error, shown, 0,
            f.name + ": Windows cannot hold the name " + Quoted(path.substr(start, end - start)) +
                " (" + why + "): ARJ.EXE fails on it or puts the file elsewhere");
        break;
      }
      start = end + 1;
    }
    if (f.IsFile()) m_entryPaths.emplace_back(path, shown);
  }
}

void Checker::CheckPaths() {
  std::vector<std::string> paths;
  for (const auto& p : m_entryPaths) paths.push_back(p.first);
  for (const auto& twin : CaseTwins(paths, m_cp, m_page)) {
    std::string shown;
    for (const auto& p : m_entryPaths) {
      if (p.first == twin.first) shown = p.second;
    }
    Add(Severity::Error, shown, 0,
        twin.first + " and " + twin.second +
            " differ in case only: Windows takes them for one, and one file is lost");
  }
  const std::string longest = LongestTargetPath(m_report.settings.InstallDir, paths, m_cp);
  if (!paths.empty() && longest.size() > kMaxWindowsPath) {
    AtKey(Severity::Warning, kDefaultDirectoryKey,
          "the longest path in the target folder, " + longest + ", is " +
              std::to_string(longest.size()) + " characters: Windows' limit is " +
              std::to_string(kMaxWindowsPath) + "; shorten the folder or the names");
  }
}

}  // namespace

std::string FormatFinding(const Finding& f) {
  static const char* const kWords[] = {"note", "warning", "error"};
  std::string text = f.file;
  if (f.line > 0) text += ":" + std::to_string(f.line);
  return text + ": " + kWords[static_cast<int>(f.severity)] + ": " + f.message;
}

int PackageReport::ExitStatus() const {
  int status = 0;
  for (const Finding& f : findings) {
    if (f.severity == Severity::Error) status = 2;
    if (f.severity == Severity::Warning && status == 0) status = 1;
  }
  return status;
}

namespace {

// The characters of a text, one number each: a single-byte character as its byte with
// the letter case folded, a double-byte one as both bytes, above every byte's number.
std::vector<uint32_t> Characters(const std::string& text, const CodePage& cp) {
  std::vector<uint32_t> chars;
  chars.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t n = cp.CharLength(text, i);
    const auto byte = [&text](size_t k) { return uint32_t{static_cast<uint8_t>(text[k])}; };
    chars.push_back(n == 1 ? byte(i) : 0x10000u | byte(i) << 8 | byte(i + 1));
    i += n;
  }
  return chars;
}

}  // namespace

bool MatchesPattern(const std::string& pattern, const std::string& name, const CodePage& cp) {
  const std::vector<uint32_t> p = Characters(cp.FoldedCase(pattern), cp);
  const std::vector<uint32_t> c = Characters(cp.FoldedCase(name), cp);
  // Greedy with one point of return to the last "*": linear in practice, never
  // exponential.
  size_t i = 0, n = 0, starP = std::string::npos, starN = 0;
  while (n < c.size()) {
    if (i < p.size() && p[i] == '*') {
      starP = i++;
      starN = n;
    } else if (i < p.size() && (p[i] == '?' || p[i] == c[n])) {
      ++i;
      ++n;
    } else if (starP != std::string::npos) {
      i = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (i < p.size() && p[i] == '*') ++i;
  return i == p.size();
}

std::string NearestName(const std::string& name, const std::vector<std::string>& candidates) {
  std::string best;
  size_t bestDistance = std::string::npos;
  for (const std::string& c : candidates) {
    // Edit distance with adjacent transpositions, letters compared without case.
    const size_t m = name.size(), n = c.size();
    std::vector<std::vector<size_t>> d(m + 1, std::vector<size_t>(n + 1));
    for (size_t i = 0; i <= m; ++i) d[i][0] = i;
    for (size_t j = 0; j <= n; ++j) d[0][j] = j;
    for (size_t i = 1; i <= m; ++i) {
      for (size_t j = 1; j <= n; ++j) {
        const size_t cost = SameLetter(name[i - 1], c[j - 1]) ? 0 : 1;
        d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
        if (i > 1 && j > 1 && SameLetter(name[i - 1], c[j - 2]) &&
            SameLetter(name[i - 2], c[j - 1])) {
          d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
      }
    }
    if (d[m][n] < bestDistance) {
      bestDistance = d[m][n];
      best = c;
    }
  }
  const size_t allowed = std::max<size_t>(1, std::min<size_t>(3, name.size() / 3));
  return bestDistance <= allowed ? best : std::string();
}

PackageReport CheckPackage(const std::string& folder, const std::string& shownFolder,
                           const CodePage& cp, unsigned ansiPage) {
  return Checker(folder, shownFolder, cp, ansiPage).Run();
}

namespace {

// text followed by blanks up to width characters (printf's "%-Ns").
std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string FormatReport(const PackageReport& report) {
  std::string out = report.origins.empty() ? "" : "Settings the installer will use:\n";
  for (const SettingOrigin& o : report.origins) {
    const SettingKey& key = kSettingKeys[o.key];
    out += "  " + Padded("[" + std::string(key.section) + "]", 15) + " " + Padded(key.name, 18) +
           " " + (key.isText ? Quoted(o.value) : o.value) + "  (" + o.origin + ")\n";
  }
  for (const ArchiveSet& set : report.archives) {
    out += "Archive " + set.volumes.front() + ": " + Plural(set.volumes.size(), "volume");
    if (set.volumes.size() > 1)
      out += " (" + set.volumes.front() + " to " + set.volumes.back() + ")";
    out +=
        ", " + Plural(set.files, "file") + ", " + Grouped(set.unpackedBytes) + " bytes unpacked\n";
  }
  if (!report.installer.empty()) out += report.installer + "\n";
  size_t counts[3] = {0, 0, 0};
  for (const Finding& f : report.findings) {
    out += FormatFinding(f) + "\n";
    ++counts[static_cast<int>(f.severity)];
  }
  out += "vorcheck: " + Plural(counts[2], "error") + ", " + Plural(counts[1], "warning") + ", " +
         Plural(counts[0], "note") + "\n";
  return out;
}
