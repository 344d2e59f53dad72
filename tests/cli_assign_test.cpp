// The command line placing the provinces a conversion leaves without an owner.
// The program runs as a child process, with standard input from /dev/null or
// from a pseudo-terminal, so these tests need a POSIX system.
#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <sstream>

#include "script/script_file.h"
#include "tests/test_files.h"

namespace {

const std::string kSourceDir = QUILLMERE_SOURCE_DIR;
const std::string kExample = kSourceDir + "/examples/example.kst";
const std::string kShippedPlan = kSourceDir + "/examples/example-plan.txt";

struct ProgramRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs "quillmere convert <example> <scenario> --data <Data> <extra...>" with
// standard input from inputFd and standard error to errorFd (a file when -1).
ProgramRun StartAndWait(const TempDir& dir, const std::string& scenario,
                        const std::vector<std::string>& extra, int inputFd, int errorFd,
                        const std::function<void(pid_t)>& whileRunning) {
  std::vector<std::string> args{QUILLMERE_CLI, "convert", kExample, scenario, "--data", kSourceDir + "/Data"};
  args.insert(args.end(), extra.begin(), extra.end());
  const std::string outPath = dir.File("stdout.txt");
  const std::string errPath = dir.File("stderr.txt");
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    dup2(inputFd, STDIN_FILENO);
    dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
    dup2(errorFd >= 0 ? errorFd : open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  whileRunning(pid);
  int status = 0;
  waitpid(pid, &status, 0);
  ProgramRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFile(outPath);
  run.err = ReadFile(errPath);
  return run;
}

// A run without a terminal: standard input is /dev/null.
ProgramRun Convert(const TempDir& dir, const std::string& scenario, const std::vector<std::string>& extra) {
  const int input = open("/dev/null", O_RDONLY);
  ProgramRun run = StartAndWait(dir, scenario, extra, input, -1, [](pid_t) {});
  close(input);
  return run;
}

// A run on a terminal: standard input and standard error are a pseudo-terminal
// without echo. Each time a province is asked for, typed(k) is typed for the
// k-th question ("\x04" alone is the end-of-input key). shown receives what the
// terminal shows.
ProgramRun ConvertOnTerminal(const TempDir& dir, const std::string& scenario,
                      const std::function<std::string(int)>& typed, std::string& shown,
                      const std::vector<std::string>& extra = {}) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  EXPECT_GE(master, 0);
  grantpt(master);
  unlockpt(master);
  const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
  termios mode{};
  tcgetattr(slave, &mode);
  mode.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  tcsetattr(slave, TCSANOW, &mode);
  ProgramRun run = StartAndWait(dir, scenario, extra, slave, slave, [&](pid_t pid) {
    close(slave);
    const std::string question = "country: ";
    size_t scanned = 0;
    int asked = 0;
    char buffer[4096];
    for (;;) {
      pollfd ready{master, POLLIN, 0};
      if (poll(&ready, 1, 20000) <= 0) {
        ADD_FAILURE() << "no answer from the program";
        kill(pid, SIGKILL);
        return;
      }
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) return;  // the program has ended
      shown.append(buffer, static_cast<size_t>(n));
      for (size_t at = shown.find(question, scanned); at != std::string::npos;
           at = shown.find(question, scanned)) {
        scanned = at + question.size();
        const std::string text = typed(asked++);
        EXPECT_EQ(write(master, text.data(), text.size()), static_cast<ssize_t>(text.size()));
      }
    }
  });
  close(master);
  return run;
}

// What a run without a plan shows: the missing provinces and the offered tags.
struct PrintedPlan {
  std::vector<int32_t> missingIds;
  std::vector<std::string> labels;
  std::vector<std::string> tags;
  std::string text;  // from its first comment line to its last entry
};

PrintedPlan ReadPrintedPlan(const std::string& err) {
  PrintedPlan plan;
  std::istringstream lines(err);
  const std::regex label(R"(#   ((\d+).*))");
  const std::regex entry(R"((\S+) = \{ \})");
  bool inPlan = false;
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    inPlan = inPlan || line.rfind("# Plan", 0) == 0;
    if (!inPlan) continue;
    if (std::regex_match(line, match, label)) {
      plan.labels.push_back(match[1]);
      plan.missingIds.push_back(std::stoi(match[2]));
    } else if (std::regex_match(line, match, entry)) {
      plan.tags.push_back(match[1]);
    } else if (line.rfind('#', 0) != 0) {
      break;
    }
    plan.text += line + "\n";
  }
  return plan;
}

// The plan printed by a conversion of the example that has none.
const PrintedPlan& ExamplePlan() {
  static const PrintedPlan plan = [] {
    TempDir dir;
    return ReadPrintedPlan(Convert(dir, dir.File("unused.kst"), {}).err);
  }();
  return plan;
}

std::string Entry(const std::string& tag, const std::vector<int32_t>& ids) {
  std::string text = tag + " = {";
  for (int32_t id : ids) {
    text += ' ';
    text += std::to_string(id);
  }
  return text + " }\n";
}

// The owned and controlled lists of the scenario's first country with this tag.
std::pair<std::vector<int32_t>, std::vector<int32_t>> ProvinceListsOf(const std::string& path,
                                                                      const std::string& tag) {
  ScriptFile scenario;
  LineCollector log;
  EXPECT_TRUE(scenario.Load(path, path, log));
  std::pair<std::vector<int32_t>, std::vector<int32_t>> lists;
  for (int i = 0; scenario.root && i < scenario.root->ItemCount(); ++i) {
    const ScriptNode* country = scenario.root->ChildAt(i);
    const ScriptNode* tagNode = country->name() == "country" ? country->FirstChild("tag") : nullptr;
    if (!tagNode || tagNode->ItemCount() == 0 || tagNode->TextAt(0) != tag) continue;
    for (auto [key, list] : {std::pair{"ownedprovinces", &lists.first},
                             std::pair{"controlledprovinces", &lists.second}}) {
      const ScriptNode* node = country->FirstChild(key);
      for (int k = 0; node && k < node->ItemCount(); ++k)
        list->push_back(static_cast<int32_t>(node->NumberAt(k)));
    }
    break;
  }
  return lists;
}

// Whether list ends with tail.
bool EndsWith(const std::vector<int32_t>& list, const std::vector<int32_t>& tail) {
  return list.size() >= tail.size() && std::equal(tail.begin(), tail.end(), list.end() - tail.size());
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

TEST(CliMissingProvinces, WithoutAPlanOrATerminalStopAndPrintThePlanToFill) {
  TempDir dir;
  const ProgramRun run = Convert(dir, dir.File("out.kst"), {});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(Exists(dir.File("out.kst")));
  EXPECT_NE(run.err.find("without an owner"), std::string::npos) << run.err;
  const PrintedPlan plan = ReadPrintedPlan(run.err);
  ASSERT_FALSE(plan.missingIds.empty()) << run.err;
  ASSERT_FALSE(plan.tags.empty()) << run.err;
  EXPECT_NE(std::find(plan.tags.begin(), plan.tags.end(), "ENG"), plan.tags.end());
  EXPECT_NE(run.err.find("# Offered countries: " + plan.tags.front()), std::string::npos);
  for (const std::string& label : plan.labels) EXPECT_EQ(label, std::to_string(std::stoi(label)));
}

TEST(CliMissingProvinces, ThePrintedPlanOnceFilledIsCarriedOut) {
  const PrintedPlan& printed = ExamplePlan();
  ASSERT_GE(printed.tags.size(), 2u);
  // Every province to the countries in turn; the entries keep the printed order.
  std::map<std::string, std::vector<int32_t>> given;
  for (size_t i = 0; i < printed.missingIds.size(); ++i)
    given[printed.tags[i % printed.tags.size()]].push_back(printed.missingIds[i]);
  std::string filled = printed.text;
  for (const std::string& tag : printed.tags) {
    const std::string empty = tag + " = { }\n";
    filled.replace(filled.find(empty), empty.size(), Entry(tag, given[tag]));
  }
  TempDir dir;
  WriteFile(dir.File("plan.txt"), filled);
  const ProgramRun run = Convert(dir, dir.File("out.kst"), {"--assign", dir.File("plan.txt")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  for (const std::string& tag : printed.tags) {
    const auto [owned, controlled] = ProvinceListsOf(dir.File("out.kst"), tag);
    EXPECT_TRUE(EndsWith(owned, given[tag])) << tag;
    EXPECT_TRUE(EndsWith(controlled, given[tag])) << tag;
  }
}

TEST(CliMissingProvinces, TheExampleConvertsWithTheShippedPlan) {
  TempDir dir;
  const ProgramRun run = Convert(dir, dir.File("out.kst"), {"--assign", kShippedPlan});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("File saved successfully!"), std::string::npos);
  EXPECT_EQ(ReadFile(dir.File("out.kst")).rfind("#File generated by ", 0), 0u);
}

TEST(CliMissingProvinces, APlanWithATagNotOfferedIsRefused) {
  const PrintedPlan& printed = ExamplePlan();
  ASSERT_FALSE(printed.missingIds.empty());
  TempDir dir;
  WriteFile(dir.File("plan.txt"), Entry(printed.tags.front(), {}) + Entry("XYZ", printed.missingIds));
  const ProgramRun run = Convert(dir, dir.File("out.kst"),
                          {"--assign", dir.File("plan.txt"), "--assign-rest", printed.tags.front()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("gives provinces to XYZ, which the scenario does not offer"), std::string::npos)
      << run.err;
  EXPECT_FALSE(Exists(dir.File("out.kst")));
}

TEST(CliMissingProvinces, APlanThatLeavesProvincesUnplacedIsRefused) {
  const PrintedPlan& printed = ExamplePlan();
  ASSERT_GE(printed.missingIds.size(), 3u);
  const std::vector<int32_t> placed(printed.missingIds.begin() + 1, printed.missingIds.end() - 1);
  TempDir dir;
  WriteFile(dir.File("plan.txt"), Entry(printed.tags.front(), placed));
  const ProgramRun run = Convert(dir, dir.File("out.kst"), {"--assign", dir.File("plan.txt")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("leaves these provinces without a country: " +
                         std::to_string(printed.missingIds.front()) + " " +
                         std::to_string(printed.missingIds.back()) + "\n"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(Exists(dir.File("out.kst")));
}

TEST(CliMissingProvinces, APlanThatIsNotMadeOfEntriesIsRefused) {
  const PrintedPlan& printed = ExamplePlan();
  TempDir dir;
  for (const std::string text : {"ENG = { 550 }}\n", "ENG = { a = { 1 } }\n"}) {
    WriteFile(dir.File("plan.txt"), text);
    const ProgramRun run = Convert(dir, dir.File("out.kst"),
                            {"--assign", dir.File("plan.txt"), "--assign-rest", printed.tags.front()});
    EXPECT_EQ(run.exitCode, 1) << text;
    EXPECT_NE(run.err.find("The plan " + dir.File("plan.txt")), std::string::npos) << run.err;
    EXPECT_FALSE(Exists(dir.File("out.kst")));
  }
}

TEST(CliMissingProvinces, PlanIdsThatAreNotMissingArePassedOverWithAWarning) {
  const PrintedPlan& printed = ExamplePlan();
  ASSERT_FALSE(printed.missingIds.empty());
  std::vector<int32_t> ids = printed.missingIds;
  ids.insert(ids.begin() + 1, 9999);
  ids.push_back(printed.missingIds.front());
  TempDir dir;
  WriteFile(dir.File("plan.txt"), Entry(printed.tags.back(), ids));
  const ProgramRun run = Convert(dir, dir.File("out.kst"), {"--assign", dir.File("plan.txt")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("Warning: the plan " + dir.File("plan.txt") +
                         " names provinces that are not missing; passed over: 9999\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("passed over: " + std::to_string(printed.missingIds.front()) + "\n"),
            std::string::npos)
      << run.err;
  const auto [owned, controlled] = ProvinceListsOf(dir.File("out.kst"), printed.tags.back());
  EXPECT_TRUE(EndsWith(owned, printed.missingIds));
  EXPECT_TRUE(EndsWith(controlled, printed.missingIds));
}

TEST(CliMissingProvinces, AssignRestPlacesWhatThePlanLeaves) {
  const PrintedPlan& printed = ExamplePlan();
  ASSERT_GE(printed.missingIds.size(), 2u);
  ASSERT_GE(printed.tags.size(), 2u);
  const std::string first = printed.tags.front();
  const std::string rest = printed.tags.back();
  TempDir dir;
  WriteFile(dir.File("plan.txt"), Entry(first, {printed.missingIds[1]}));
  const ProgramRun run = Convert(dir, dir.File("out.kst"), {"--assign", dir.File("plan.txt"), "--assign-rest", rest});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(EndsWith(ProvinceListsOf(dir.File("out.kst"), first).first, {printed.missingIds[1]}));
  std::vector<int32_t> others = printed.missingIds;
  others.erase(others.begin() + 1);
  const auto [owned, controlled] = ProvinceListsOf(dir.File("out.kst"), rest);
  EXPECT_TRUE(EndsWith(owned, others));
  EXPECT_TRUE(EndsWith(controlled, others));

  TempDir alone;
  const ProgramRun withoutPlan = Convert(alone, alone.File("out.kst"), {"--assign-rest", first});
  ASSERT_EQ(withoutPlan.exitCode, 0) << withoutPlan.err;
  EXPECT_TRUE(EndsWith(ProvinceListsOf(alone.File("out.kst"), first).first, printed.missingIds));
}

TEST(CliMissingProvinces, AssignRestToATagNotOfferedIsRefused) {
  TempDir dir;
  const ProgramRun run = Convert(dir, dir.File("out.kst"), {"--assign-rest", "XYZ"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("--assign-rest XYZ: the scenario offers no such country"), std::string::npos)
      << run.err;
  EXPECT_FALSE(Exists(dir.File("out.kst")));
}

TEST(CliMissingProvinces, LabelsCarryTheNamesOfTheGameFolder) {
  const PrintedPlan& printed = ExamplePlan();
  ASSERT_GE(printed.missingIds.size(), 2u);
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "Config");
  WriteFile((dir.path() / "Config" / "province_names.csv").string(),
            "PROV" + std::to_string(printed.missingIds.front()) + ";Fenmouth;x\r\n");
  const ProgramRun run = Convert(dir, dir.File("out.kst"), {"--game-dir", dir.path().string()});
  EXPECT_EQ(run.exitCode, 1);
  const PrintedPlan named = ReadPrintedPlan(run.err);
  EXPECT_EQ(named.missingIds, printed.missingIds);
  const std::string second = std::to_string(printed.missingIds[1]);
  EXPECT_EQ(named.labels[0], std::to_string(printed.missingIds.front()) + ", Fenmouth");
  EXPECT_EQ(named.labels[1], second + ", PROV" + second);
}

// A game folder whose names file names the first missing province with control characters.
std::string FolderWithControlCharacters(const TempDir& dir) {
  std::filesystem::create_directories(dir.path() / "Config");
  WriteFile((dir.path() / "Config" / "province_names.csv").string(),
            "PROV" + std::to_string(ExamplePlan().missingIds.front()) + ";Fen\x1b[2Jmouth\x07\n");
  return dir.path().string();
}

TEST(CliMissingProvinces, ControlCharactersOfNamesReachOtherOutputsAsTheyAre) {
  TempDir dir;
  const ProgramRun run = Convert(dir, dir.File("out.kst"), {"--game-dir", FolderWithControlCharacters(dir)});
  const std::string first = std::to_string(ExamplePlan().missingIds.front());
  EXPECT_EQ(ReadPrintedPlan(run.err).labels.front(), first + ", Fen\x1b[2Jmouth\x07");
}

TEST(CliMissingProvinces, ControlCharactersOfNamesAreShownEscapedOnATerminal) {
  TempDir dir;
  std::string shown;
  const ProgramRun run = ConvertOnTerminal(
      dir, dir.File("out.kst"), [](int) { return std::string("\x04"); }, shown,
      {"--game-dir", FolderWithControlCharacters(dir)});
  EXPECT_EQ(run.exitCode, 1);
  const std::string first = std::to_string(ExamplePlan().missingIds.front());
  EXPECT_NE(shown.find("Province " + first + ", Fen\\x1b[2Jmouth\\x07 - country: "), std::string::npos)
      << shown;
  EXPECT_EQ(shown.find('\x1b'), std::string::npos);
}

TEST(CliMissingProvinces, OptionsNamingNothingAreAWrongCall) {
  TempDir dir;
  EXPECT_EQ(Convert(dir, dir.File("out.kst"), {"--assign", dir.File("no-plan.txt")}).exitCode, 2);
  EXPECT_EQ(Convert(dir, dir.File("out.kst"), {"--game-dir", dir.File("no-folder")}).exitCode, 2);
  EXPECT_FALSE(Exists(dir.File("out.kst")));
}

TEST(CliMissingProvinces, OnATerminalAreAskedForOneByOne) {
  const PrintedPlan& printed = ExamplePlan();
  ASSERT_FALSE(printed.missingIds.empty());
  const std::string tag = printed.tags.back();
  TempDir dir;
  std::string shown;
  const std::vector<std::string> first{"XYZ\n", "\n"};  // a tag not offered, then no tag
  const ProgramRun run = ConvertOnTerminal(
      dir, dir.File("out.kst"), [&](int k) { return k < 2 ? first[k] : tag + "\n"; }, shown);
  ASSERT_EQ(run.exitCode, 0) << shown;
  const std::string firstQuestion = "Province " + printed.labels.front() + " - country: ";
  EXPECT_NE(shown.find(firstQuestion + firstQuestion), std::string::npos);
  EXPECT_NE(shown.find("XYZ is not offered; choose one of: " + printed.tags.front()), std::string::npos);
  EXPECT_NE(shown.find("Province " + printed.labels.back() + " - country: "), std::string::npos);
  const auto [owned, controlled] = ProvinceListsOf(dir.File("out.kst"), tag);
  EXPECT_TRUE(EndsWith(owned, printed.missingIds));
  EXPECT_TRUE(EndsWith(controlled, printed.missingIds));
}

TEST(CliMissingProvinces, OnATerminalStopWhenTheInputEnds) {
  const PrintedPlan& printed = ExamplePlan();
  ASSERT_GE(printed.missingIds.size(), 2u);
  TempDir dir;
  std::string shown;
  const ProgramRun run = ConvertOnTerminal(
      dir, dir.File("out.kst"), [&](int k) { return k == 0 ? printed.tags.front() + "\n" : "\x04"; }, shown);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(shown.find("No answer; the conversion stops."), std::string::npos) << shown;
  EXPECT_FALSE(Exists(dir.File("out.kst")));
}

}  // namespace

#endif  // _WIN32
