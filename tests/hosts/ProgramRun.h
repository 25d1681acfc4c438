#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"

namespace calyra::testing {

// What the demo host printed and answered when a test ran it as a person runs it from a shell.
struct ProgramRun {
  int exitCode = -1;
  std::string output;  // standard output, with standard error too unless it went to its own file
  std::string errors;  // standard error when it was kept apart
};

// A word for the shell, in single quotes.
inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// An oid as the demo host prints it: "0x%08X".
inline std::string Hex(CEOID oid) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", oid);
  return text;
}

// The oid printed as "0x%08X" right after `label` in `output`; 0 when there is none.
inline CEOID OidAfter(const std::string& output, const std::string& label) {
  size_t at = output.find(label + "0x");
  return at == std::string::npos
             ? 0
             : static_cast<CEOID>(std::stoul(output.substr(at + label.size() + 2, 8), nullptr, 16));
}

inline std::string ReadTextFile(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs `program` with `arguments`, its input read from `input`; standard error goes to `errors`
// when given, else it is mixed into the output in the order written.
inline ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::filesystem::path& input,
                             const std::filesystem::path* errors = nullptr) {
  std::string command = ShellQuote(program);
  for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
  command += " < " + ShellQuote(input.string());
  command += errors ? " 2>" + ShellQuote(errors->string()) : std::string(" 2>&1");
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, read);
  int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (errors) run.errors = ReadTextFile(*errors);
  return run;
}

}  // namespace calyra::testing
