// The "Add Missing Provinces" dialog: a view over the missing-province model.
// Each command is handed to the model, then the lists and selections are shown
// as the model holds them. The dialog is modal, shown from the conversion's
// worker thread, and closes only by OK once every province is placed.
#pragma once

#include <windows.h>

#include "assign/province_assigner.h"
#include "refdata/game_folder.h"

class MissingProvinceDialog : public ProvinceAssigner {
 public:
  MissingProvinceDialog(HINSTANCE instance, const GameFolder& gameFolder);
  bool Assign(MissingProvinceModel& model) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog(HWND window);
  void OnCommand(int control, int notification);
  void OnMoveToCountry();
  void OnMoveBack();
  void OnCountryChanged();
  void OnOk();
  void ShowModel();

  HINSTANCE instance_;
  const GameFolder& gameFolder_;
  MissingProvinceModel* model_ = nullptr;
  HWND window_ = nullptr;
  HWND countryBox_ = nullptr;
  HWND notAddedList_ = nullptr;
  HWND countryList_ = nullptr;
};
