#include "app/win/registry_game_folder.h"

#include <windows.h>

#include <vector>

namespace {

constexpr const char* kInstallKey = "SOFTWARE\\Wendrake\\Brackenfold";
constexpr const char* kPathValue = "path";

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The text of the value, or none when it is missing or not text.
std::optional<std::string> ReadTextValue(HKEY key, const char* name) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  if (!IsText(type)) return std::nullopt;
  std::vector<char> bytes(size + 1, '\0');
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::string(bytes.data());
}

std::optional<std::string> ReadInstallPath(REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
    return std::nullopt;
  std::optional<std::string> path = ReadTextValue(key, kPathValue);
  RegCloseKey(key);
  return path;
}

}  // namespace

std::optional<std::string> RegistryGameFolder::Find() const {
  if (std::optional<std::string> path = ReadInstallPath(KEY_WOW64_64KEY)) return path;
  return ReadInstallPath(KEY_WOW64_32KEY);
}
