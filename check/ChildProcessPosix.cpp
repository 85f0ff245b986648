#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "check/ChildProcess.h"

ChildRun RunChild(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workDir) {
  ChildRun run;
  // One pipe for the output, one that the child closes by exec, or fills with the
  // error that kept it from starting.
  int output[2], status[2];
  if (pipe(output) != 0) {
    run.why = strerror(errno);
    return run;
  }
  if (pipe2(status, O_CLOEXEC) != 0) {
    run.why = strerror(errno);
    close(output[0]);
    close(output[1]);
    return run;
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const std::string hidden = std::string(kArchiverSwitches) + "=";
  std::vector<char*> envp;
  for (char** e = environ; *e != nullptr; ++e) {
    if (strncmp(*e, hidden.c_str(), hidden.size()) != 0) envp.push_back(*e);
  }
  envp.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int input = open("/dev/null", O_RDONLY);
    int error = 0;
    if (input < 0 || dup2(input, 0) < 0 || dup2(output[1], 1) < 0 || dup2(output[1], 2) < 0 ||
        chdir(workDir.c_str()) != 0) {
      error = errno;
    } else {
      execvpe(program.c_str(), argv.data(), envp.data());
      error = errno;
    }
    if (write(status[1], &error, sizeof error) < 0) _exit(127);
    _exit(127);
  }
  close(output[1]);
  close(status[1]);
  if (pid < 0) {
    run.why = strerror(errno);
    close(output[0]);
    close(status[0]);
    return run;
  }
  char buffer[4096];
  for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) != 0;) {
    if (n > 0)
      run.output.append(buffer, static_cast<size_t>(n));
    else if (errno != EINTR)
      break;
  }
  close(output[0]);
  int error = 0;
  const bool failed = read(status[0], &error, sizeof error) == sizeof error;
  close(status[0]);
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  if (failed) {
    run.why = error == ENOENT ? "not found" : strerror(error);
    return run;
  }
  run.started = true;
  run.exitCode = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  return run;
}

std::string DefaultArchiver(const std::string&) { return "arj"; }
