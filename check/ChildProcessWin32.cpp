#include <windows.h>

#include <cstring>

#include "check/ChildProcess.h"
#include "check/Folder.h"
#include "install/InstallTexts.h"

namespace {

std::string SystemMessage(DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return "not found";
  char text[512] = "";
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           error, 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == '.')) --n;
  return n > 0 ? std::string(text, n) : "error " + std::to_string(error);
}

}  // namespace

ChildRun RunChild(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workDir) {
  ChildRun run;
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0)) {
    run.why = SystemMessage(GetLastError());
    return run;
  }
  // The child inherits the pipe's write end only: its end of file comes when the child ends.
  HANDLE ours = nullptr;
  DuplicateHandle(GetCurrentProcess(), readEnd, GetCurrentProcess(), &ours, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  CloseHandle(readEnd);
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                             OPEN_EXISTING, 0, nullptr);

  const CodePage cp = DefaultCodePage();
  std::string commandLine = QuoteArgument(program, cp);
  for (const std::string& a : arguments) commandLine += " " + QuoteArgument(a, cp);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  // Our environment block without the archiver's switches (names without regard to case).
  std::string environment;
  const std::string hidden = std::string(kArchiverSwitches) + "=";
  if (char* block = GetEnvironmentStringsA()) {
    for (const char* e = block; *e != '\0'; e += std::strlen(e) + 1) {
      size_t same = 0;  // letters compared without regard to case
      while (same < hidden.size() && e[same] != '\0' &&
             (e[same] == hidden[same] || (e[same] ^ 0x20) == hidden[same])) {
        ++same;
      }
      if (same < hidden.size()) {
        environment.append(e, std::strlen(e) + 1);
      }
    }
    FreeEnvironmentStringsA(block);
  }
  environment += '\0';
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0,
                                      &environment[0], workDir.c_str(), &startup, &process);
  const DWORD error = GetLastError();
  CloseHandle(writeEnd);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  if (!started) {
    run.why = SystemMessage(error);
    CloseHandle(ours);
    return run;
  }
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(ours, buffer, sizeof buffer, &got, nullptr) && got > 0)
    run.output.append(buffer, got);
  CloseHandle(ours);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.started = true;
  run.exitCode = static_cast<int>(code);
  return run;
}

std::string DefaultArchiver(const std::string& decompressor) { return decompressor; }
