// The reader's shortcut for the items of a braced list of words or numbers
// (tags = { ENG FRA PRU }, ids = { 1 2 -3 4.5 }) once the list has its first
// item: items and the blanks between them are read straight from the buffer
// while they lie in it, up to anything else (a line end, "}", an item of
// another kind), in the state the state machine would have reached itself.
#include "script/script_arena.h"
#include "script/script_reader.h"
#include "script/script_reader_bytes.h"

using script_bytes::IsWordStart;
using script_bytes::SkipBlanksIn;
using script_bytes::SkipWordIn;

// The items from p on, and the blanks between them: where they end; p itself
// when there is none.
const unsigned char* ScriptReader::ReadListItems(const unsigned char* p) {
  const ScriptNode* node = Current();
  if (node->parseState != kInsideBraces || (node->kind != kWords && node->kind != kNumbers)) return p;
  while (p != end_) {
    const unsigned char* end = node->kind == kWords ? ReadListWord(p) : ReadListNumber(p);
    if (!end) break;
    p = SkipBlanksIn(end, end_);
  }
  return p;
}

// The word at p of a list of words; null, with nothing done, when there is none
// or it may go on past the buffer.
const unsigned char* ScriptReader::ReadListWord(const unsigned char* p) {
  if (!IsWordStart(*p)) return nullptr;
  const unsigned char* end = SkipWordIn(p, end_);
  if (end == end_) return nullptr;
  AddWord(ListWord({reinterpret_cast<const char*>(p), static_cast<size_t>(end - p)}));
  return end;
}

// The number at p of a list of numbers, with a sign, or with letters glued to
// it that the list drops; null, with nothing done, when the shortcut does not
// read it.
const unsigned char* ScriptReader::ReadListNumber(const unsigned char* p) {
  double value;
  const unsigned char* end = script_bytes::SignedPlainNumber(p, end_, &value);
  if (!end) return nullptr;
  if (*p != '-') {
    end = SkipWordIn(end, end_);  // read as part of the number's text, not its value
    if (end == end_) return nullptr;
  }
  AddNumber(value);
  return end;
}
