#include "app/win/converter_dialog.h"

#include <optional>
#include <string>
#include <vector>

#include "app/core/reference_startup.h"
#include "app/core/run_messages.h"
#include "app/files/data_folder_files.h"
#include "app/win/file_request.h"
#include "app/win/message_box.h"
#include "app/win/resource_ids.h"
#include "app/win/window_centring.h"
#include "app/files/data_folder.h"

namespace {

// Posted by the worker thread as the last thing it does with the dialog; a
// message of its own, which no other window can send by chance.
const UINT kRunEnded = RegisterWindowMessageA("Quillmere.ConversionRunEnded");

std::string ExecutablePath() {
  std::vector<char> path(32768);
  const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  return std::string(path.data(), length < path.size() ? length : 0);
}

}  // namespace

ConverterDialog::ConverterDialog(HINSTANCE instance)
    : instance_(instance), missingProvinceDialog_(instance, gameFolder_, statusLog_) {}

void ConverterDialog::Run() {
  DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_CONVERTER), GetActiveWindow(),
                  DialogProcOf<ConverterDialog>,
                  reinterpret_cast<LPARAM>(this));
}

INT_PTR ConverterDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == kRunEnded) {
    OnRunEnded();
    return TRUE;
  }
  switch (message) {
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_SETCURSOR:
      OnSetCursor();
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_QUIT) OnClose();
      if (LOWORD(wParam) == IDC_CONVERT) OnConvert();
      return TRUE;
    default:
      return FALSE;
  }
}

void ConverterDialog::OnInitDialog(HWND window) {
  window_ = window;
  statusLog_.Bind(GetDlgItem(window, IDC_STATUS_LIST));
  const std::optional<ReferencePart> failed =
      LoadReferenceData(referenceData_, statusLog_, ReadDataFolder(FindDataFolder("", ExecutablePath())));
  if (failed) {
    ShowMessage(StartupFailureMessage(referenceData_, *failed));
    EndDialog(window, IDC_QUIT);
    return;
  }
  statusLog_.AddLine("Global data loaded!");
  busy_ = false;
  CentreWindow(window);
}

void ConverterDialog::OnClose() {
  if (worker_) return;
  referenceData_.Release();
  EndDialog(window_, IDC_QUIT);
}

void ConverterDialog::OnSetCursor() { SetCursor(LoadCursorA(nullptr, busy_ ? IDC_WAIT : IDC_ARROW)); }

void ConverterDialog::OnConvert() {
  if (worker_) return;
  EnableControls(false);
  worker_ = CreateThread(nullptr, 0, RunWorker, this, 0, nullptr);
  if (worker_) return;
  ShowMessage("Error! Could not start the conversion.");
  EnableControls(true);
}

DWORD WINAPI ConverterDialog::RunWorker(LPVOID dialog) {
  auto* self = static_cast<ConverterDialog*>(dialog);
  RunConversion(self->referenceData_, *self);
  PostMessageA(self->window_, kRunEnded, 0, 0);
  return 1;
}

void ConverterDialog::OnRunEnded() {
  if (!worker_) return;
  CloseHandle(worker_);
  worker_ = nullptr;
  EnableControls(true);
}

void ConverterDialog::EnableControls(bool enabled) {
  for (int control : {IDC_CONVERT, IDC_QUIT, IDC_STATUS_LIST})
    EnableWindow(GetDlgItem(window_, control), enabled ? TRUE : FALSE);
}

void ConverterDialog::RefreshCursor() {
  SendMessageA(window_, WM_SETCURSOR, reinterpret_cast<WPARAM>(window_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

std::optional<ChosenFile> ConverterDialog::AskFileToOpen() { return AskSaveGameToOpen(window_); }

std::optional<ChosenFile> ConverterDialog::AskFileToSave() { return AskScenarioToSave(window_); }

void ConverterDialog::ShowMessage(std::string_view text) { ShowProgramMessage(window_, text); }

void ConverterDialog::SetBusy(bool busy) {
  busy_ = busy;
  RefreshCursor();
}
