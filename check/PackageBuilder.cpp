#include "check/PackageBuilder.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "check/ArjHeaders.h"
#include "check/ChildProcess.h"
#include "check/FileOperations.h"
#include "check/Folder.h"
#include "check/InstallerFace.h"
#include "check/PackOptions.h"
#include "check/PackageCheck.h"
#include "check/PackageContents.h"
#include "check/PackagerPitfalls.h"
#include "check/TextConversion.h"
#include "check/Utf8.h"
#include "config/PackageFiles.h"
#include "config/ProfileFile.h"

namespace {

constexpr char kVolumeExtension[] = ".arj";
constexpr int kMaxPayloadDepth = 32;  // deeper than any payload needs
constexpr uint64_t kMaxArchivedFileSize = uint64_t{1} << 32;  // ARJ keeps 32-bit sizes
// The decompressor's arguments: extract with folders (x), every volume in turn (-v),
// yes to every question (-y), and no progress indicator (-i), whose backspaces would
// fill the log the installer shows.
constexpr char kCommandLine[] = "x -v -y -i";

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Where a path's last part starts: after its last separator, read by character.
size_t LastPartStart(const std::string& path, const CodePage& cp) {
  const size_t cut = cp.FindLastOf(path, kPathSeparator == '/' ? "/" : "/\\");
  return cut == std::string::npos ? 0 : cut + 1;
}

bool EndsWithExe(const std::string& name) {
  return name.size() > 4 && ProfileFile::SameName(name.substr(name.size() - 4), ".exe");
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::string why;
  std::unique_ptr<FileSource> file = FileSource::Open(path, &why);
  if (!file) return false;
  *bytes = file->ReadFront(file->Size());
  return bytes->size() == file->Size();
}

// Marks the names of a volume's file headers that hold a folder as ARJ.EXE marks those
// it stores: their "/" stands for the system's separator. Debian's arj stores names
// with "/" unmarked, and ARJ.EXE then prints them so in the log and the progress dialog
// that users read; marked, it prints "DOCS\MANUAL.PDF", as for a package made on
// Windows. The flag is in the basic header, whose CRC-32 is made anew.
bool MarkPathSeparators(const std::string& path, const arj::VolumeHeaders& volume) {
  std::FILE* f = nullptr;
  bool ok = true;
  for (const arj::FileHeader& h : volume.files) {
    if (h.name.find('/') == std::string::npos || (h.flags & arj::kPathSymFlag) != 0) continue;
    if (f == nullptr && (f = std::fopen(path.c_str(), "r+b")) == nullptr) return false;
    // 0x60 0xEA, the basic header's size, the basic header, its CRC-32. A volume is at
    // most 2000M: every offset fits a long.
    unsigned char size[2];
    ok = std::fseek(f, static_cast<long>(h.offset + 2), SEEK_SET) == 0 && std::fread(size, 1, 2, f) == 2;
    const size_t basicSize = size[0] | size[1] << 8;
    std::vector<unsigned char> basic(basicSize + 4);
    ok = ok && basicSize > 4 && std::fread(basic.data(), 1, basic.size(), f) == basic.size();
    if (!ok) break;
    basic[4] |= arj::kPathSymFlag;  // the flags, after the sizes, versions and host system
    const uint32_t crc = arj::Crc32(basic.data(), basicSize);
    for (int i = 0; i < 4; ++i) basic[basicSize + i] = static_cast<unsigned char>(crc >> (8 * i));
    ok = std::fseek(f, static_cast<long>(h.offset + 4), SEEK_SET) == 0 &&
         std::fwrite(basic.data(), 1, basic.size(), f) == basic.size();
    if (!ok) break;
  }
  if (f != nullptr && std::fclose(f) != 0) ok = false;
  return ok;
}

// The archiver's lines that say what it could not do ("Can't open ..."), then its last
// lines, each once, its progress indicator's backspaces taken out.
std::string FailureLines(const std::string& output, size_t count) {
  std::string text;
  for (char c : output) {
    if (c == '\b') {
      if (!text.empty() && text.back() != '\n') text.pop_back();
    } else if (c != '\r') {
      text += c;
    }
  }
  while (!text.empty() && text.back() == '\n') text.pop_back();
  size_t start = text.size();
  for (size_t n = 0; n < count && start > 0; ++n) {
    start = text.rfind('\n', start - 1);
    if (start == std::string::npos) {
      start = 0;
      break;
    }
  }
  if (start > 0) ++start;
  std::string lines;
  for (size_t i = 0; i < text.size();) {
    const size_t end = std::min(text.find('\n', i), text.size());
    std::string line = text.substr(i, end - i), folded = line;
    for (char& c : folded) c = ProfileFile::FoldCase(c);
    const bool failure = folded.find("can't") != std::string::npos ||
                         folded.find("cannot") != std::string::npos ||
                         folded.find("error") != std::string::npos;
    if (i >= start || failure) lines += "  " + line + "\n";
    i = end + 1;
  }
  return lines;
}

class Builder {
 public:
  Builder(const PackOptions& options, const std::string& programFolder)
      : m_options(options), m_programFolder(programFolder) {}

  PackResult Run();

 private:
  // A path on this machine: names in its own code page.
  std::string Join(const std::string& folder, const std::string& name) const {
    return JoinPath(folder, name, m_local);
  }
  bool Fail(const std::string& message) {
    m_result.errors += "vorpack: " + message + "\n";
    return false;
  }
  bool Convert(const char* option, const std::string& text, unsigned page, std::string* out);
  bool PrepareTexts();
  bool CheckPayload();
  void WalkPayload(const std::string& folder, const std::string& inside, int depth);
  bool ReadInputs();
  bool PrepareOutDir();
  bool MakeVolumes();
  bool WriteFiles();
  bool WriteNewFile(const std::string& name, const std::string& bytes);
  void Undo();

  PackOptions m_options;
  std::string m_programFolder;
  CodePage m_local = DefaultCodePage();  // of the paths on this machine
  PackResult m_result;
  TargetCodePages m_pages;
  ConfigValues m_values;           // VOR.INI's, in the ANSI code page
  DescriptionFacts m_facts;        // the descriptions', in the OEM code page
  std::string m_decompressorName;  // the file name it is shipped under
  std::string m_installerPath;
  std::string m_decompressor, m_installer, m_nfo, m_diz;  // the files' bytes
  face::PackagersPictures m_pictures;
  bool m_nfoConverted = false, m_dizConverted = false;
  std::string m_archiver;
  bool m_madeOutDir = false;
  std::vector<std::string> m_made;  // files this run made in the package folder
  std::vector<std::string> m_volumes;
  // The payload's walk: its files ("/" between folders), and what cannot reach Windows.
  std::vector<std::string> m_payloadFiles;
  std::vector<std::string> m_refused;
};

bool Builder::Convert(const char* option, const std::string& text, unsigned page,
                      std::string* out) {
  std::string why;
  if (ConvertTypedText(text, page, out, &why)) return true;
  const bool oem = page == m_pages.oem && page != m_pages.ansi;
  return Fail(std::string(option) + " " + Quoted(text) + ": " + why +
              (oem ? ", the OEM code page the descriptions are shown in: give your own with "
                     "--nfo and --diz"
                   : ""));
}

bool Builder::PrepareTexts() {
  std::string why;
  if (m_options.codePage == 0) m_options.codePage = DefaultAnsiCodePage();
  if (!FindCodePages(m_options.codePage, &m_pages, &why)) return Fail("--code-page: " + why);

  const std::string archive = m_options.archive;
  if (archive.empty() || archive.find_first_of("\\/:*?\"<>|") != std::string::npos ||
      archive[0] == '.') {
    return Fail("--archive " + Quoted(archive) +
                ": the volumes' name must be a plain file name, without a folder or a "
                "wildcard");
  }
  m_decompressorName =
      m_options.decompressor.substr(LastPartStart(m_options.decompressor, m_local));
  if (!EndsWithExe(m_decompressorName)) {
    return Fail("--decompressor " + m_options.decompressor +
                ": the installer starts Use_Program with \".exe\" appended, so the file's "
                "name must end in .exe");
  }
  struct Typed {
    SettingKeyIndex key;
    const char* option;
    std::string text;
  };
  const Typed typed[] = {
      {kAppNameKey, "--name", WithAmpersandsShown(m_options.name)},
      {kDefaultDirectoryKey, "--dir", m_options.dir},
      {kAppSetupKey, "--setup", m_options.setup},
      {kUseProgramKey, "--decompressor",
       m_decompressorName.substr(0, m_decompressorName.size() - 4)},
      {kFirstFileKey, "--archive", archive + kVolumeExtension},
  };
  for (const Typed& t : typed) {
    const SettingKey& key = kSettingKeys[t.key];
    if (t.text.find_first_of("\r\n") != std::string::npos) {
      return Fail(std::string(t.option) + " holds a line break: VOR.INI holds a value on one line");
    }
    if (t.text.empty()) return Fail(std::string(t.option) + " is empty");
    for (char c : t.text) {
      if (static_cast<unsigned char>(c) < 0x20) {
        return Fail(std::string(t.option) + " " + Quoted(t.text) +
                    " holds a control character (code " + std::to_string(c) +
                    "): the installer's reader drops it at either end of a value; leave it out");
      }
    }
    if (t.key == kDefaultDirectoryKey) {
      if (t.text.find('"') != std::string::npos) {
        return Fail("--dir " + Quoted(t.text) +
                    " holds a double quote, which no Windows folder name holds; write the "
                    "folder without quotes (in a Linux shell: --dir 'C:\\Pixel Notes')");
      }
      const std::string why = NotAbsoluteFolder(t.text, m_local);
      if (!why.empty()) {
        return Fail("--dir " + Quoted(t.text) + " " + why +
                    ": give a full path, such as C:\\PixelNotes (in a Linux shell in single "
                    "quotes: --dir 'C:\\PixelNotes')");
      }
    }
    if (!Convert(t.option, t.text, m_pages.ansi, &m_values[t.key])) return false;
    const size_t limit = key.bufferSize - 1;
    if (m_values[t.key].size() > limit) {
      return Fail(std::string(t.option) + " " + Quoted(t.text) + " is " +
                  std::to_string(m_values[t.key].size()) + " bytes in code page " +
                  std::to_string(m_pages.ansi) +
                  (t.key == kAppNameKey && m_options.name.find('&') != std::string::npos
                       ? " (each & doubled so that it shows)"
                       : "") +
                  ": " + key.name + " holds " + std::to_string(limit) +
                  " (the installer cuts the rest)");
    }
  }
  m_values[kCommandLineKey] = kCommandLine;
  // The generated descriptions need the texts in the OEM code page too.
  if (m_options.nfo.empty() || m_options.diz.empty()) {
    if (!Convert("--name", m_options.name, m_pages.oem, &m_facts.title) ||
        !Convert("--dir", m_options.dir, m_pages.oem, &m_facts.folder) ||
        !Convert("--setup", m_options.setup, m_pages.oem, &m_facts.setup)) {
      return false;
    }
  }
  return true;
}

bool Builder::CheckPayload() {
  const std::string& payload = m_options.payload;
  switch (KindOfPath(payload)) {
    case PathKind::None:
      return Fail("the payload folder " + payload + " does not exist");
    case PathKind::File:
      return Fail(payload + " is a file: give the folder whose files the package installs");
    case PathKind::Folder:
      break;
  }
  // Everything that cannot reach the users' Windows, named at once, before any archiving.
  WalkPayload(payload, std::string(), 0);
  const CodePage page = CodePage::ForNumber(m_pages.ansi);
  for (const auto& twin : CaseTwins(m_payloadFiles, page, m_pages.ansi)) {
    m_refused.push_back(Join(payload, twin.first) + ": differs from " + twin.second +
                        " in case only: Windows takes them for one, and one is lost");
  }
  if (!m_refused.empty()) {
    std::string list;
    for (const std::string& r : m_refused) list += "\n  " + r;
    return Fail("the payload holds " + std::to_string(m_refused.size()) +
                (m_refused.size() == 1 ? " file" : " files") +
                " that cannot reach the users' Windows as they are; rename, replace or take "
                "them out:" + list);
  }
  if (m_payloadFiles.empty())
    return Fail("the payload folder " + payload + " holds no file: nothing to install");
  return true;
}

void Builder::WalkPayload(const std::string& folder, const std::string& inside, int depth) {
  std::vector<FolderEntry> entries;
  if (!ListFolder(folder, m_local, &entries)) {
    m_refused.push_back(folder + ": cannot be listed");
    return;
  }
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  if (depth > kMaxPayloadDepth) {
    m_refused.push_back(folder + ": lies " + std::to_string(depth) +
                        " folders deep in the payload");
    return;
  }
  for (const FolderEntry& e : entries) {
    const std::string path = Join(folder, e.name);
    const std::string relative = inside.empty() ? e.name : inside + "/" + e.name;
    const std::string windows = WindowsNameProblem(e.name, m_local);
    if (e.isLink) {
      // Refused, not followed: a link may lead out of the payload, or round in a loop, and
      // the archiver stores it as an entry that ARJ.EXE skips.
      m_refused.push_back(path +
                          ": a symbolic link, which the archiver stores as a UNIX special "
                          "entry that ARJ.EXE skips; put the file itself there");
    } else if (depth == 0 && e.name[0] == '.') {
      m_refused.push_back(path +
                          ": the archiver hangs on a name that starts with \".\" at the top of "
                          "the payload; rename it, move it into a subfolder, or take it out");
    } else if (!NameReachesWindows(e.name)) {
      m_refused.push_back(path +
                          ": the name has characters beyond ASCII, which the archiver stores "
                          "in UTF-8 and the users' Windows would show as other characters");
    } else if (!windows.empty()) {
      m_refused.push_back(path + ": Windows cannot hold the name: " + windows);
    } else if (e.isFolder) {
      WalkPayload(path, relative, depth + 1);
    } else if (e.size >= kMaxArchivedFileSize) {
      m_refused.push_back(path + ": " + std::to_string(e.size) +
                          " bytes, 4 GiB or more: an ARJ archive keeps a file's size in 32 bits; "
                          "split the file");
    } else {
      m_payloadFiles.push_back(relative);
    }
  }
}

bool Builder::ReadInputs() {
  struct Input {
    const char* option;
    std::string path;
    std::string* bytes;
  };
  m_installerPath =
      m_options.installer.empty() ? DefaultInstaller(m_programFolder) : m_options.installer;
  if (m_installerPath.empty()) {
    return Fail("no " + std::string(kInstallerFileName) + " beside vorpack (in " + m_programFolder +
                ") nor in the Windows build beside it: make build makes it; or name it with "
                "--installer FILE");
  }
  const Input inputs[] = {
      {"--decompressor", m_options.decompressor, &m_decompressor},
      {"--installer", m_installerPath, &m_installer},
      {"--nfo", m_options.nfo, &m_nfo},
      {"--diz", m_options.diz, &m_diz},
      {"--logo", m_options.logo, &m_pictures.logoFile},
      {"--icon", m_options.icon, &m_pictures.iconFile},
  };
  for (const Input& in : inputs) {
    if (in.path.empty()) continue;
    const PathKind kind = KindOfPath(in.path);
    if (kind != PathKind::File) {
      return Fail(std::string(in.option) + " " + in.path +
                  (kind == PathKind::None ? ": no such file" : ": a folder, not a file"));
    }
    if (!ReadWholeFile(in.path, in.bytes)) {
      return Fail(std::string(in.option) + " " + in.path + " cannot be read");
    }
  }
  // Descriptions written in UTF-8 go to the OEM code page the viewer shows them in;
  // any other file is taken to be in it already.
  for (const Input& in : {inputs[2], inputs[3]}) {
    if (in.path.empty() || !IsUtf8BeyondAscii(*in.bytes)) continue;
    std::string converted, why;
    if (!ConvertUtf8Text(*in.bytes, m_pages.oem, &converted, &why)) {
      return Fail(std::string(in.option) + " " + in.path + " is UTF-8, and " + why +
                  ", the OEM code page the descriptions are shown in");
    }
    *in.bytes = converted;
    (in.bytes == &m_nfo ? m_nfoConverted : m_dizConverted) = true;
  }
  m_pictures.logoPath = m_options.logo;
  m_pictures.iconPath = m_options.icon;
  std::string why;
  return face::PutPictures(m_pictures, m_installerPath, &m_installer, &why) || Fail(why);
}

bool Builder::PrepareOutDir() {
  const std::string& out = m_options.outDir;
  const PathKind kind = KindOfPath(out);
  if (kind == PathKind::File) return Fail(out + " is a file: give a folder for the package");
  std::string payload, absolute;
  AbsolutePath(m_options.payload, &payload);
  const size_t cut = LastPartStart(out, m_local);
  const std::string parent = cut > 0 ? out.substr(0, cut) : ".";  // with its separator
  if (kind == PathKind::Folder) {
    AbsolutePath(out, &absolute);
  } else if (AbsolutePath(parent, &absolute)) {
    absolute = Join(absolute, out.substr(cut));
  } else {
    return Fail("the folder above " + out +
                " does not exist: vorpack makes the package folder, not the folders above it");
  }
  if (IsWithin(absolute, payload)) {
    return Fail(out + " lies inside the payload " + m_options.payload +
                ": the package would pack itself; choose a folder outside it");
  }
  if (kind == PathKind::Folder) {
    // Nothing of the packager's is written over: every file this run makes is new.
    std::vector<FolderEntry> entries;
    if (!ListFolder(out, m_local, &entries)) return Fail(out + " cannot be listed");
    const std::string ours[] = {kConfigFileName, kNfoFileName, kFileIdFileName, kInstallerFileName,
                                m_decompressorName};
    const std::string volumePrefix = m_options.archive + ".";
    std::vector<std::string> taken;
    bool package = false;
    for (const FolderEntry& e : entries) {
      bool mine = e.name.size() > volumePrefix.size() &&
                   ProfileFile::SameName(e.name.substr(0, volumePrefix.size()), volumePrefix);
      for (const std::string& name : ours) mine = mine || ProfileFile::SameName(e.name, name);
      if (mine) taken.push_back(e.name);
      package = package || ProfileFile::SameName(e.name, kConfigFileName);
    }
    if (!taken.empty()) {
      std::sort(taken.begin(), taken.end());
      std::string names;
      for (const std::string& t : taken) names += (names.empty() ? "" : ", ") + t;
      return Fail(out + " holds " + names + (package ? ", another package" : "") +
                  " already: vorpack writes over nothing; remove " +
                  (taken.size() == 1 ? "it" : "them") + ", or choose a new or empty folder");
    }
  } else if (!MakeFolder(out)) {
    return Fail("cannot make the folder " + out);
  } else {
    m_madeOutDir = true;
  }
  return true;
}

bool Builder::MakeVolumes() {
  const std::string& out = m_options.outDir;
  std::string absolute;
  AbsolutePath(out, &absolute);
  std::vector<FolderEntry> before;
  ListFolder(out, m_local, &before);
  // -2d: ARJ's DOS-compatible mode, volumes marked as made on MS-DOS, so that ARJ.EXE
  // writes no "Binary file from a different OS" into the users' log.
  std::vector<std::string> args = {"a", "-r", "-a", "-y", "-i", "-s", "-2d"};
  if (m_options.volumeSize > 0) args.push_back("-v" + std::to_string(m_options.volumeSize));
  args.push_back(Join(absolute, m_values[kFirstFileKey]));
  args.push_back("*");
  // The program is found before the working folder is set: never a payload file of its name.
  std::string decompressor;
  AbsolutePath(m_options.decompressor, &decompressor);
  m_archiver = m_options.archiver.empty() ? DefaultArchiver(decompressor) : m_options.archiver;
  std::string payload;
  AbsolutePath(m_options.payload, &payload);
  const ChildRun run = RunChild(ProgramPath(m_archiver), args, payload);

  // Whatever the archiver left in the folder is this run's, whether it failed or not.
  std::vector<FolderEntry> after;
  ListFolder(out, m_local, &after);
  for (const FolderEntry& e : after) {
    bool old = false;
    for (const FolderEntry& b : before) old = old || b.name == e.name;
    if (!old && !e.isFolder) m_made.push_back(e.name);
  }
  if (!run.started) {
    return Fail("cannot start the archiver " + m_archiver + ": " + run.why +
                (m_options.archiver.empty() && m_archiver == "arj"
                     ? " (on Debian: apt-get install arj)"
                     : ""));
  }
  if (run.exitCode != 0) {
    return Fail("the archiver " + m_archiver + " failed with exit code " +
                std::to_string(run.exitCode) + "; its last words:\n" + FailureLines(run.output, 6));
  }

  // The volumes it made, read back with the checker's header reader: their number and
  // the unpacked size that VOR.INI states.
  arj::SetTally tally;
  std::vector<std::string> problems;
  for (unsigned i = 0;; ++i) {
    const std::string name = arj::VolumeName(m_values[kFirstFileKey], i);
    std::string why;
    std::unique_ptr<FileSource> file = FileSource::Open(Join(out, name), &why);
    if (!file) {
      return Fail("the archiver ended without error, but " + Join(out, name) + " " + why);
    }
    const arj::VolumeHeaders v = arj::ReadVolumeHeaders(*file);
    file.reset();
    if (!v.problem.empty()) return Fail("the archiver's volume " + name + ": " + v.problem);
    if (!MarkPathSeparators(Join(out, name), v)) {
      return Fail("cannot mark the folder names in the archiver's volume " + Join(out, name));
    }
    m_volumes.push_back(name);
    tally.Add(v, &problems);
    if (!v.ContinuesOnNext()) break;
  }
  tally.Finish(&problems);
  if (!problems.empty()) return Fail("the archiver's volumes do not fit together: " + problems[0]);
  constexpr uint64_t kMegabyte = 1000000;
  const uint64_t megabytes = (tally.UnpackedBytes() + kMegabyte - 1) / kMegabyte;
  m_values[kSpaceRequiredKey] = std::to_string(megabytes);
  m_values[kTotalDisksKey] = std::to_string(m_volumes.size());
  m_facts.volumes = m_volumes.size();
  m_facts.firstVolume = m_volumes.front();
  m_facts.lastVolume = m_volumes.back();
  m_facts.megabytes = static_cast<uint32_t>(megabytes);
  m_result.output += "vorpack: " + m_archiver + " made " + std::to_string(m_volumes.size()) +
                     (m_volumes.size() == 1 ? " volume, " : " volumes, ") + m_volumes.front() +
                     (m_volumes.size() == 1 ? "" : " to " + m_volumes.back()) + ", in " + out +
                     "\n";
  return true;
}

bool Builder::WriteNewFile(const std::string& name, const std::string& bytes) {
  const std::string path = Join(m_options.outDir, name);
  if (KindOfPath(path) != PathKind::None)
    return Fail(path + " appeared meanwhile: not written over");
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return Fail("cannot write " + path);
  m_made.push_back(name);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !written) return Fail("cannot write " + path + ": is the disk full?");
  return true;
}

bool Builder::WriteFiles() {
  if (!WriteNewFile(kConfigFileName, ConfigFileText(m_values)) ||
      !WriteNewFile(kInstallerFileName, m_installer) ||
      !WriteNewFile(m_decompressorName, m_decompressor) ||
      !WriteNewFile(kNfoFileName, m_options.nfo.empty() ? NfoText(m_facts) : m_nfo) ||
      !WriteNewFile(kFileIdFileName, m_options.diz.empty() ? FileIdText(m_facts) : m_diz)) {
    return false;
  }
  const auto described = [&](const char* name, const std::string& from, bool converted) {
    return std::string(name) + " from " + (from.empty() ? "the settings" : from) +
           (converted ? " (UTF-8, converted to code page " + std::to_string(m_pages.oem) + ")"
                      : "");
  };
  const std::string descriptions =
      m_options.nfo.empty() && m_options.diz.empty()
          ? std::string(kNfoFileName) + " and " + kFileIdFileName + " from the settings"
          : described(kNfoFileName, m_options.nfo, m_nfoConverted) + ", " +
                described(kFileIdFileName, m_options.diz, m_dizConverted);
  m_result.output += "vorpack: wrote " + std::string(kConfigFileName) +
                     " (Total_Disks=" + m_values[kTotalDisksKey] +
                     ", Space_Required=" + m_values[kSpaceRequiredKey] + "), " + descriptions +
                     "; copied " + kInstallerFileName + " (from " + m_installerPath +
                     (m_options.logo.empty() ? "" : ", the logo from " + m_options.logo) +
                     (m_options.icon.empty() ? "" : ", the icon from " + m_options.icon) + ") and " +
                     m_decompressorName + "\n";
  return true;
}

void Builder::Undo() {
  for (auto name = m_made.rbegin(); name != m_made.rend(); ++name) {
    RemoveFile(Join(m_options.outDir, *name));
  }
  if (m_madeOutDir) RemoveFolder(m_options.outDir);
  m_result.errors += "vorpack: no package made";
  m_result.errors +=
      m_madeOutDir || !m_made.empty() ? ": what this run wrote is removed again\n" : "\n";
}

PackResult Builder::Run() {
  // "pkg/" is the folder pkg: its parent is the folder above it.
  for (std::string* path : {&m_options.payload, &m_options.outDir}) {
    while (path->size() > 1 &&
           (m_local.EndsWith(*path, '/') || m_local.EndsWith(*path, kPathSeparator)) &&
           (*path)[path->size() - 2] != ':') {
      path->pop_back();
    }
  }
  if (!PrepareTexts() || !CheckPayload() || !ReadInputs() || !PrepareOutDir() || !MakeVolumes() ||
      !WriteFiles()) {
    Undo();
    m_result.exitStatus = kPackNotMadeStatus;
    return m_result;
  }
  const PackageReport report =
      CheckPackage(m_options.outDir, m_options.outDir, CodePage::ForNumber(m_pages.ansi), m_pages.ansi);
  m_result.output += "vorpack: the package as vorcheck finds it:\n" + FormatReport(report);
  m_result.exitStatus = report.ExitStatus();
  return m_result;
}

}  // namespace

std::string DefaultInstaller(const std::string& programFolder) {
  const CodePage local = DefaultCodePage();
  const std::string windowsBuild = JoinPath(JoinPath(programFolder, "..", local), "win32", local);
  for (const std::string& path : {JoinPath(programFolder, kInstallerFileName, local),
                                  JoinPath(windowsBuild, kInstallerFileName, local)}) {
    std::string absolute;
    if (KindOfPath(path) == PathKind::File) return AbsolutePath(path, &absolute) ? absolute : path;
  }
  return std::string();
}

PackResult RunVorpack(const std::vector<std::string>& args, const std::string& programFolder) {
  PackOptions options;
  std::string error;
  PackResult result;
  if (!ParsePackOptions(args, &options, &error)) {
    result.errors = "vorpack: " + error + " (vorpack --help lists the options)\n";
    result.exitStatus = kPackCommandLineStatus;
    return result;
  }
  if (options.help) {
    result.output = kPackUsage;
    return result;
  }
  return Builder(options, programFolder).Run();
}
