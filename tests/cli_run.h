// Running the command-line program as a user does, through a POSIX shell.
#pragma once
#ifndef _WIN32

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct CliResult {
  int exitCode;
  std::string output;  // standard output and standard error together
};

// Runs a shell command line and collects what it prints.
inline CliResult RunCommand(const std::string& command) {
  std::FILE* pipe = popen(("{ " + command + "; } 2>&1").c_str(), "r");
  CliResult result{-1, {}};
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// Runs the program with the given (shell-quoted) arguments.
inline CliResult RunCli(const std::string& arguments) { return RunCommand(Quoted(QUILLMERE_CLI) + " " + arguments); }

#endif
