#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace calyra::testing {

// A helper program started as a real OS process, its standard output read line by line.
class ChildProcess {
 public:
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<std::string> all{program.string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    output_ = fdopen(pipeFds[0], "r");
  }
  ~ChildProcess() {
    if (pid_ > 0) Kill();
    if (output_) std::fclose(output_);
  }
  bool Started() const { return pid_ > 0; }
  // The next whole line of output; false at the end of the output.
  bool ReadLine(std::string* line) {
    char buffer[256];
    if (!output_ || !std::fgets(buffer, sizeof buffer, output_)) return false;
    *line = buffer;
    if (line->empty() || line->back() != '\n') return false;  // a line cut by the kill
    line->pop_back();
    return true;
  }
  void Kill() {
    kill(pid_, SIGKILL);
    Wait();
  }
  // Waits at most `milliseconds` for the process to end; true when it ended.
  bool WaitFor(int milliseconds) {
    for (int waited = 0; pid_ > 0 && waited <= milliseconds; waited += 10) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return true;
      }
      usleep(10000);
    }
    return pid_ <= 0;
  }
  int Wait() {
    int status = 0;
    if (pid_ > 0) waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  FILE* output_ = nullptr;
};

}  // namespace calyra::testing
