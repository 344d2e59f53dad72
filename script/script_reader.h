// The reader behind ScriptFile's loads: a character-at-a-time state machine
// over the bytes, driven line by line, with one look-ahead byte. It reads a
// source in large blocks, never backs up, reports each error as a numbered line, skips the
// offending character and goes on, so that a file with errors still gives a tree.
// What nearly every line of a save holds, a key with a single value and the
// items of lists, it takes straight from the block in shortcuts that end where
// the state machine would stand after the same bytes
// (script_reader_pairs.cpp, script_reader_lists.cpp). Keys and bare words are
// interned as they are read.
//
// Blocks may nest up to kMaxDepth levels; a "{" that would open a deeper one is
// reported as an unexpected character, which keeps every recursive walk over a
// loaded tree within a small, fixed stack.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/byte_source.h"
#include "script/script_file.h"

class ScriptReader {
 public:
  static constexpr size_t kMaxDepth = 1000;

  ScriptReader(ScriptFile& file, StatusLog& log) : file_(file), log_(log) {}

  // The bytes to read, which must outlive Parse.
  void OpenBuffer(std::string_view bytes);
  // Reads from source instead, block by block; it must outlive Parse.
  void OpenSource(ByteSource& source);
  // Reads the whole input into root (a fresh root, kTopLevel). False when a
  // read failed before the end of the input (after saying so in the log).
  bool Parse(ScriptNode* root);
  // Whether text would be read back as a single bare word.
  static bool IsPlainWord(std::string_view text);

 private:
  using Item = ScriptNode::Item;
  // A node being read with its items so far, moved into the tree when it is
  // left: references to its children for a block, values for a list.
  struct Frame {
    ScriptNode* node;
    std::vector<uint32_t> children;
    std::vector<Item> values;
  };

  // Input.
  void ReadChar() {
    if (pos_ < end_) {
      current_ = *pos_++;
      if (current_ == 0) StopAtZero();
    } else {
      Refill();
    }
  }
  // ReadChar that counts the line end an editor sees in the character passed.
  void PassChar();
  void Refill();
  void StopAtZero();
  uint64_t ReadCount() const;

  // Tokens.
  std::string_view ReadWord();
  double ReadNumber(std::string* text);
  std::optional<double> ReadPlainNumber(std::string* text);
  std::string_view ReadQuoted();
  bool PeekFor(unsigned char c);
  void SkipBlanks();
  void SkipComment();
  void ConsumeLineEnd();

  // Lines and errors.
  void ParseLine();
  void OnWordOrDigit(bool digit);
  static bool TakesValue(const ScriptNode* node, uint8_t kind);
  void OnMinus();
  void OnEquals();
  void OnOpenBrace();
  void OnCloseBrace();
  void OnQuote();
  void ReportError(std::string_view message);
  void UnexpectedChar();

  // The shortcut over runs of plain lines (script_reader_runs.cpp): false,
  // with nothing read, when it does not apply at current_.
  bool ReadRun();
  const unsigned char* Step(const unsigned char* p);
  const unsigned char* OpenBraceAt(const unsigned char* p);
  const unsigned char* CloseBraceAt(const unsigned char* p);
  const unsigned char* LineEndAt(const unsigned char* p);
  // Its parts for pairs (script_reader_pairs.cpp) and lists
  // (script_reader_lists.cpp).
  const unsigned char* ReadOnePair(const unsigned char* key);
  const unsigned char* ReadBareValue(uint32_t name, const unsigned char* p);
  const unsigned char* ReadListItems(const unsigned char* p);
  const unsigned char* ReadListWord(const unsigned char* p);
  const unsigned char* ReadListNumber(const unsigned char* p);

  // The path from the root to the current node.
  ScriptNode* Current() const { return path_[depth_].node; }
  // A new last child of the current node.
  ScriptNode* NewChild(uint32_t nameIndex, ParseState state);
  // The same, complete with its single value.
  void AddBareChild(uint32_t nameIndex, uint8_t kind, Item value);
  // The same, which becomes the current node.
  void EnterNewChild(uint32_t nameIndex, ParseState state);
  void Leave();
  void AddSibling(uint32_t nameIndex);
  void Complete();
  void AddValue(Item item) { path_[depth_].values.push_back(item); }
  // A key or a word that is a key's value, interned; the next name is guessed
  // from it.
  uint32_t Name(std::string_view text);
  // A word of a list, interned: lists are seldom in the same order twice, so
  // it is neither guessed nor guessed from.
  uint32_t ListWord(std::string_view text);
  void AddWord(uint32_t nameIndex);
  void AddQuoted(std::string_view text);
  void AddNumber(double value);
  void Flush(Frame& frame);

  ScriptFile& file_;
  StatusLog& log_;
  ScriptArena* arena_ = nullptr;

  ByteSource* source_ = nullptr;
  std::unique_ptr<unsigned char[]> block_;  // the current block of a source
  const unsigned char* blockStart_ = nullptr;
  const unsigned char* pos_ = nullptr;
  const unsigned char* end_ = nullptr;
  uint64_t consumed_ = 0;    // bytes of the blocks before the current one
  uint64_t extraReads_ = 0;  // reads that met the end of the input
  bool ended_ = false;
  bool readFailed_ = false;
  unsigned char current_ = 0;

  std::vector<Frame> path_;
  size_t depth_ = 0;
  // Lines as an editor counts them: the current one, and the one the token
  // being read started on (a key is kept with the line it was read on).
  uint32_t editorLine_ = 1;
  uint32_t tokenLine_ = 1;
  uint32_t lastName_ = 0;  // the name interned last
  std::string word_;
  std::string number_;
  std::string key_;
};
