// The main dialog of the Windows program. It loads the reference data when it
// opens, runs each Convert command on a worker thread while it keeps answering
// the user, shows the progress in its status list, and supplies the run with
// the file requests, message boxes, wait cursor and missing-province dialog.
//
// While a conversion runs, Convert, Quit and the status list are disabled and
// a close request is ignored: the run reads the reference data, which closing
// releases. The worker tells the dialog when the run has ended; the dialog
// then closes the thread handle and enables the controls again.
#pragma once

#include <windows.h>

#include <atomic>

#include "app/core/conversion_run.h"
#include "app/files/output_collision.h"
#include "app/files/replacing_files.h"
#include "app/files/script_file_io.h"
#include "app/win/dialog_proc.h"
#include "app/win/list_box_log.h"
#include "app/win/missing_province_dialog.h"
#include "app/win/registry_game_folder.h"
#include "refdata/reference_data.h"

class ConverterDialog : public RunPlatform {
 public:
  explicit ConverterDialog(HINSTANCE instance);

  // Shows the dialog and returns when it has ended.
  void Run();

  std::optional<ChosenFile> AskFileToOpen() override;
  std::optional<ChosenFile> AskFileToSave() override;
  bool ReadSave(const std::string& path, ScriptFile& save) override {
    return ReadScriptFile(save, path, statusLog_) != ScriptFile::LoadResult::kUnreadable;
  }
  void ShowMessage(std::string_view text) override;
  void SetBusy(bool busy) override;
  StatusLog& Log() override { return statusLog_; }
  ProvinceAssigner& Assigner() override { return missingProvinceDialog_; }
  // The scenario of the run, opened once the user has chosen where it goes.
  ReplacingFiles& Outputs() override { return outputs_; }
  std::optional<std::string> ScenarioRefusal(const ChosenFile& target, const ChosenFile& save) override {
    return ScenarioCollision(target.path, save.path);
  }

 private:
  friend INT_PTR CALLBACK DialogProcOf<ConverterDialog>(HWND, UINT, WPARAM, LPARAM);
  static DWORD WINAPI RunWorker(LPVOID dialog);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog(HWND window);
  void OnClose();
  void OnSetCursor();
  void OnConvert();
  void OnRunEnded();
  void EnableControls(bool enabled);
  void RefreshCursor();

  HWND window_ = nullptr;
  std::atomic<bool> busy_{false};
  ListBoxLog statusLog_;
  ReferenceData referenceData_;
  HANDLE worker_ = nullptr;
  HINSTANCE instance_;
  RegistryGameFolder gameFolder_;
  MissingProvinceDialog missingProvinceDialog_;
  ReplacingFiles outputs_;
};
