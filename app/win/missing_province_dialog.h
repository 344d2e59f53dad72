// The "Add Missing Provinces" dialog: a view over the missing-province model.
// Each command reads what the user sees at that moment (the country box's
// text, the lists' selections), hands it to the model, and then changes only
// the lists that the command changed. The dialog is modal, shown from the
// conversion's worker thread. OK closes it once every province is placed;
// Esc or a close request abandons the conversion, with a line in the status
// log that says why.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/win/dialog_proc.h"
#include "assign/province_placement.h"
#include "app/files/game_folder.h"
#include "script/status_log.h"

class MissingProvinceModel;

class MissingProvinceDialog : public ProvinceAssigner {
 public:
  MissingProvinceDialog(HINSTANCE instance, const GameFolder& gameFolder, StatusLog& log);
  std::optional<ProvincePlacement> Place(const MissingProvinces& missing) override;

 private:
  friend INT_PTR CALLBACK DialogProcOf<MissingProvinceDialog>(HWND, UINT, WPARAM, LPARAM);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog(HWND window);
  void OnCommand(int control, int notification);
  // "<-" (toCountry) and "->": the selection of one list goes over to the other.
  void OnMove(bool toCountry);
  void FollowCountry(const std::string& boxText);
  void OnOk();
  void OnAbandon();

  HINSTANCE instance_;
  const GameFolder& gameFolder_;
  StatusLog& log_;
  MissingProvinceModel* model_ = nullptr;
  HWND window_ = nullptr;
  HWND countryBox_ = nullptr;
  HWND notAddedList_ = nullptr;
  HWND countryList_ = nullptr;
};
