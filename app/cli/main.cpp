// quillmere: the command-line front end.
//
//   quillmere check FILE        load FILE and print the reader's status lines
//   quillmere format IN OUT     load IN and write it out again in the writer's layout
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "app/cli/console_log.h"
#include "app/core/program_info.h"
#include "script/script_file.h"

namespace {

int Check(const std::string& path) {
  ConsoleLog log;
  ScriptFile file;
  return file.Load(path, path, log) ? 0 : 1;
}

int Format(const std::string& in, const std::string& out) {
  ConsoleLog log;
  ScriptFile file;
  if (!file.Load(in, in, log)) return 1;
  return file.Save(out, kGeneratorText, log) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Quillmere: converts Saltmarch save games into Brackenfold scenarios."};
  app.require_subcommand(1);

  std::string checkPath;
  CLI::App* check = app.add_subcommand("check", "Load a script file and report what the reader finds");
  check->add_option("FILE", checkPath, "the file to load")->required();

  std::string formatIn, formatOut;
  CLI::App* format = app.add_subcommand("format", "Load a script file and write it out again");
  format->add_option("IN", formatIn, "the file to load")->required();
  format->add_option("OUT", formatOut, "the file to write")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    CLI::App* failed = &app;
    for (CLI::App* sub : app.get_subcommands()) failed = sub;
    std::fprintf(stderr, "%s\n\n%s", e.what(), failed->help().c_str());
    return 2;
  }

  if (check->parsed()) return Check(checkPath);
  if (format->parsed()) return Format(formatIn, formatOut);
  return 2;
}
