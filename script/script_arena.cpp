#include "script/script_arena.h"

#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr size_t kFirstChunk = 16 * 1024;
constexpr size_t kHugePage = 2 * 1024 * 1024;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
constexpr bool kHugePages = true;
#else
constexpr bool kHugePages = false;  // elsewhere aligning to a huge page only wastes memory
#endif

}  // namespace

// Names are short: most are hashed from two loads that overlap, never a byte
// at a time, and never reading outside the name.
uint64_t ScriptArena::Hash(std::string_view s) {
  const char* p = s.data();
  const size_t n = s.size();
  uint64_t a = 0;
  uint64_t b = 0;
  if (n >= 8) {
    a = Load<uint64_t>(p);
    b = Load<uint64_t>(p + n - 8);
    for (size_t i = 8; i + 8 < n; i += 8) {
      a = (a ^ Load<uint64_t>(p + i)) * 0xFF51AFD7ED558CCDull;
      a ^= a >> 32;
    }
  } else if (n >= 4) {
    a = Load<uint32_t>(p);
    b = Load<uint32_t>(p + n - 4);
  } else if (n > 0) {
    a = static_cast<unsigned char>(p[0]) | static_cast<uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8 |
        static_cast<uint64_t>(static_cast<unsigned char>(p[n - 1])) << 16;
  }
  uint64_t h = (a ^ 0x9E3779B97F4A7C15ull) * 0xC4CEB9FE1A85EC53ull ^ (b + n) * 0xFF51AFD7ED558CCDull;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  return h ^ (h >> 32);
}

ScriptArena::ScriptArena()
    : pieceChunkSize_(kSegmentBytes),
      values_{nullptr, nullptr, kFirstChunk},
      nameRegion_{nullptr, nullptr, kFirstChunk},
      names_(1, nullptr),
      followers_(kFollowers, 0) {
  NewNode({}, kComplete).node->kind = kBlock;
}

ScriptArena::~ScriptArena() {
  for (const Chunk& c : chunks_) {
    if (c.alignment == 0)
      ::operator delete(c.memory);
    else
      ::operator delete(c.memory, std::align_val_t(c.alignment));
  }
}

// Where the system has huge pages, chunks of a huge page or more are aligned to
// it and asked to be backed by them: one page fault per 2 MiB instead of 512.
void* ScriptArena::NewChunk(size_t bytes, size_t alignment) {
  if (kHugePages && bytes >= kHugePage) {
    bytes = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    alignment = kHugePage;
  }
  void* p = alignment == 0 ? ::operator new(bytes)
                           : ::operator new(bytes, std::align_val_t(alignment));
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (alignment == kHugePage) madvise(p, bytes, MADV_HUGEPAGE);
#endif
  chunks_.push_back({p, alignment});
  return p;
}

// The first chunk cut into pieces is one piece, so that a small tree stays
// small; later ones are 2 MiB each. Every such chunk is aligned to
// kSegmentBytes at least, and so is every piece of it.
char* ScriptArena::NewPiece() {
  if (nextPiece_ == piecesEnd_) {
    nextPiece_ = static_cast<char*>(NewChunk(pieceChunkSize_, kSegmentBytes));
    piecesEnd_ = nextPiece_ + pieceChunkSize_;
    pieceChunkSize_ = kHugePage;
  }
  char* piece = nextPiece_;
  nextPiece_ += kSegmentBytes;
  return piece;
}

void ScriptArena::OpenSegment() {
  if (segments_.size() == kMaxSegments) throw std::bad_alloc();
  char* segment = NewPiece();
  nextRef_ = static_cast<uint32_t>(segments_.size()) << kSlotBits;
  new (segment) Segment{this};
  segments_.push_back(segment);
  nextNode_ = reinterpret_cast<ScriptNode*>(segment + sizeof(Segment));
  freeSlots_ = kSlots;
}

ScriptArena::Placed ScriptArena::NewNode(std::string_view name, ParseState state) {
  return NewNode(Intern(name), state);
}

ScriptArena::Placed ScriptArena::NewNode(uint32_t nameIndex, ParseState state) {
  if (freeSlots_ == 0) OpenSegment();
  --freeSlots_;
  ScriptNode* node = new (nextNode_++) ScriptNode();
  node->name_ = nameIndex;
  node->parseState = state;
  return {node, nextRef_++};
}

void* ScriptArena::AllocateIn(Region& region, size_t bytes) {
  bytes = (bytes + 7) & ~size_t{7};
  if (static_cast<size_t>(region.limit - region.next) < bytes) {
    if (bytes > region.chunkSize / 4) return NewChunk(bytes, 0);  // big item arrays and strings
    region.next = region.chunkSize < kSegmentBytes ? static_cast<char*>(NewChunk(region.chunkSize, 0))
                                                   : NewPiece();
    region.limit = region.next + region.chunkSize;
    if (region.chunkSize < kSegmentBytes) region.chunkSize *= 2;
  }
  void* p = region.next;
  region.next += bytes;
  return p;
}

const char* ScriptArena::StoreIn(Region& region, std::string_view text) {
  if (text.empty()) return nullptr;
  if (!Fits32(text.size())) throw std::bad_alloc();  // its length would not fit the prefix
  uint32_t n = static_cast<uint32_t>(text.size());
  char* p = static_cast<char*>(AllocateIn(region, sizeof n + text.size()));
  std::memcpy(p, &n, sizeof n);
  std::memcpy(p + sizeof n, text.data(), text.size());
  return p;
}

uint32_t ScriptArena::Intern(std::string_view name) {
  if (name.empty()) return 0;
  if (names_.size() * 2 > nameSlots_.size()) GrowNameSlots();
  size_t slot = SlotOf(name);
  return nameSlots_[slot] ? nameSlots_[slot] : AddName(name, slot);
}

uint32_t ScriptArena::FindName(std::string_view name) const {
  if (name.empty()) return 0;
  if (nameSlots_.empty()) return kNoName;
  size_t slot = SlotOf(name);
  return nameSlots_[slot] ? nameSlots_[slot] : kNoName;
}

// The slot of the table that holds name, or the free one where it would go.
size_t ScriptArena::SlotOf(std::string_view name) const {
  size_t mask = nameSlots_.size() - 1;
  size_t i = Hash(name) & mask;
  while (uint32_t index = nameSlots_[i]) {
    if (SameText(names_[index], name)) return i;
    i = (i + 1) & mask;
  }
  return i;
}

uint32_t ScriptArena::AddName(std::string_view name, size_t slot) {
  if (names_.size() == kNoName) throw std::bad_alloc();
  uint32_t index = static_cast<uint32_t>(names_.size());
  names_.push_back(StoreIn(nameRegion_, name));
  followers_.resize(followers_.size() + kFollowers, 0);
  nameSlots_[slot] = index;
  return index;
}

void ScriptArena::GrowNameSlots() {
  std::vector<uint32_t> old(nameSlots_.empty() ? 256 : nameSlots_.size() * 2, 0);
  old.swap(nameSlots_);
  size_t mask = nameSlots_.size() - 1;
  for (uint32_t index : old) {
    if (!index) continue;
    size_t i = Hash(NameAt(index)) & mask;
    while (nameSlots_[i]) i = (i + 1) & mask;
    nameSlots_[i] = index;
  }
}
