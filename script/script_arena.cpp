#include "script/script_arena.h"

#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr size_t kFirstChunk = 16 * 1024;
constexpr size_t kLargestChunk = 4 * 1024 * 1024;
constexpr size_t kHugePage = 2 * 1024 * 1024;
constexpr size_t kInternLimit = 64;  // longer names are stored, not interned

uint64_t HashBytes(std::string_view s) {
  uint64_t h = 0x9E3779B97F4A7C15ull ^ s.size();
  size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    uint64_t w;
    std::memcpy(&w, s.data() + i, 8);
    h = (h ^ w) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  for (; i < s.size(); ++i) h = (h ^ static_cast<unsigned char>(s[i])) * 0x100000001B3ull;
  h ^= h >> 29;
  return h * 0xC4CEB9FE1A85EC53ull;
}

}  // namespace

ScriptArena::ScriptArena() : chunkSize_(kFirstChunk) {
  header_.arena = this;
  ScriptNode* root = new (header_.rootStorage) ScriptNode();
  root->kind = kBlock;
  root->parseState = kComplete;
}

ScriptArena::~ScriptArena() {
  for (void* c : chunks_) ::operator delete(c);
  for (void* c : hugeChunks_) ::operator delete(c, std::align_val_t(kHugePage));
}

ScriptArena& ScriptArena::Of(const ScriptNode* node) {
  while (node->parent) node = node->parent;
  auto* bytes = reinterpret_cast<const unsigned char*>(node);
  auto* header = reinterpret_cast<const Header*>(bytes - offsetof(Header, rootStorage));
  return *header->arena;
}

void* ScriptArena::NewChunk(size_t bytes) {
  if (bytes >= kHugePage) {
    size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = ::operator new(rounded, std::align_val_t(kHugePage));
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(p, rounded, MADV_HUGEPAGE);  // one page fault per 2 MiB instead of 512
#endif
    hugeChunks_.push_back(p);
    return p;
  }
  void* p = ::operator new(bytes);
  chunks_.push_back(p);
  return p;
}

void* ScriptArena::Allocate(size_t bytes) {
  bytes = (bytes + 7) & ~size_t{7};
  if (static_cast<size_t>(limit_ - next_) < bytes) {
    if (bytes > chunkSize_ / 4) return NewChunk(bytes);  // big item arrays and strings
    next_ = static_cast<char*>(NewChunk(chunkSize_));
    limit_ = next_ + chunkSize_;
    if (chunkSize_ < kLargestChunk) chunkSize_ *= 2;
  }
  void* p = next_;
  next_ += bytes;
  return p;
}

const char* ScriptArena::Store(std::string_view text) {
  if (text.empty()) return nullptr;
  uint32_t n = static_cast<uint32_t>(text.size());
  char* p = static_cast<char*>(Allocate(sizeof n + text.size()));
  std::memcpy(p, &n, sizeof n);
  std::memcpy(p + sizeof n, text.data(), text.size());
  return p;
}


const char* ScriptArena::Intern(std::string_view text) {
  if (text.empty()) return nullptr;
  if (text.size() > kInternLimit) return Store(text);
  if ((internCount_ + 1) * 2 > internSlots_.size()) {
    std::vector<const char*> old(internSlots_.empty() ? 256 : internSlots_.size() * 2, nullptr);
    old.swap(internSlots_);
    size_t mask = internSlots_.size() - 1;
    for (const char* s : old) {
      if (!s) continue;
      size_t i = HashBytes(ScriptNode::StoredText(s)) & mask;
      while (internSlots_[i]) i = (i + 1) & mask;
      internSlots_[i] = s;
    }
  }
  size_t mask = internSlots_.size() - 1;
  size_t i = HashBytes(text) & mask;
  while (const char* s = internSlots_[i]) {
    if (ScriptNode::StoredText(s) == text) return s;
    i = (i + 1) & mask;
  }
  internSlots_[i] = Store(text);
  ++internCount_;
  return internSlots_[i];
}

ScriptNode* ScriptArena::NewNode(ScriptNode* parent, std::string_view name, ParseState state) {
  ScriptNode* node = new (Allocate(sizeof(ScriptNode))) ScriptNode();
  node->parent = parent;
  node->name_ = Intern(name);
  node->parseState = state;
  return node;
}
