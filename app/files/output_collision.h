// Outputs of a run that would take the place of another of its files: of
// another output, or of a file the run reads. Paths are compared as the files
// they are or will be (see SameFile), so that no spelling of a path, link or
// second name lets a run replace what it reads or write one file twice.
#pragma once

#include <optional>
#include <string>
#include <vector>

// A file of a run and what it is to the user ("scenario", "save game").
struct RunFile {
  std::string what;
  std::string path;
};

// "The WHAT PATH would overwrite the WHAT PATH; choose another file." for the
// first output that meets an earlier output or an input; nothing when none does.
std::optional<std::string> OutputCollision(const std::vector<RunFile>& outputs, const std::vector<RunFile>& inputs);
// The same for a scenario written to target from the save game at save.
std::optional<std::string> ScenarioCollision(const std::string& target, const std::string& save);
