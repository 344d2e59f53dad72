// The reader's shortcut over runs of plain lines, which make up nearly all of
// a save: keys with their values (script_reader_pairs.cpp), the items of
// lists (script_reader_lists.cpp), "{" and "}" where they are expected,
// blanks, and single line ends (LF or CR LF) before a line that starts with
// something else, counted as the state machine counts them. It reads straight
// from the buffer and stops before anything else (an error, a comment, a run
// of line ends, the end of the buffer), in the very state the byte-at-a-time
// path would have reached: the state machine goes on from there.
#include "script/script_reader.h"
#include "script/script_reader_bytes.h"

bool ScriptReader::ReadRun() {
  const unsigned char* start = pos_ - 1;  // current_ came from the buffer
  const unsigned char* p = start;
  for (const unsigned char* next = p; (next = Step(p)) != p;) p = next;
  if (p == start) return false;
  pos_ = p;
  ReadChar();
  return true;
}

// One step of a run at p: where it ends, or p when the state machine must read what is there.
const unsigned char* ScriptReader::Step(const unsigned char* p) {
  if (p == end_) return p;
  const uint8_t c = script_bytes::kClass[*p];
  if (c == script_bytes::kBlank) return script_bytes::SkipBlanksIn(p, end_);
  if (c == script_bytes::kLineEnd) return LineEndAt(p);
  tokenLine_ = editorLine_;
  switch (c) {
    case script_bytes::kWordStart:
    case script_bytes::kDigit: {
      const unsigned char* end = ReadOnePair(p);
      return end != p ? end : ReadListItems(p);
    }
    case script_bytes::kMinus:
      return ReadListItems(p);
    case script_bytes::kOpenBrace:
      return OpenBraceAt(p);
    case script_bytes::kCloseBrace:
      return CloseBraceAt(p);
    default:
      return p;
  }
}

// A "{" that opens the value of a key, or an anonymous block in a block.
const unsigned char* ScriptReader::OpenBraceAt(const unsigned char* p) {
  ScriptNode* node = Current();
  if (depth_ >= kMaxDepth) return p;
  if (node->parseState == kAwaitingValue) {
    node->parseState = kInsideBraces;
  } else if (node->parseState == kInsideBraces && (node->kind == kUntyped || node->kind == kBlock)) {
    EnterNewChild(0, kInsideBraces);
  } else {
    return p;
  }
  return p + 1;
}

const unsigned char* ScriptReader::CloseBraceAt(const unsigned char* p) {
  if (Current()->parseState != kInsideBraces) return p;
  Current()->parseState = kComplete;
  Leave();
  return p + 1;
}

// One LF or CR LF followed by neither another line end nor the end of the
// input: the end of a line and the start of the next.
const unsigned char* ScriptReader::LineEndAt(const unsigned char* p) {
  const unsigned char* next = *p == '\r' && end_ - p >= 2 && p[1] == '\n' ? p + 2 : p + 1;
  if (next == end_ || next[-1] != '\n' || script_bytes::EndsComment(*next)) return p;
  ++file_.lineNumber;
  ++editorLine_;
  return next;
}
