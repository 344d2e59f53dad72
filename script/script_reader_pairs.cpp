// The reader's shortcut for what nearly every line of a save holds: a key,
// "=" and a single value (key = 5, key = -0.25, key = ENG, key = "text"), or a
// key and "=" before a "{" or the line end. The shortcut reads straight from
// the buffer when the whole pair lies in it, and stops, leaving the reader in
// the very state the byte-at-a-time path would have reached, before anything
// it does not read itself (a number that needs the general conversion, a
// string without its closing quote, and so on): the state machine goes on
// from there. Nothing it reads can be an error.
#include "script/script_arena.h"
#include "script/script_reader.h"
#include "script/script_reader_bytes.h"

namespace {

using script_bytes::IsDigit;
using script_bytes::IsKeyStart;
using script_bytes::IsWordStart;
using script_bytes::SkipBlanksIn;
using script_bytes::SkipWordIn;

std::string_view View(const unsigned char* begin, const unsigned char* end) {
  return {reinterpret_cast<const char*>(begin), static_cast<size_t>(end - begin)};
}

}  // namespace

// Pair after pair, as long as each ends its line and the next line holds
// nothing before its key but blanks: the line ends between them are counted
// here as the state machine counts them.
bool ScriptReader::ReadPair() {
  const unsigned char* key = pos_ - 1;  // current_, a word start or a digit, came from the buffer
  const unsigned char* after = ReadOnePair(key);
  if (after == key) return false;
  while (after) {
    const unsigned char* next = NextLineKey(after);
    if (!next) return Resume(after);
    ++file_.lineNumber;
    ++editorLine_;
    tokenLine_ = editorLine_;
    const unsigned char* end = ReadOnePair(next);
    if (end == next) return Resume(next);
    after = end;
  }
  return true;
}

// The pair whose key starts at key: where it ends when it was read whole with
// its single value; key itself when nothing was read; null when only its start
// was, the reader going on from there.
const unsigned char* ScriptReader::ReadOnePair(const unsigned char* key) {
  const ScriptNode* node = Current();
  const ParseState state = node->parseState;
  const bool inBlock = state == kInsideBraces && (node->kind == kBlock || node->kind == kUntyped);
  if (state != kTopLevel && !inBlock) return key;
  const unsigned char* keyEnd = SkipWordIn(key, end_);
  // Inside braces a key that starts with a digit is read as a number first:
  // with a full stop it is left to the state machine.
  if (keyEnd == end_ || (inBlock && IsDigit(*key) && *keyEnd == '.')) return key;
  const unsigned char* equals = SkipBlanksIn(keyEnd, end_);
  if (equals == end_ || *equals != '=') {
    // In an untyped block the key looks on for its "=" across lines.
    if (inBlock && node->kind == kUntyped) return key;
    EnterNewChild(Name(View(key, keyEnd)), kAwaitingEquals);
    Resume(keyEnd);
    return nullptr;
  }
  const uint32_t name = Name(View(key, keyEnd));
  const unsigned char* value = SkipBlanksIn(equals + 1, end_);
  if (value != end_) {
    if (const unsigned char* after = ReadBareValue(name, value)) return after;
  }
  EnterNewChild(name, kAwaitingValue);
  Resume(value);
  return nullptr;
}

// The key of the next line when after is followed by blanks, one line end (LF
// or CR LF) and blanks before a word start or a digit; null otherwise.
const unsigned char* ScriptReader::NextLineKey(const unsigned char* after) const {
  const unsigned char* p = SkipBlanksIn(after, end_);
  if (end_ - p < 2) return nullptr;
  if (*p == '\r' && p[1] == '\n') ++p;
  if (*p != '\n') return nullptr;
  p = SkipBlanksIn(p + 1, end_);
  return p != end_ && IsKeyStart(*p) ? p : nullptr;
}

// The value at p of the new key name, as a complete child; null, with nothing
// done, when the shortcut does not read it. Returns where the value ends.
const unsigned char* ScriptReader::ReadBareValue(uint32_t name, const unsigned char* p) {
  if (*p == '"') {
    const unsigned char* close = p + 1;
    while (close < end_ && *close != '"' && !script_bytes::EndsQuoted(*close)) ++close;
    if (close == end_ || *close != '"') return nullptr;
    AddBareChild(name, kQuoted, Item::Text(arena_->Store(View(p + 1, close))));
    return close + 1;
  }
  if (IsWordStart(*p)) {
    const unsigned char* end = SkipWordIn(p, end_);
    if (end == end_) return nullptr;
    AddBareChild(name, kWords, Item::Text(arena_->StoredName(Name(View(p, end)))));
    return end;
  }
  const bool negative = *p == '-';
  const unsigned char* digits = negative ? p + 1 : p;
  if (digits == end_ || !IsDigit(*digits)) return nullptr;
  double number;
  const unsigned char* end = script_bytes::PlainNumber(digits, end_, &number);
  if (!end) return nullptr;
  AddBareChild(name, kNumbers, Item::Number(negative ? -number : number));
  return end;
}

bool ScriptReader::Resume(const unsigned char* p) {
  pos_ = p;
  ReadChar();
  return true;
}
