#include "app/win/missing_province_dialog.h"

#include <optional>
#include <string>
#include <vector>

#include "app/win/message_box.h"
#include "app/win/resource_ids.h"
#include "app/win/window_centring.h"
#include "assign/missing_province_model.h"
#include "refdata/province_names.h"

namespace {

std::optional<std::size_t> ListSelection(HWND list) {
  const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return std::nullopt;
  return static_cast<std::size_t>(index);
}

void ShowList(HWND list, const std::vector<std::string>& labels, std::optional<std::size_t> selection) {
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& label : labels)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
  const WPARAM index = selection ? static_cast<WPARAM>(*selection) : static_cast<WPARAM>(-1);
  SendMessageA(list, LB_SETCURSEL, index, 0);
}

std::optional<std::string> BoxEntryText(HWND box, LRESULT index) {
  const LRESULT length = SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return std::nullopt;
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return std::string(text.data());
}

// The text of the box's selected entry, or none.
std::optional<std::string> BoxSelectionText(HWND box) {
  const LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return std::nullopt;
  return BoxEntryText(box, index);
}

// The first entry spelt exactly as text (the box's own search ignores case), or -1.
LRESULT BoxIndexOf(HWND box, const std::string& text) {
  const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    if (BoxEntryText(box, i) == text) return i;
  return -1;
}

void FillBox(HWND box, const std::vector<std::string>& tags, const std::optional<std::string>& selected) {
  for (const std::string& tag : tags)
    SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tag.c_str()));
  if (!selected) return;
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(BoxIndexOf(box, *selected)), 0);
}

}  // namespace

MissingProvinceDialog::MissingProvinceDialog(HINSTANCE instance, const GameFolder& gameFolder)
    : instance_(instance), gameFolder_(gameFolder) {}

bool MissingProvinceDialog::Assign(MissingProvinceModel& model) {
  model_ = &model;
  const INT_PTR result = DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_MISSING_PROVINCES), GetActiveWindow(),
                                         DialogProc, reinterpret_cast<LPARAM>(this));
  model_ = nullptr;
  window_ = nullptr;
  return result == IDC_MISSING_OK;
}

INT_PTR CALLBACK MissingProvinceDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<MissingProvinceDialog*>(lParam)->OnInitDialog(window);
    return TRUE;
  }
  auto* dialog = reinterpret_cast<MissingProvinceDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!dialog || message != WM_COMMAND) return FALSE;
  dialog->OnCommand(LOWORD(wParam), HIWORD(wParam));
  return TRUE;
}

void MissingProvinceDialog::OnInitDialog(HWND window) {
  window_ = window;
  countryBox_ = GetDlgItem(window, IDC_COUNTRY_BOX);
  notAddedList_ = GetDlgItem(window, IDC_NOT_ADDED_LIST);
  countryList_ = GetDlgItem(window, IDC_COUNTRY_LIST);
  model_->Open(ProvinceNames::FromFolder(gameFolder_.Find()));
  FillBox(countryBox_, model_->countryTags(), model_->SelectedTag());
  ShowModel();
  CentreWindow(window);
}

void MissingProvinceDialog::OnCommand(int control, int notification) {
  if (control == IDC_MOVE_TO_COUNTRY && notification == BN_CLICKED) OnMoveToCountry();
  if (control == IDC_MOVE_BACK && notification == BN_CLICKED) OnMoveBack();
  if (control == IDC_COUNTRY_BOX && notification == CBN_SELCHANGE) OnCountryChanged();
  if (control == IDC_MISSING_OK && notification == BN_CLICKED) OnOk();
}

void MissingProvinceDialog::OnMoveToCountry() {
  model_->SelectNotAdded(ListSelection(notAddedList_));
  model_->MoveToCountry();
  ShowModel();
}

void MissingProvinceDialog::OnMoveBack() {
  model_->SelectInCountry(ListSelection(countryList_));
  model_->MoveBack();
  ShowModel();
}

void MissingProvinceDialog::OnCountryChanged() {
  const std::optional<std::string> tag = BoxSelectionText(countryBox_);
  model_->SelectCountry(tag ? model_->FindCountry(*tag) : std::nullopt);
  ShowModel();
}

void MissingProvinceDialog::OnOk() {
  if (const std::optional<std::string> message = model_->TryFinish()) {
    ShowProgramMessage(window_, *message);
    return;
  }
  EndDialog(window_, IDC_MISSING_OK);
}

void MissingProvinceDialog::ShowModel() {
  ShowList(notAddedList_, model_->notAddedLabels(), model_->notAddedSelection());
  ShowList(countryList_, model_->countryLabels(), model_->countrySelection());
}
