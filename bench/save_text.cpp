#include "bench/save_text.h"

#include <charconv>

namespace {

// One assignment in four is written with spaces around the equals sign.
constexpr uint32_t kSpacedPercent = 25;
// One block in three opens on the key's own line.
constexpr uint32_t kSameLineBracePercent = 33;

}  // namespace

SaveText::SaveText(LineEnd lineEnd, SaveRandom& random)
    : lineEnd_(lineEnd == LineEnd::kCrLf ? "\r\n" : "\n"), random_(random) {}

void SaveText::StartLine() { text_.append(static_cast<size_t>(depth_), '\t'); }

void SaveText::EndLine() { text_.append(lineEnd_); }

void SaveText::Key(std::string_view key) {
  StartLine();
  text_.append(key);
  text_.append(random_.Chance(kSpacedPercent) ? " = " : "=");
}

void SaveText::AppendWhole(int64_t value) {
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text_.append(digits, end);
}

void SaveText::Comment(std::string_view text) {
  StartLine();
  text_.append("# ");
  text_.append(text);
  EndLine();
}

void SaveText::Word(std::string_view key, std::string_view word) {
  Key(key);
  text_.append(word);
  EndLine();
}

void SaveText::Whole(std::string_view key, int64_t value) {
  Key(key);
  AppendWhole(value);
  EndLine();
}

void SaveText::Fixed(std::string_view key, int64_t thousandths) {
  Key(key);
  if (thousandths < 0) text_.push_back('-');
  const int64_t magnitude = thousandths < 0 ? -thousandths : thousandths;
  AppendWhole(magnitude / 1000);
  const int64_t fraction = magnitude % 1000;
  text_.push_back('.');
  text_.push_back(static_cast<char>('0' + fraction / 100));
  text_.push_back(static_cast<char>('0' + fraction / 10 % 10));
  text_.push_back(static_cast<char>('0' + fraction % 10));
  EndLine();
}

void SaveText::Quoted(std::string_view key, std::string_view text) {
  Key(key);
  text_.push_back('"');
  text_.append(text);
  text_.push_back('"');
  EndLine();
}

void SaveText::Date(std::string_view key, int year, int month, int day) {
  Key(key);
  text_.push_back('"');
  AppendWhole(year);
  text_.push_back('.');
  AppendWhole(month);
  text_.push_back('.');
  AppendWhole(day);
  text_.push_back('"');
  EndLine();
}

template <typename T, typename AppendItem>
void SaveText::List(std::string_view key, const std::vector<T>& items, AppendItem appendItem) {
  Key(key);
  text_.push_back('{');
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0 && i % kListItemsPerLine == 0) {
      EndLine();
      StartLine();
      text_.push_back('\t');
    }
    text_.push_back(' ');
    appendItem(items[i]);
  }
  text_.append(" }");
  EndLine();
}

void SaveText::WholeList(std::string_view key, const std::vector<int64_t>& values) {
  List(key, values, [this](int64_t v) { AppendWhole(v); });
}

void SaveText::WordList(std::string_view key, const std::vector<std::string_view>& words) {
  List(key, words, [this](std::string_view w) { text_.append(w); });
}

void SaveText::Open(std::string_view key) {
  if (random_.Chance(kSameLineBracePercent)) {
    Key(key);
  } else {
    StartLine();
    text_.append(key);
    text_.push_back('=');
    EndLine();
    StartLine();
  }
  text_.push_back('{');
  EndLine();
  ++depth_;
}

void SaveText::OpenAnonymous() {
  StartLine();
  text_.push_back('{');
  EndLine();
  ++depth_;
}

void SaveText::Close() {
  --depth_;
  StartLine();
  text_.push_back('}');
  EndLine();
}
