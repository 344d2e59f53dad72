// One node of a script tree.
//
// A node is a key with its value: a block of child nodes (kind 1), a list of
// numbers (2), of bare words (3) or of quoted strings (4), or nothing yet (0).
// "bare" marks a single value written without braces (key = 5).
//
// Nodes never live on their own: a tree belongs to a ScriptFile, every node of
// it is allocated from the tree's arena, and the whole tree is released with the
// file. Node addresses stay valid until then, however many siblings are added.
// Numbers and strings are stored inside their node or its item array, never one
// heap allocation each. SetNumber forgets the items; their memory returns with the
// tree. A node takes 16 bytes: its name is an index into the arena's names, its
// children are 32-bit references within the tree.
//
// Depth arguments of the searches: kUnlimited is passed down unchanged, any
// other value is decremented at each step into a child; 0 means direct items only.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
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
};

class ScriptNode {
 public:
  static constexpr int32_t kUnlimited = 2147483647;

  ScriptNode(const ScriptNode&) = delete;
  ScriptNode& operator=(const ScriptNode&) = delete;

  std::string_view name() const;
  int ItemCount() const { return static_cast<int>(Count()); }
  ScriptNode* ChildAt(int i) const;
  double NumberAt(int i) const { return NumberItem(static_cast<uint32_t>(i)); }
  std::string_view TextAt(int i) const { return TextItem(static_cast<uint32_t>(i)); }

  // A new last child, complete (as everything built in code is); the node becomes a block.
  ScriptNode* AddChild(std::string_view childName);
  void AddString(uint8_t stringKind, std::string_view text);
  void AddNumber(double value);
  // Replaces the items by this one number.
  void SetNumber(double value);

  void CopyItemsTo(ScriptNode* dest, int32_t depth) const;
  // Appends to out, in document order, each child named searched and each word
  // equal to it in a list, going depth levels deeper (see above).
  void FindAll(std::string_view searched, std::vector<ScriptMatch>* out, int32_t depth) const;
  // First direct child with this name, or null (the common depth-0 lookup).
  ScriptNode* FirstChild(std::string_view childName) const;
  // The first node with this name among the children and grandchildren, in
  // document order, or null.
  ScriptNode* FirstWithin(std::string_view childName) const;

  // Whether the node is a list of words or of quoted strings.
  bool HoldsText() const { return kind == kWords || kind == kQuoted; }
  // The first text of such a list; none for an empty list or any other node.
  std::optional<std::string_view> FirstText() const;

  // Values under a key. Each reads the first node named key (a child; for
  // NumberWithin also a grandchild, in document order); a node of another kind
  // reads as absent, and absent gives the default.
  // The first text of a list of words or quoted strings; empty by default.
  std::string_view TextOf(std::string_view key) const;
  // The first number of a list of numbers.
  double NumberOf(std::string_view key, double fallback) const;
  double NumberWithin(std::string_view key, double fallback) const;
  // The list of numbers itself (possibly empty); null by default.
  const ScriptNode* NumbersOf(std::string_view key) const;

  // Serialises this node and its subtree in the layout of the script writer.
  void Write(ScriptOutput& out, int32_t level, bool oneLine) const;

 private:
  friend class ScriptArena;
  friend class ScriptReader;

  // One item of a list of numbers, words or quoted strings: a number, or a
  // string (length-prefixed, in the arena). Always 8 bytes, whatever the width
  // of a pointer, and every list is read and written in Items, so that no code
  // steps through a list at the width of a pointer. Children are held as 32-bit
  // references instead.
  union Item {
    double number;
    const char* text;

    static Item Number(double value) {
      Item item{};
      item.number = value;
      return item;
    }
    static Item Text(const char* stored) {
      Item item{};  // no stray bytes beside a 4-byte pointer
      item.text = stored;
      return item;
    }
  };
  static_assert(sizeof(Item) == 8, "an item is 8 bytes on every target");
  using ChildRef = uint32_t;

  // Two or more items: this header, then the items (4 bytes each for children,
  // 8 for numbers and strings). capacity counts units of kUnit bytes.
  struct ItemArray {
    uint32_t count;
    uint32_t capacity;
  };
  static constexpr size_t kUnit = 4;

  // shape_: how the items are held. Up to one item sits in slot_ (kNone and
  // kOne are also the count); more are in an ItemArray that slot_ points to.
  enum Shape : uint8_t { kNone = 0, kOne = 1, kArray = 2 };

  // A string as the arena stores it: its length, then its bytes; null when empty.
  static std::string_view StoredText(const char* stored) {
    if (!stored) return {};
    uint32_t length;
    std::memcpy(&length, stored, sizeof length);
    return {stored + sizeof length, length};
  }

  ScriptNode() = default;
  ~ScriptNode() = default;

  void Clear();
  ItemArray* Array() const {
    ItemArray* array;
    std::memcpy(&array, slot_, sizeof array);
    return array;
  }
  const unsigned char* ItemBytes() const {
    return shape_ == kArray ? reinterpret_cast<const unsigned char*>(Array() + 1) : slot_;
  }
  uint32_t Count() const { return shape_ == kArray ? Array()->count : shape_; }
  // Items are child references in a block and Items in a list: nothing else.
  template <typename T>
  static constexpr void CheckItemType() {
    static_assert(std::is_same_v<T, ChildRef> || std::is_same_v<T, Item>,
                  "a node holds child references or Items");
  }
  template <typename T>
  T ItemAt(uint32_t i) const {
    CheckItemType<T>();
    T value;
    std::memcpy(&value, ItemBytes() + size_t{i} * sizeof(T), sizeof value);
    return value;
  }
  ChildRef ChildRefAt(uint32_t i) const { return ItemAt<ChildRef>(i); }
  double NumberItem(uint32_t i) const { return ItemAt<Item>(i).number; }
  std::string_view TextItem(uint32_t i) const { return StoredText(ItemAt<Item>(i).text); }

  // Where a new last item of width bytes goes; grows the items as needed.
  unsigned char* NewItem(size_t width);
  template <typename T>
  void Append(T value) {
    CheckItemType<T>();
    std::memcpy(NewItem(sizeof value), &value, sizeof value);
  }
  ItemArray* NewArray(size_t bytes) const;
  void SetArray(ItemArray* array);
  // Replaces the items by the n items at first (copied into the arena): child
  // references or Items.
  template <typename T>
  void AdoptItems(const T* first, uint32_t n) {
    CheckItemType<T>();
    if (n > 1) return AdoptArray(first, n, sizeof(T));
    shape_ = static_cast<uint8_t>(n);
    if (n == 1) std::memcpy(slot_, first, sizeof(T));
  }
  void AdoptArray(const void* first, uint32_t n, size_t width);

  ScriptNode* ChildNamed(uint32_t nameIndex) const;
  void FindAllNamed(uint32_t nameIndex, std::string_view searched, std::vector<ScriptMatch>* out,
                    int32_t depth) const;

  uint32_t name_ = 0;  // index into the arena's names; 0 is the empty name
  unsigned char slot_[8] = {};

 public:
  uint8_t kind = kUntyped;
  ParseState parseState = kAwaitingEquals;
  uint8_t bare = 0;

 private:
  uint8_t shape_ = kNone;
};

static_assert(sizeof(ScriptNode) == 16, "keep nodes small");
