// Runs of the command-line program kept byte for byte: each folder under
// tests/golden holds a case.
//   command.txt             the arguments (through sh), with {source} for the
//                           source folder, {case} for the case's folder and {out}
//                           for a fresh, empty folder
//   stdin.txt               optional: typed on a terminal. Standard input and
//                           standard error are then a pseudo-terminal (no echo,
//                           no output processing) and the end-of-input key
//                           follows the text; without it standard input is
//                           /dev/null and standard error a file.
//   expected-stdout.txt     what the program prints, and what standard error
//   expected-stderr.txt     shows; in both the folders above are written as
//                           their placeholders, and the program's own path
//                           as {program}
//   expected-exit-code.txt
//   expected-out/           every file the command leaves in {out}, byte for
//                           byte; no other file may be left there (without the
//                           folder, {out} must stay empty)
// and the inputs the command names. A case's expected files are the output of
// the program the case was added with: never edit them by hand. To add a case,
// write its command and inputs and run this test once with
// QUILLMERE_GOLDEN_WRITE=1, which writes the expected files of the cases that
// have none yet; read them through before committing. (ctest lists the cases
// found when the tests were last built.) The program run is the one built with
// the tests, or the one that QUILLMERE_CLI_OVERRIDE names (another build of it,
// such as a 32-bit one), started through the command QUILLMERE_CLI_EMULATOR
// names if it is set (qemu-i386 for a 32-bit program on a machine that does not
// run them, wine for the Windows console program). A program that sees its own
// path under another name (a Windows program sees a Windows path) prints that
// name in its usage lines: QUILLMERE_CLI_SHOWN_AS gives it.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGolden = fs::path(QUILLMERE_SOURCE_DIR) / "tests" / "golden";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string ProgramPath() {
  const std::string other = Environment("QUILLMERE_CLI_OVERRIDE");
  return other.empty() ? QUILLMERE_CLI : other;
}

std::string ProgramCommand() {
  const std::string emulator = Environment("QUILLMERE_CLI_EMULATOR");
  return emulator.empty() ? ProgramPath() : emulator + " " + ProgramPath();
}

std::string ProgramShownAs() {
  const std::string shown = Environment("QUILLMERE_CLI_SHOWN_AS");
  return shown.empty() ? ProgramPath() : shown;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(kGolden))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The files of a folder by name, with their bytes.
std::map<std::string, std::string> FilesOf(const fs::path& folder) {
  std::map<std::string, std::string> files;
  if (fs::is_directory(folder))
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
      files[entry.path().filename().string()] = ReadFile(entry.path().string());
  return files;
}

struct ProgramRun {
  int exitCode = -1;
  std::string out, err;
};

// Types the text on the terminal behind master while the program runs, and
// returns what the terminal shows, up to the program's end.
std::string Converse(int master, std::string typed) {
  typed += '\x04';
  fcntl(master, F_SETFL, O_NONBLOCK);
  std::string shown;
  char buffer[4096];
  for (;;) {
    pollfd ready{master, static_cast<short>(POLLIN | (typed.empty() ? 0 : POLLOUT)), 0};
    if (poll(&ready, 1, 60000) <= 0) break;
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n > 0) shown.append(buffer, static_cast<size_t>(n));
    if (n == 0 || (n < 0 && errno != EAGAIN)) break;  // EIO: the program has closed the terminal
    const ssize_t written = typed.empty() ? 0 : write(master, typed.data(), typed.size());
    if (written > 0) typed.erase(0, static_cast<size_t>(written));
  }
  return shown;
}

ProgramRun RunProgram(const std::string& arguments, const TempDir& io, const fs::path& stdinFile) {
  const std::string command = ProgramCommand() + " " + arguments;
  int master = -1, terminal = -1;
  if (fs::exists(stdinFile)) {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
    termios mode{};
    tcgetattr(terminal, &mode);
    mode.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tcsetattr(terminal, TCSANOW, &mode);
  }
  const pid_t child = fork();
  if (child == 0) {
    const int input = terminal >= 0 ? terminal : open("/dev/null", O_RDONLY);
    const int output = open(io.File("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int error = terminal >= 0 ? terminal : open(io.File("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(input, STDIN_FILENO);
    dup2(output, STDOUT_FILENO);
    dup2(error, STDERR_FILENO);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  ProgramRun run;
  if (terminal >= 0) {
    close(terminal);
    run.err = Converse(master, ReadFile(stdinFile.string()));
    close(master);
  }
  int status = 0;
  waitpid(child, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFile(io.File("stdout"));
  if (terminal < 0) run.err = ReadFile(io.File("stderr"));
  return run;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, GivesTheKeptBytes) {
  const fs::path folder = kGolden / GetParam();
  // QUILLMERE_CLI_NO_TERMINAL: the program run cannot tell a terminal (the
  // WebAssembly build under Node, tools/test-wasm.sh), so the cases typed on
  // one are skipped.
  if (fs::exists(folder / "stdin.txt") && !Environment("QUILLMERE_CLI_NO_TERMINAL").empty())
    GTEST_SKIP() << "typed on a terminal, which the program run cannot tell";
  TempDir out, io;
  const std::map<std::string, std::string> places = {
      {"{program}", ProgramShownAs()},
      {"{case}", folder.string()},
      {"{out}", out.path().string()},
      {"{source}", QUILLMERE_SOURCE_DIR}};
  std::string arguments = Trimmed(ReadFile((folder / "command.txt").string()));
  // A command that runs the program again starts it the way the case does.
  arguments = Replaced(arguments, "{program}", ProgramCommand());
  for (const auto& [name, path] : places) arguments = Replaced(arguments, name, path);
  ProgramRun run = RunProgram(arguments, io, folder / "stdin.txt");
  for (const char* name : {"{program}", "{case}", "{out}", "{source}"}) {  // most lie within the source
    run.out = Replaced(run.out, places.at(name), name);
    run.err = Replaced(run.err, places.at(name), name);
  }
  if (std::getenv("QUILLMERE_GOLDEN_WRITE") && !fs::exists(folder / "expected-exit-code.txt")) {
    WriteFile((folder / "expected-exit-code.txt").string(), std::to_string(run.exitCode) + "\n");
    WriteFile((folder / "expected-stdout.txt").string(), run.out);
    WriteFile((folder / "expected-stderr.txt").string(), run.err);
    if (!fs::is_empty(out.path())) fs::copy(out.path(), folder / "expected-out");
    GTEST_SKIP() << "expected files written for " << GetParam();
  }
  EXPECT_EQ(std::to_string(run.exitCode), Trimmed(ReadFile((folder / "expected-exit-code.txt").string())));
  EXPECT_EQ(run.out, ReadFile((folder / "expected-stdout.txt").string()));
  EXPECT_EQ(run.err, ReadFile((folder / "expected-stderr.txt").string()));
  const std::map<std::string, std::string> written = FilesOf(out.path());
  const std::map<std::string, std::string> expected = FilesOf(folder / "expected-out");
  for (const auto& [name, bytes] : written) EXPECT_TRUE(expected.count(name)) << "unexpected file " << name;
  for (const auto& [name, bytes] : expected) {
    const auto found = written.find(name);
    EXPECT_TRUE(found != written.end() && found->second == bytes) << name << " differs from expected-out/" << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace

#endif  // _WIN32
