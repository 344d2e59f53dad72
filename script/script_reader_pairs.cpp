// The reader's shortcut for what nearly every line of a save holds: a key,
// "=" and a single value (key = 5, key = -0.25, key = ENG, key = "text"), or a
// key and "=" before a "{" or the line end, read straight from the buffer when
// the pair lies in it. It stops before anything it does not read itself (a
// number that needs the general conversion, a string without its closing
// quote, and so on), in the very state the byte-at-a-time path would have
// reached. Nothing it reads can be an error.
#include "script/script_arena.h"
#include "script/script_reader.h"
#include "script/script_reader_bytes.h"

namespace {

using script_bytes::IsDigit;
using script_bytes::IsWordStart;
using script_bytes::SkipBlanksIn;
using script_bytes::SkipWordIn;

std::string_view View(const unsigned char* begin, const unsigned char* end) {
  return {reinterpret_cast<const char*>(begin), static_cast<size_t>(end - begin)};
}

}  // namespace

// The pair whose key starts at key, or as much of it as the shortcut reads:
// the key, "=" and its single value; the key and "=" (the value is left to
// what reads on, a "{" for one); or the key alone when no "=" follows on its
// line. Returns where that ends; key itself when nothing was read.
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
    return keyEnd;
  }
  const uint32_t name = Name(View(key, keyEnd));
  const unsigned char* value = SkipBlanksIn(equals + 1, end_);
  if (value != end_) {
    if (const unsigned char* after = ReadBareValue(name, value)) return after;
  }
  EnterNewChild(name, kAwaitingValue);
  return value;
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
  double number;
  const unsigned char* end = script_bytes::SignedPlainNumber(p, end_, &number);
  if (!end) return nullptr;
  AddBareChild(name, kNumbers, Item::Number(number));
  return end;
}
