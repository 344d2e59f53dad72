// Memory of one script tree.
//
// Nodes live in segments of kSegmentBytes, each aligned to its size and opening
// with a header that points back to the arena, so any node finds its arena from
// its own address. Within the tree a node is known by a 32-bit reference: its
// segment's number and its slot there. Item arrays and strings come from a bump
// allocator over small chunks at first, then over pieces of a segment's size
// cut, like the segments, from large chunks: a large tree leaves one chunk
// partly used, not one for each. Nothing is freed on its own, the whole arena is
// released with the tree. Node names are interned and kept as indexes (0 is the
// empty name); the reader interns bare words too, so that a word repeated
// through a file is stored once. Other values are stored as they come,
// length-prefixed and handed out as a pointer to the prefix (null: empty string).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "script/script_node.h"

class ScriptArena {
 public:
  static constexpr uint32_t kNoName = 0xFFFFFFFF;  // FindName of a name never interned

  ScriptArena();
  ~ScriptArena();
  ScriptArena(const ScriptArena&) = delete;
  ScriptArena& operator=(const ScriptArena&) = delete;

  // The arena of the tree that holds the node at (or containing) address.
  static ScriptArena& Of(const void* address) { return *SegmentOf(address)->arena; }
  ScriptNode* NodeAt(uint32_t ref) const {
    return reinterpret_cast<ScriptNode*>(segments_[ref >> kSlotBits] + sizeof(Segment)) +
           (ref & kSlotMask);
  }
  // The tree's root, created with the arena.
  ScriptNode* Root() const { return NodeAt(0); }

  // A new node and its reference.
  struct Placed {
    ScriptNode* node;
    uint32_t ref;
  };
  Placed NewNode(std::string_view name, ParseState state);
  Placed NewNode(uint32_t nameIndex, ParseState state);
  uint32_t Intern(std::string_view name);
  // Intern for a reader, which meets names in much the same order again and
  // again: after is the index of the name met just before this one. A name
  // that followed it the last time is found by one comparison, with no hash.
  uint32_t InternAfter(uint32_t after, std::string_view name) {
    uint32_t* guesses = &followers_[size_t{after} * kFollowers];
    for (size_t i = 0; i < kFollowers; ++i)
      if (guesses[i] != 0 && SameText(names_[guesses[i]], name)) return guesses[i];
    const uint32_t index = Intern(name);
    guesses = &followers_[size_t{after} * kFollowers];  // Intern may have moved them
    guesses[1] = guesses[0];
    guesses[0] = index;
    return index;
  }
  // The stored text of an interned name, shared by every value that holds it.
  const char* StoredName(uint32_t index) const { return names_[index]; }
  uint32_t FindName(std::string_view name) const;
  std::string_view NameAt(uint32_t index) const { return ScriptNode::StoredText(names_[index]); }
  // Whether a length or a count fits the 32 bits the tree keeps of it (a size_t
  // may have 64).
  static constexpr bool Fits32(uint64_t n) { return n <= UINT32_MAX; }
  const char* Store(std::string_view text) { return StoreIn(values_, text); }
  void* Allocate(size_t bytes) { return AllocateIn(values_, bytes); }  // 8-byte aligned

 private:
  struct Segment {
    ScriptArena* arena;
  };
  struct Chunk {
    void* memory;
    size_t alignment;  // 0: the default alignment
  };

  static constexpr size_t kSegmentBytes = size_t{1} << 16;
  static constexpr uint32_t kSlots =
      static_cast<uint32_t>((kSegmentBytes - sizeof(Segment)) / sizeof(ScriptNode));
  static constexpr uint32_t kSlotBits = 12;
  static constexpr uint32_t kSlotMask = (uint32_t{1} << kSlotBits) - 1;
  static_assert(kSlots <= kSlotMask, "a slot number fits its bits");
  static constexpr size_t kMaxSegments = size_t{1} << (32 - kSlotBits);

  // Whether stored (a name as Store keeps it, not null) holds text. Short
  // texts, nearly all names, are compared a word at a time, never reading
  // outside either.
  static bool SameText(const char* stored, std::string_view text) {
    uint32_t length;
    std::memcpy(&length, stored, sizeof length);
    if (length != text.size()) return false;
    const char* a = stored + sizeof length;
    const char* b = text.data();
    if (length > 16) return std::memcmp(a, b, length) == 0;
    if (length >= 8) return Load<uint64_t>(a) == Load<uint64_t>(b) &&
                            Load<uint64_t>(a + length - 8) == Load<uint64_t>(b + length - 8);
    if (length >= 4) return Load<uint32_t>(a) == Load<uint32_t>(b) &&
                            Load<uint32_t>(a + length - 4) == Load<uint32_t>(b + length - 4);
    for (uint32_t i = 0; i < length; ++i)
      if (a[i] != b[i]) return false;
    return true;
  }
  static uint64_t Hash(std::string_view s);
  template <typename T>
  static T Load(const char* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
  }
  static const Segment* SegmentOf(const void* address) {
    return reinterpret_cast<const Segment*>(reinterpret_cast<uintptr_t>(address) &
                                            ~uintptr_t{kSegmentBytes - 1});
  }
  void* NewChunk(size_t bytes, size_t alignment);
  char* NewPiece();
  void OpenSegment();
  size_t SlotOf(std::string_view name) const;
  uint32_t AddName(std::string_view name, size_t slot);
  void GrowNameSlots();

  // Pieces of kSegmentBytes, for segments and for the bump allocator.
  char* nextPiece_ = nullptr;  // the unused pieces of the last chunk cut into pieces
  char* piecesEnd_ = nullptr;
  size_t pieceChunkSize_;

  // Nodes.
  std::vector<char*> segments_;
  ScriptNode* nextNode_ = nullptr;
  uint32_t nextRef_ = 0;
  uint32_t freeSlots_ = 0;

  // A bump allocator over chunks that grow up to a piece.
  struct Region {
    char* next = nullptr;
    char* limit = nullptr;
    size_t chunkSize;
  };
  void* AllocateIn(Region& region, size_t bytes);
  const char* StoreIn(Region& region, std::string_view text);

  // Item arrays and strings; names apart, close together, for the reader
  // compares every key with one of them.
  Region values_;
  Region nameRegion_;

  std::vector<Chunk> chunks_;
  std::vector<const char*> names_;   // stored names by index; names_[0] is the empty name
  // By name index, kFollowers each: the names InternAfter met next, the latest
  // first; 0 = none.
  static constexpr size_t kFollowers = 2;
  std::vector<uint32_t> followers_;
  std::vector<uint32_t> nameSlots_;  // hash table of name indexes, 0 = free
};
