// Where the target game is installed: the folder that holds its Config folder,
// or none when it is not known. The Windows program reads it from the registry
// (read-only); the command line takes it from --game-dir.
#pragma once

#include <optional>
#include <string>
#include <utility>

class GameFolder {
 public:
  virtual ~GameFolder() = default;
  virtual std::optional<std::string> Find() const = 0;
};

// A folder given up front, or none.
class FixedGameFolder : public GameFolder {
 public:
  explicit FixedGameFolder(std::optional<std::string> folder) : folder_(std::move(folder)) {}
  std::optional<std::string> Find() const override { return folder_; }

 private:
  std::optional<std::string> folder_;
};
