// The text side of the save generator: writes keys, values, lists and blocks in
// the layout of a game's own save files. Indentation is one tab per level; a
// line ends in LF or CR LF as chosen; assignments come both as "key=value" and
// as "key = value", and blocks open both on the key's line and on the next one,
// as the games' files mix them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bench/save_random.h"

enum class LineEnd { kLf, kCrLf };

class SaveText {
 public:
  SaveText(LineEnd lineEnd, SaveRandom& random);

  void Comment(std::string_view text);
  void Word(std::string_view key, std::string_view word);
  void Whole(std::string_view key, int64_t value);
  // thousandths 12345 is written 12.345, -250 is written -0.250.
  void Fixed(std::string_view key, int64_t thousandths);
  void Quoted(std::string_view key, std::string_view text);
  void Date(std::string_view key, int year, int month, int day);
  void WholeList(std::string_view key, const std::vector<int64_t>& values);
  void WordList(std::string_view key, const std::vector<std::string_view>& words);

  void Open(std::string_view key);
  void OpenAnonymous();
  void Close();

  size_t Size() const { return text_.size(); }
  std::string Take() { return std::move(text_); }

 private:
  static constexpr size_t kListItemsPerLine = 20;

  void StartLine();
  void EndLine();
  void Key(std::string_view key);
  void AppendWhole(int64_t value);
  template <typename T, typename AppendItem>
  void List(std::string_view key, const std::vector<T>& items, AppendItem appendItem);

  std::string text_;
  std::string_view lineEnd_;
  SaveRandom& random_;
  int depth_ = 0;
};
