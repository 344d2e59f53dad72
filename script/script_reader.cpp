#include "script/script_reader.h"

#include <array>
#include <cstdio>
#include <optional>

#include "script/decimal_text.h"
#include "script/script_arena.h"
#include "script/script_reader_bytes.h"

namespace {

constexpr size_t kBlockSize = 256 * 1024;

}  // namespace

using namespace script_bytes;

void ScriptReader::OpenBuffer(std::string_view bytes) {
  blockStart_ = pos_ = reinterpret_cast<const unsigned char*>(bytes.data());
  end_ = pos_ + bytes.size();
}

void ScriptReader::OpenSource(ByteSource& source) {
  source_ = &source;
  block_.reset(new unsigned char[kBlockSize]);  // left uninitialised: the source fills it
  blockStart_ = pos_ = end_ = block_.get();
}

void ScriptReader::Refill() {
  if (!ended_ && source_) {
    consumed_ += static_cast<uint64_t>(end_ - blockStart_);
    const size_t n = source_->Read(block_.get(), kBlockSize);
    blockStart_ = pos_ = block_.get();
    end_ = pos_ + n;
    if (n > 0) {
      current_ = *pos_++;
      if (current_ == 0) StopAtZero();
      return;
    }
    if (source_->Failed()) {
      char line[64];
      std::snprintf(line, sizeof line, "File input error at %llu bytes.",
                    static_cast<unsigned long long>(ReadCount()));
      log_.AddLine(line);
      readFailed_ = true;
    }
    ended_ = true;
  }
  current_ = 0;
  ++extraReads_;
}

void ScriptReader::StopAtZero() {
  end_ = pos_;
  ended_ = true;
}

uint64_t ScriptReader::ReadCount() const {
  return consumed_ + static_cast<uint64_t>(pos_ - blockStart_) + extraReads_;
}

// The word is handed out as it lies in the buffer when it ends there, which
// stays so until the next byte past it is read; copied otherwise.
std::string_view ScriptReader::ReadWord() {
  if (!IsWordChar(current_)) return {};
  const unsigned char* start = pos_ - 1;  // current_ came from the buffer
  const unsigned char* p = pos_;
  while (p < end_ && IsWordChar(*p)) ++p;
  if (p < end_) {
    pos_ = p;
    ReadChar();
    return {reinterpret_cast<const char*>(start), static_cast<size_t>(p - start)};
  }
  word_.clear();
  while (IsWordChar(current_)) {
    start = pos_ - 1;
    p = pos_;
    while (p < end_ && IsWordChar(*p)) ++p;
    word_.append(reinterpret_cast<const char*>(start), static_cast<size_t>(p - start));
    pos_ = p;
    ReadChar();
  }
  return word_;
}

std::optional<double> ScriptReader::ReadPlainNumber(std::string* text) {
  const unsigned char* start = pos_ - 1;  // current_ came from the buffer
  double value;
  const unsigned char* end = PlainNumber(start, end_, &value);
  if (!end) return std::nullopt;
  if (text) text->assign(reinterpret_cast<const char*>(start), static_cast<size_t>(end - start));
  pos_ = end;
  ReadChar();
  return value;
}

double ScriptReader::ReadNumber(std::string* text) {
  if (IsDigit(current_))
    if (std::optional<double> value = ReadPlainNumber(text)) return *value;
  number_.clear();
  bool point = false;
  while (IsDigit(current_) || current_ == '.') {
    if (current_ == '.') {
      if (point) {
        number_.push_back('0');
        break;
      }
      point = true;
      if (number_.empty()) number_.push_back('0');
    }
    number_.push_back(static_cast<char>(current_));
    ReadChar();
  }
  if (text) *text = number_;
  return DecimalValue(number_);
}

std::string_view ScriptReader::ReadQuoted() {
  word_.clear();
  while (current_ != '"' && !IsLineEnd(current_) && current_ != 0) {
    const unsigned char* start = pos_ - 1;
    const unsigned char* p = pos_;
    while (p < end_ && *p != '"' && !IsLineEnd(*p) && *p != 0) ++p;
    word_.append(reinterpret_cast<const char*>(start), static_cast<size_t>(p - start));
    pos_ = p;
    ReadChar();
  }
  return word_;
}

void ScriptReader::SkipBlanks() {
  while (IsBlank(current_)) {
    pos_ = SkipBlanksIn(pos_, end_);
    ReadChar();
  }
}

// Up to the line end or the end of the input.
void ScriptReader::SkipComment() {
  while (!EndsComment(current_)) {
    const unsigned char* p = pos_;
    while (p < end_ && !EndsComment(*p)) ++p;
    pos_ = p;
    ReadChar();
  }
}

// An editor sees a line end in every LF and every CR not followed by one.
void ScriptReader::PassChar() {
  const unsigned char passed = current_;
  ReadChar();
  if (passed == '\n' || (passed == '\r' && current_ != '\n')) ++editorLine_;
}

// CR LF, LF CR and any run of only LFs or only CRs are one line end.
void ScriptReader::ConsumeLineEnd() {
  bool lf = false;
  bool cr = false;
  while (IsLineEnd(current_)) {
    (current_ == '\n' ? lf : cr) = true;
    PassChar();
    if (lf && cr) break;
  }
}

bool ScriptReader::PeekFor(unsigned char c) {
  SkipBlanks();
  while (IsLineEnd(current_)) {
    ConsumeLineEnd();
    ++file_.lineNumber;
    SkipBlanks();
    if (current_ == '#') SkipComment();
  }
  return current_ == c;
}

void ScriptReader::ReportError(std::string_view message) {
  if (file_.keepLines_ && file_.syntaxErrors_.size() < ScriptFile::kKeptSyntaxErrors)
    file_.syntaxErrors_.push_back({editorLine_, std::string(message)});
  if (file_.errorCount <= 15)
    log_.AddLine("Line " + std::to_string(file_.lineNumber) + ": " + std::string(message));
}

void ScriptReader::UnexpectedChar() {
  std::string message = "Unexptd character '";
  if (current_ != 0) {  // a zero byte ends the text, as it would a C string
    message.push_back(static_cast<char>(current_));
    message.push_back('\'');
  }
  ReportError(message);
  ++file_.errorCount;
  PassChar();  // a line end after a dropped word is passed here
}

uint32_t ScriptReader::Name(std::string_view text) {
  return lastName_ = arena_->InternAfter(lastName_, text);
}

uint32_t ScriptReader::ListWord(std::string_view text) { return arena_->Intern(text); }

ScriptNode* ScriptReader::NewChild(uint32_t nameIndex, ParseState state) {
  Frame& holder = path_[depth_];
  const ScriptArena::Placed child = arena_->NewNode(nameIndex, state);
  if (file_.keepLines_) file_.lines_.emplace(child.node, tokenLine_);
  holder.children.push_back(child.ref);
  holder.node->kind = kBlock;
  return child.node;
}

void ScriptReader::AddBareChild(uint32_t nameIndex, uint8_t kind, Item value) {
  ScriptNode* child = NewChild(nameIndex, kComplete);
  child->kind = kind;
  child->bare = 1;
  child->AdoptItems(&value, 1);
}

void ScriptReader::EnterNewChild(uint32_t nameIndex, ParseState state) {
  ScriptNode* child = NewChild(nameIndex, state);
  ++depth_;
  if (depth_ == path_.size()) path_.emplace_back();
  Frame& entered = path_[depth_];
  entered.node = child;
  entered.children.clear();
  entered.values.clear();
}

void ScriptReader::Flush(Frame& frame) {
  if (frame.node->kind == kBlock)
    frame.node->AdoptItems(frame.children.data(), static_cast<uint32_t>(frame.children.size()));
  else
    frame.node->AdoptItems(frame.values.data(), static_cast<uint32_t>(frame.values.size()));
}

void ScriptReader::Leave() {
  Flush(path_[depth_]);
  --depth_;
}

// The current node is complete; name starts a new key beside it.
void ScriptReader::AddSibling(uint32_t nameIndex) {
  Leave();
  EnterNewChild(nameIndex, kAwaitingEquals);
}

void ScriptReader::Complete() {
  Current()->bare = 1;
  Current()->parseState = kComplete;
  Leave();
}

void ScriptReader::AddQuoted(std::string_view text) {
  AddValue(Item::Text(arena_->Store(text)));
  Current()->kind = kQuoted;
}

void ScriptReader::AddWord(uint32_t nameIndex) {
  AddValue(Item::Text(arena_->StoredName(nameIndex)));
  Current()->kind = kWords;
}

void ScriptReader::AddNumber(double value) {
  AddValue(Item::Number(value));
  Current()->kind = kNumbers;
}

bool ScriptReader::IsPlainWord(std::string_view text) {
  if (text.empty() || !IsWordStart(static_cast<unsigned char>(text.front()))) return false;
  for (unsigned char c : text)
    if (!IsWordChar(c)) return false;
  return true;
}

bool ScriptReader::Parse(ScriptNode* root) {
  arena_ = &ScriptArena::Of(root);
  path_.assign(1, Frame{root, {}, {}});
  depth_ = 0;
  ReadChar();
  while (current_ != 0) {
    ++file_.lineNumber;
    ParseLine();
    ConsumeLineEnd();
  }
  while (depth_ > 0) Leave();  // blocks still open at the end are accepted
  Flush(path_[0]);
  file_.bytesRead = ReadCount();
  return !readFailed_;
}

void ScriptReader::OnEquals() {
  if (Current()->parseState != kAwaitingEquals) return UnexpectedChar();
  Current()->parseState = kAwaitingValue;
  ReadChar();
}

void ScriptReader::OnCloseBrace() {
  if (Current()->parseState != kInsideBraces) return UnexpectedChar();
  Current()->parseState = kComplete;
  Leave();
  ReadChar();
}

void ScriptReader::ParseLine() {
  for (;;) {
    const uint8_t c = kClass[current_];
    if (c == kZero || c == kLineEnd) return;
    tokenLine_ = editorLine_;
    if (StartsRun(c) && ReadRun()) continue;
    switch (c) {
      case kBlank:
        SkipBlanks();
        break;
      case kHash:
        SkipComment();
        return;
      case kWordStart:
      case kDigit:
        OnWordOrDigit(c == kDigit);
        break;
      case kMinus:
        OnMinus();
        break;
      case kEquals:
        OnEquals();
        break;
      case kOpenBrace:
        OnOpenBrace();
        break;
      case kCloseBrace:
        OnCloseBrace();
        break;
      case kQuote:
        OnQuote();
        break;
      default:
        UnexpectedChar();
        break;
    }
  }
}

void ScriptReader::OnWordOrDigit(bool digit) {
  ScriptNode* node = Current();
  switch (node->parseState) {
    case kTopLevel:
      EnterNewChild(Name(ReadWord()), kAwaitingEquals);
      return;
    case kComplete:
      AddSibling(Name(ReadWord()));
      return;
    case kAwaitingValue:
      if (digit) {
        AddNumber(ReadNumber(nullptr));
      } else {
        AddWord(Name(ReadWord()));
      }
      Complete();
      return;
    case kAwaitingEquals:
      if (digit) {
        ReportError("No number expected.");
        ++file_.errorCount;
        ReadNumber(nullptr);
      } else {
        UnexpectedChar();
      }
      return;
    case kInsideBraces:
      break;
    default:
      UnexpectedChar();
      return;
  }
  // Inside braces: a key, a list value, or something out of place.
  std::string_view text;
  double value = 0.0;
  if (digit) {
    value = ReadNumber(&key_);
    key_ += ReadWord();  // letters glued to a number join its text, not its value
    text = key_;
  } else {
    text = ReadWord();
  }
  switch (node->kind) {
    case kUntyped: {
      // Named before the look-ahead, which may read past the word's bytes.
      const uint32_t nameIndex = digit ? 0 : Name(text);
      if (PeekFor('=')) {
        EnterNewChild(digit ? Name(text) : nameIndex, kAwaitingValue);
        ReadChar();
      } else if (digit) {
        AddNumber(value);
      } else {
        AddWord(nameIndex);
      }
      return;
    }
    case kBlock:
      EnterNewChild(Name(text), kAwaitingEquals);
      return;
    case kNumbers:
      if (digit) {
        AddNumber(value);
      } else {
        UnexpectedChar();  // the word is dropped
      }
      return;
    case kWords:
      if (!digit) {
        AddWord(ListWord(text));
        return;
      }
      break;
    default:
      if (!digit) {
        UnexpectedChar();
        return;
      }
      break;
  }
  ReportError("No number expected.");
  ++file_.errorCount;
  ReadNumber(nullptr);
}

// Whether node takes a value of this kind next: as its single value, or as
// the next item of a list of that kind (or of a list still empty).
bool ScriptReader::TakesValue(const ScriptNode* node, uint8_t kind) {
  return node->parseState == kAwaitingValue ||
         (node->parseState == kInsideBraces && (node->kind == kUntyped || node->kind == kind));
}

void ScriptReader::OnMinus() {
  ScriptNode* node = Current();
  const ParseState state = node->parseState;
  if (TakesValue(node, kNumbers)) {
    ReadChar();
    if (IsDigit(current_)) {
      AddNumber(-ReadNumber(nullptr));
      if (state == kAwaitingValue) Complete();
    } else {
      ReportError("A number was expected.");
      ++file_.errorCount;
    }
  } else if (state == kInsideBraces && node->kind == kWords) {
    ReadChar();
  } else {
    UnexpectedChar();
  }
}

void ScriptReader::OnOpenBrace() {
  ScriptNode* node = Current();
  if (depth_ >= kMaxDepth) {
    UnexpectedChar();
  } else if (node->parseState == kAwaitingValue) {
    node->parseState = kInsideBraces;
    ReadChar();
  } else if (node->parseState == kInsideBraces &&
             (node->kind == kUntyped || node->kind == kBlock)) {
    EnterNewChild(0, kInsideBraces);
    ReadChar();
  } else {
    UnexpectedChar();
  }
}

void ScriptReader::OnQuote() {
  ScriptNode* node = Current();
  const ParseState state = node->parseState;
  if (TakesValue(node, kQuoted)) {
    ReadChar();
    AddQuoted(ReadQuoted());
    if (state == kAwaitingValue) Complete();
    if (current_ == '"') {
      ReadChar();
    } else {
      ReportError("No ending \" of the string");
      ++file_.errorCount;
      node->parseState = kComplete;  // a braced list ends here; a bare value is complete already
    }
  } else if (state == kAwaitingEquals && node->kind == kUntyped) {
    node->parseState = kComplete;
    ReadChar();
  } else {
    UnexpectedChar();
  }
}
