#include "install/InstallTexts.h"

namespace {

constexpr uint32_t kFileNotFoundError = 2;  // ERROR_FILE_NOT_FOUND

// A path goes on a command line in double quotes when it holds a blank, so that the
// program receives it as one argument; without a blank it goes as it is.
std::string QuotedIfBlank(const std::string& path) {
  return path.find(' ') == std::string::npos ? path : '"' + path + '"';
}

int64_t AsSigned32(uint32_t value) {
  return value <= 0x7FFFFFFFu ? int64_t{value} : int64_t{value} - (int64_t{1} << 32);
}

}  // namespace

std::string BuildDecompressorCommandLine(const std::string& program, const std::string& commandLine,
                                         const std::string& sourceDir,
                                         const std::string& firstFile) {
  return program + " " + commandLine + " " + QuotedIfBlank(sourceDir + "\\" + firstFile);
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

std::string BuildSetupCommand(const std::string& installDir, const std::string& appSetup) {
  return QuotedIfBlank(installDir + "\\" + appSetup);
}
