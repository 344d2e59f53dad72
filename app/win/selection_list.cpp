#include "app/win/selection_list.h"

std::vector<std::size_t> SelectedEntries(HWND list) {
  const LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> indexes(static_cast<std::size_t>(count));
  const LRESULT got = SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                   reinterpret_cast<LPARAM>(indexes.data()));
  if (got < 0) return {};
  return std::vector<std::size_t>(indexes.begin(), indexes.begin() + got);
}

void SelectEntries(HWND list, const std::vector<std::size_t>& indexes) {
  SendMessageA(list, LB_SETSEL, FALSE, -1);
  for (std::size_t index : indexes) SendMessageA(list, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
  if (!indexes.empty()) SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(indexes.front()), FALSE);
}

void SelectAllEntries(HWND list) {
  DrawingPaused paused(list);
  SendMessageA(list, LB_SETSEL, TRUE, -1);
}

void FillEntries(HWND list, std::span<const std::string> labels) {
  DrawingPaused paused(list);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  std::size_t bytes = 0;
  for (const std::string& label : labels) bytes += label.size() + 1;
  SendMessageA(list, LB_INITSTORAGE, static_cast<WPARAM>(labels.size()), static_cast<LPARAM>(bytes));
  AppendEntries(list, labels);
}

void AppendEntries(HWND list, std::span<const std::string> labels) {
  for (const std::string& label : labels)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
}

void DeleteEntries(HWND list, const std::vector<std::size_t>& indexes) {
  for (auto index = indexes.rbegin(); index != indexes.rend(); ++index)
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(*index), 0);
}

DrawingPaused::DrawingPaused(HWND list) : list_(list) { SendMessageA(list_, WM_SETREDRAW, FALSE, 0); }

DrawingPaused::~DrawingPaused() {
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}
