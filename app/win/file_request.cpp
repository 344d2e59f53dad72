#include "app/win/file_request.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Room for the longest path Windows accepts.
constexpr DWORD kPathBufferSize = 32768;

// A filter as the request takes it: each "|" becomes a terminating zero.
std::string FilterText(std::string_view filter) {
  std::string text(filter);
  std::replace(text.begin(), text.end(), '|', '\0');
  return text;
}

struct FileRequest {
  std::string_view filter;
  DWORD options;
  bool save;
};

std::optional<ChosenFile> AskFile(HWND owner, const FileRequest& request) {
  const std::string filter = FilterText(request.filter);
  std::vector<char> path(kPathBufferSize);
  std::vector<char> title(kPathBufferSize);
  lstrcpynA(path.data(), "*.kst", static_cast<int>(path.size()));

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kPathBufferSize;
  dialog.lpstrFileTitle = title.data();
  dialog.nMaxFileTitle = kPathBufferSize;
  dialog.lpstrDefExt = "kst";
  dialog.Flags = request.options;

  const BOOL chosen = request.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen) return std::nullopt;
  return ChosenFile{path.data(), title.data()};
}

}  // namespace

std::optional<ChosenFile> AskSaveGameToOpen(HWND owner) {
  return AskFile(owner, {"Saltmarch Files (*.kst)|*.kst||",
                         OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER,
                         false});
}

std::optional<ChosenFile> AskScenarioToSave(HWND owner) {
  return AskFile(owner, {"Brackenfold Files (*.kst)|*.kst||",
                         OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING | OFN_EXPLORER,
                         true});
}
