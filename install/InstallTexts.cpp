#include "install/InstallTexts.h"

namespace {

constexpr uint32_t kFileNotFoundError = 2;  // ERROR_FILE_NOT_FOUND

// The name in the first `length` characters has a dot in its last part: an extension.
// The platform adds ".exe" to a name without one.
bool HasExtension(const std::string& text, size_t length) {
  while (length > 0 && text[length - 1] != '\\' && text[length - 1] != '/') {
    if (text[--length] == '.') return true;
  }
  return false;
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
  size_t backslashes = 0;  // in a row, just before
  for (const char c : text) {
    // Before a quote: each backslash doubled, and one more that makes the quote literal.
    if (c == '"') out.append(backslashes + 1, '\\');
    backslashes = c == '\\' ? backslashes + 1 : 0;
    out += c;
  }
  out.append(backslashes, '\\');  // doubled before the closing quote
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
                              FileExistsTest fileExists, const void* context) {
  SetupProgram setup;
  // Where the name ends: the whole first, then before each blank that follows a
  // character other than a blank.
  for (size_t end = appSetup.size(), i = 0;; end = i) {
    setup.path.assign(installDir).append(1, '\\').append(appSetup, 0, end);
    if (end < appSetup.size() && !HasExtension(appSetup, end)) setup.path.append(".exe");
    if (fileExists(setup.path, context)) {
      setup.arguments.assign(appSetup, end, std::string::npos);
      return setup;
    }
    do {
      ++i;
    } while (i < appSetup.size() && (appSetup[i] != ' ' || appSetup[i - 1] == ' '));
    if (i >= appSetup.size()) break;
  }
  setup.path.assign(installDir).append(1, '\\').append(appSetup);
  return setup;
}

std::string BuildSetupCommand(const SetupProgram& setup) {
  return QuoteArgument(setup.path) + setup.arguments;
}

std::string SourceFolderFailureText(const std::string& sourceFolder, const std::string& errorText) {
  return "Cannot return to the package folder " + sourceFolder + ":\n" + errorText +
         "\nNothing was started.";
}

std::string TimerFailureText(const std::string& errorText) {
  return "Cannot follow the installation without a timer:\n" + errorText +
         "\nThe decompressor may still be running; see the install log.";
}
