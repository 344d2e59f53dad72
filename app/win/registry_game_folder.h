// Where Brackenfold is installed, as its installer records it: the text value
// "path" of HKEY_LOCAL_MACHINE\SOFTWARE\Wendrake\Brackenfold. The key is opened
// for reading only, first in the 64-bit and then in the 32-bit view of the
// registry, so that the folder of a 32-bit installation is found as well.
#pragma once

#include "app/files/game_folder.h"

class RegistryGameFolder : public GameFolder {
 public:
  std::optional<std::string> Find() const override;
};
