// The status log shown in a list box of a dialog: each line becomes the last
// item of the list, and the list's horizontal extent follows its widest line,
// so that every line can be scrolled into view. A worker thread may add lines
// too; the list box carries them out on the dialog's thread, one at a time.
#pragma once

#include <windows.h>

#include "script/status_log.h"

class ListBoxLog : public StatusLog {
 public:
  void Bind(HWND listBox) { listBox_ = listBox; }
  void AddLine(std::string_view text) override;
  void Clear() override;

 private:
  int TextWidth(std::string_view text) const;

  HWND listBox_ = nullptr;
  int widest_ = 0;  // pixels, with the margin the list draws its text in
};
