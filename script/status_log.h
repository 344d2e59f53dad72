// The progress list shown to the user: an append-only list of text lines.
// Every step that reports progress or errors calls AddLine; only the conversion
// run calls Clear. Front ends bind it to their own display (a list box, standard
// output); LineCollector keeps the lines in memory for tests and start-up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class StatusLog {
 public:
  virtual ~StatusLog() = default;
  virtual void AddLine(std::string_view text) = 0;
  virtual void Clear() = 0;
};

class LineCollector : public StatusLog {
 public:
  void AddLine(std::string_view text) override { lines.emplace_back(text); }
  void Clear() override { lines.clear(); }

  std::vector<std::string> lines;
};
