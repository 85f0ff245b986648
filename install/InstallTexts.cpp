#include "install/InstallTexts.h"

namespace {

constexpr uint32_t kFileNotFoundError = 2;  // ERROR_FILE_NOT_FOUND

// A name with a dot in its last part has an extension; the platform adds ".exe" to
// one without.
bool HasExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  const size_t folderEnd = name.find_last_of("\\/");
  return dot != std::string::npos && (folderEnd == std::string::npos || dot > folderEnd);
}

int64_t AsSigned32(uint32_t value) {
  return value <= 0x7FFFFFFFu ? int64_t{value} : int64_t{value} - (int64_t{1} << 32);
}

}  // namespace

const char kSourceFolderFailureCaption[] = "Installation Not Started";
const char kTimerFailureCaption[] = "Timer Error";

std::string QuoteArgument(const std::string& text) {
  if (!text.empty() && text.find_first_of(" \t\"") == std::string::npos) return text;
  std::string out = "\"";
  size_t backslashes = 0;  // not yet written
  for (const char c : text) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Before a quote: each backslash doubled, and one more that makes the quote literal.
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');  // before the closing quote
  return out + '"';
}

std::string BuildDecompressorCommandLine(const std::string& program, const std::string& commandLine,
                                         const std::string& sourceDir,
                                         const std::string& firstFile) {
  return QuoteArgument(program) + " " + commandLine + " " +
         QuoteArgument(sourceDir + "\\" + firstFile);
}

std::string LaunchFailureCaption(const std::string& program) {
  return "Failed to Launch " + program;
}

std::string LaunchFailureText(const std::string& program, uint32_t error) {
  if (error == kFileNotFoundError) {
    return "Can't Find " + program + ".\nPlease make sure " + program + " is in your path.";
  }
  return "Error code " + std::to_string(AsSigned32(error));
}

SetupProgram FindSetupProgram(const std::string& installDir, const std::string& appSetup,
                              const FileExistsTest& fileExists) {
  const std::string folder = installDir + "\\";
  if (fileExists(folder + appSetup)) return SetupProgram{folder + appSetup, ""};
  for (size_t blank = appSetup.find(' '); blank != std::string::npos;
       blank = appSetup.find(' ', blank + 1)) {
    if (blank == 0 || appSetup[blank - 1] == ' ') continue;  // the same name as before
    std::string name = appSetup.substr(0, blank);
    if (!HasExtension(name)) name += ".exe";
    if (fileExists(folder + name)) return SetupProgram{folder + name, appSetup.substr(blank)};
  }
  return SetupProgram{folder + appSetup, ""};
}

std::string BuildSetupCommand(const SetupProgram& setup) {
  return QuoteArgument(setup.path) + setup.arguments;
}

std::string SourceFolderFailureText(const std::string& sourceFolder, const std::string& errorText) {
  return "The installer cannot return to the package's folder\n" + sourceFolder + "\n" +
         errorText + "\nNothing has been started.";
}

std::string TimerFailureText(const std::string& errorText) {
  return "The installation cannot be followed: its timer did not start.\n" + errorText +
         "\nThe decompressor may still be running; the install log shows what it has done.";
}
