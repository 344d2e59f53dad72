// The common Open and Save As requests of a conversion, for Saltmarch save
// games and Brackenfold scenarios. Both start with the name "*.kst", add the
// extension "kst" to a name typed without one, and have room for long paths.
#pragma once

#include <windows.h>

#include <optional>

#include "app/core/conversion_run.h"

std::optional<ChosenFile> AskSaveGameToOpen(HWND owner);
std::optional<ChosenFile> AskScenarioToSave(HWND owner);
