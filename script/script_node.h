// One node of a script tree.
//
// A node is a key with its value: a block of child nodes (kind 1), a list of
// numbers (2), of bare words (3) or of quoted strings (4), or nothing yet (0).
// "bare" marks a single value written without braces (key = 5).
//
// Nodes never live on their own: a tree belongs to a ScriptFile, every node of
// it is allocated from the tree's arena, and the whole tree is released with the
// file. Node addresses stay valid until then, however many siblings are added.
// Numbers and strings are stored inside their node's item array, never one heap
// allocation each. Clear() forgets the items; their memory returns with the tree.
//
// Depth arguments of the searches: kUnlimited is passed down unchanged, any
// other value is decremented at each step into a child; 0 means direct items only.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ScriptArena;
class ScriptNode;
class ScriptOutput;

// Where the reader stands in a node. Nodes built in code are complete.
enum ParseState : uint8_t {
  kAwaitingEquals = 0,  // the key has been read
  kAwaitingValue = 1,   // "=" has been read
  kInsideBraces = 2,    // items or "}" come next
  kComplete = 3,
  kTopLevel = 4,        // the root of a file being read
};

enum ScriptKind : uint8_t {
  kUntyped = 0,
  kBlock = 1,
  kNumbers = 2,
  kWords = 3,
  kQuoted = 4,
};

// A match of FindAll: the node itself matched by name (index -1), or a word of
// the list node (index: the position of the word).
struct ScriptMatch {
  ScriptNode* node;
  int32_t index;
  int32_t level;
};

class ScriptNode {
 public:
  static constexpr int32_t kUnlimited = 2147483647;

  ScriptNode(const ScriptNode&) = delete;
  ScriptNode& operator=(const ScriptNode&) = delete;

  ScriptNode* parent = nullptr;

  std::string_view name() const { return StoredText(name_); }
  int ItemCount() const { return static_cast<int>(count_); }
  ScriptNode* ChildAt(int i) const { return items()[i].child; }
  double NumberAt(int i) const { return items()[i].number; }
  std::string_view TextAt(int i) const { return StoredText(items()[i].text); }

  // A new last child, complete (as everything built in code is); the node becomes a block.
  ScriptNode* AddChild(std::string_view childName);
  void AddString(uint8_t stringKind, std::string_view text);
  void AddNumber(double value);
  void SetNumber(double value);
  void Clear();

  void CopyItemsTo(ScriptNode* dest, int32_t depth) const;
  void FindAll(std::string_view searched, std::vector<ScriptMatch>* out, int32_t depth,
               int32_t level) const;
  // First direct child with this name, or null (the common depth-0 lookup).
  ScriptNode* FirstChild(std::string_view childName) const;
  // The first node with this name among the children and grandchildren, in
  // document order, or null.
  ScriptNode* FirstWithin(std::string_view childName) const;

  // Whether the node is a list of words or of quoted strings.
  bool HoldsText() const { return kind == kWords || kind == kQuoted; }
  // The first text of such a list; none for an empty list or any other node.
  std::optional<std::string_view> FirstText() const;
  // The first text of the first child named key; empty when there is none.
  std::string_view TextOf(std::string_view key) const;

  // Serialises this node and its subtree in the layout of the script writer.
  void Write(ScriptOutput& out, int32_t level, bool oneLine) const;

 private:
  friend class ScriptArena;
  friend class ScriptReader;

  union Item {
    ScriptNode* child;
    double number;
    const char* text;  // length-prefixed string in the arena
  };

  // A string as the arena stores it: its length, then its bytes; null when empty.
  static std::string_view StoredText(const char* stored) {
    if (!stored) return {};
    uint32_t length;
    std::memcpy(&length, stored, sizeof length);
    return {stored + sizeof length, length};
  }

  ScriptNode() = default;
  ~ScriptNode() = default;

  // capShift_: 0 = at most one item, held inline; kExact = an array of exactly
  // count_ items; any other k = an array of 2^k items.
  static constexpr uint8_t kExact = 0xFF;

  Item* items() { return capShift_ == 0 ? &one_ : many_; }
  const Item* items() const { return capShift_ == 0 ? &one_ : many_; }
  uint32_t Capacity() const;
  ScriptArena& arena() const;
  void Append(Item item);
  // Replaces the items by an array the reader built (copied into the arena).
  void AdoptItems(const Item* first, uint32_t n);

  const char* name_ = nullptr;  // length-prefixed, null for an empty name
  union {
    Item one_{};
    Item* many_;
  };
  uint32_t count_ = 0;

 public:
  uint8_t kind = kUntyped;
  ParseState parseState = kAwaitingEquals;
  uint8_t bare = 0;

 private:
  uint8_t capShift_ = 0;
};

static_assert(sizeof(void*) != 8 || sizeof(ScriptNode) == 32, "keep nodes small");
