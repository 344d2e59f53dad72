// A list box of labels with extended selection (shift- and ctrl-click, ctrl+A),
// worked by index: what is selected, selecting, and changing entries in bulk.
// Changes of many entries are drawn once, when they are done, so that lists of
// thousands of labels fill and change at once.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// The selected indexes, in list order.
std::vector<std::size_t> SelectedEntries(HWND list);
// Selects exactly these indexes; the first gets the focus mark and is scrolled into view.
void SelectEntries(HWND list, const std::vector<std::size_t>& indexes);
void SelectAllEntries(HWND list);
// Replaces every entry by the labels.
void FillEntries(HWND list, std::span<const std::string> labels);
void AppendEntries(HWND list, std::span<const std::string> labels);
// Removes the entries at these indexes (in list order).
void DeleteEntries(HWND list, const std::vector<std::size_t>& indexes);

// Holds back the drawing of a list while it changes; it is drawn again once
// the pause ends.
class DrawingPaused {
 public:
  explicit DrawingPaused(HWND list);
  ~DrawingPaused();
  DrawingPaused(const DrawingPaused&) = delete;
  DrawingPaused& operator=(const DrawingPaused&) = delete;

 private:
  HWND list_;
};
