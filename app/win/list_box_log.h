// The status log shown in a list box of a dialog: each line becomes the last
// item of the list. A worker thread may add lines too; the list box carries
// them out on the dialog's thread, one at a time.
#pragma once

#include <windows.h>

#include "script/status_log.h"

class ListBoxLog : public StatusLog {
 public:
  void Bind(HWND listBox) { listBox_ = listBox; }
  void AddLine(std::string_view text) override;
  void Clear() override;

 private:
  HWND listBox_ = nullptr;
};
