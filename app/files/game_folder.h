// Where the target game is installed: the folder that holds its Config folder,
// or none when it is not known. The Windows program reads it from the registry
// (read-only).
#pragma once

#include <optional>
#include <string>

class GameFolder {
 public:
  virtual ~GameFolder() = default;
  virtual std::optional<std::string> Find() const = 0;
};
