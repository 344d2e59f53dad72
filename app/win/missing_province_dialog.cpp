#include "app/win/missing_province_dialog.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/files/province_names_file.h"
#include "app/win/message_box.h"
#include "app/win/resource_ids.h"
#include "app/win/selection_list.h"
#include "app/win/window_centring.h"
#include "assign/missing_province_model.h"

namespace {

// What the status log says when the dialog is left before every province has a country.
constexpr std::string_view kClosedLine =
    "Add Missing Provinces was closed with provinces left: nothing is written.";
constexpr std::string_view kNoCountryLine =
    "The save offers no country to give the missing provinces to: nothing is written.";

// The text the box shows: the entry picked, or what was typed.
std::string BoxText(HWND box) {
  std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(box)) + 1, '\0');
  GetWindowTextA(box, text.data(), static_cast<int>(text.size()));
  return text.data();
}

std::optional<std::string> BoxEntryText(HWND box, LRESULT index) {
  const LRESULT length = SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return std::nullopt;
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return std::string(text.data());
}

// The text of the entry just picked from the box's list. While the box reports
// the pick, its text may still be the previous one.
std::string PickedText(HWND box) {
  const LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
  return BoxEntryText(box, index).value_or(BoxText(box));
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

// Shows a move the model has made: the moved entries leave one list and join
// the end of the other, whose labels now end with them; the list they left
// selects what the model selects.
void ShowMove(HWND from, HWND to, const std::vector<std::size_t>& moved,
              const std::vector<std::size_t>& selectionLeft, const std::vector<std::string>& labelsJoined) {
  DrawingPaused fromPaused(from);
  DrawingPaused toPaused(to);
  DeleteEntries(from, moved);
  AppendEntries(to, std::span(labelsJoined).last(moved.size()));
  SelectEntries(from, selectionLeft);
}

// ctrl+A selects the whole list; other keys keep their usual meaning.
INT_PTR OnListKey(HWND list, int key) {
  constexpr INT_PTR kUsualAction = -1;
  constexpr INT_PTR kHandled = -2;
  if (key != 'A' || GetKeyState(VK_CONTROL) >= 0) return kUsualAction;
  SelectAllEntries(list);
  return kHandled;
}

}  // namespace

MissingProvinceDialog::MissingProvinceDialog(HINSTANCE instance, const GameFolder& gameFolder, StatusLog& log)
    : instance_(instance), gameFolder_(gameFolder), log_(log) {}

std::optional<ProvincePlacement> MissingProvinceDialog::Place(const MissingProvinces& missing) {
  MissingProvinceModel model(missing);
  model_ = &model;
  const INT_PTR result = DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_MISSING_PROVINCES), GetActiveWindow(),
                                         DialogProcOf<MissingProvinceDialog>,
                                         reinterpret_cast<LPARAM>(this));
  model_ = nullptr;
  window_ = nullptr;
  if (result != IDC_MISSING_OK) return std::nullopt;
  return model.Placement();
}

INT_PTR MissingProvinceDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      OnAbandon();
      return TRUE;
    case WM_VKEYTOITEM:  // its result goes back to the list as it stands
      return OnListKey(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    default:
      return FALSE;
  }
}

void MissingProvinceDialog::OnInitDialog(HWND window) {
  window_ = window;
  countryBox_ = GetDlgItem(window, IDC_COUNTRY_BOX);
  notAddedList_ = GetDlgItem(window, IDC_NOT_ADDED_LIST);
  countryList_ = GetDlgItem(window, IDC_COUNTRY_LIST);
  model_->Open(ReadProvinceNames(gameFolder_.Find()));
  FillBox(countryBox_, model_->countryTags(), model_->SelectedTag());
  FillEntries(notAddedList_, model_->notAddedLabels());
  FillEntries(countryList_, model_->countryLabels());
  CentreWindow(window);
}

void MissingProvinceDialog::OnCommand(int control, int notification) {
  if (control == IDC_MOVE_TO_COUNTRY && notification == BN_CLICKED) OnMove(true);
  if (control == IDC_MOVE_BACK && notification == BN_CLICKED) OnMove(false);
  if (control == IDC_COUNTRY_BOX && notification == CBN_SELCHANGE) FollowCountry(PickedText(countryBox_));
  if (control == IDC_COUNTRY_BOX && notification == CBN_EDITCHANGE) FollowCountry(BoxText(countryBox_));
  if (control == IDC_MISSING_OK && notification == BN_CLICKED) OnOk();
  if (control == IDCANCEL) OnAbandon();
}

void MissingProvinceDialog::OnMove(bool toCountry) {
  FollowCountry(BoxText(countryBox_));
  const HWND from = toCountry ? notAddedList_ : countryList_;
  const HWND to = toCountry ? countryList_ : notAddedList_;
  const auto selection = [this, toCountry] {
    return toCountry ? model_->notAddedSelection() : model_->countrySelection();
  };
  if (toCountry)
    model_->SelectNotAdded(SelectedEntries(from));
  else
    model_->SelectInCountry(SelectedEntries(from));
  const std::vector<std::size_t> moved = selection();
  if (!(toCountry ? model_->MoveToCountry() : model_->MoveBack())) return;
  ShowMove(from, to, moved, selection(), toCountry ? model_->countryLabels() : model_->notAddedLabels());
}

// The country list shows the provinces of the country the box shows; only a
// change of country refills it.
void MissingProvinceDialog::FollowCountry(const std::string& boxText) {
  if (model_->ChooseCountryByText(boxText)) FillEntries(countryList_, model_->countryLabels());
}

void MissingProvinceDialog::OnOk() {
  if (const std::optional<std::string> message = model_->TryFinish()) {
    ShowProgramMessage(window_, *message);
    return;
  }
  EndDialog(window_, IDC_MISSING_OK);
}

void MissingProvinceDialog::OnAbandon() {
  log_.AddLine(model_->countryTags().empty() ? kNoCountryLine : kClosedLine);
  EndDialog(window_, IDCANCEL);
}
