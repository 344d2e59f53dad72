// quillmere_probe_tree FILE: a compact tree reader of the script format, as
// the floor of what a reader that builds a tree must do: the file read whole,
// 24-byte nodes in large blocks on huge pages (a key with its value is one), the values of
// lists 8 bytes each, names and texts left in the file's bytes (no interning,
// no copies), numbers parsed in
// place, no status lines and no error handling beyond not crashing. Prints the
// number of nodes.
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "bench/probe_input.h"

namespace {

struct Node {
  uint32_t token;        // where the node's first token starts in the file
  uint32_t tokenLength;  // and its length: the key, or the value of a list
  uint64_t payload;      // a number's bits, or the text's end in the file
  uint32_t firstChild;
  uint32_t nextSibling;
};
static_assert(sizeof(Node) == 24, "the probe's nodes are 24 bytes");

// Nodes are added only to the innermost open block, whose last child is kept
// beside it while it is open.
class Tree {
 public:
  Tree() { open_.push_back({Add({}), 0}); }

  // A new last child of the innermost open block.
  uint32_t AddChild(const Node& node) {
    const uint32_t index = Add(node);
    Open& holder = open_.back();
    if (holder.lastChild == 0)
      At(holder.node).firstChild = index;
    else
      At(holder.lastChild).nextSibling = index;
    holder.lastChild = index;
    return index;
  }
  void Enter(uint32_t node) { open_.push_back({node, 0}); }
  void Leave() {
    if (open_.size() > 1) open_.pop_back();
  }
  Node& At(uint32_t index) { return blocks_[index >> kBlockBits].get()[index & kBlockMask]; }
  uint32_t count() const { return count_; }

 private:
  static constexpr uint32_t kBlockBits = 20;
  static constexpr uint32_t kBlockNodes = uint32_t{1} << kBlockBits;
  static constexpr uint32_t kBlockMask = kBlockNodes - 1;

  struct Open {
    uint32_t node;
    uint32_t lastChild;
  };

  uint32_t Add(const Node& node) {
    const uint32_t index = count_++;
    if ((index & kBlockMask) == 0) blocks_.emplace_back(NewBlock());
    At(index) = node;
    return index;
  }

  // Aligned to huge pages and backed by them, as the program's own nodes are.
  static Node* NewBlock() {
    constexpr size_t kBytes = sizeof(Node) * kBlockNodes;
    void* block = std::aligned_alloc(kHugePage, kBytes);
    if (!block) throw std::bad_alloc();
    madvise(block, kBytes, MADV_HUGEPAGE);
    return static_cast<Node*>(block);
  }
  struct Free {
    void operator()(Node* block) const { std::free(block); }
  };
  static constexpr size_t kHugePage = size_t{2} << 20;

  std::vector<std::unique_ptr<Node, Free>> blocks_;
  std::vector<Open> open_;
  uint32_t count_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (!probe::HasArguments(argc, 2, "quillmere_probe_tree FILE")) return 2;
  const probe::MappedFile file(argv[1]);
  const unsigned char* begin = file.begin();
  const unsigned char* end = file.end();
  Tree tree;
  std::vector<uint64_t> items;  // the values of lists, 8 bytes each
  uint32_t key = 0;             // a key waiting for its value, 0 when none
  for (const unsigned char* p = probe::SkipSpace(begin); p < end;) {
    const unsigned char* tokenEnd = probe::TokenEnd(p);
    const unsigned char* next = probe::SkipSpace(tokenEnd);
    if (*p == '{') {
      tree.Enter(key ? key : tree.AddChild({}));
      key = 0;
    } else if (*p == '}') {
      tree.Leave();
      key = 0;
    } else if (*p != '-' && *p != '=') {  // a sign is left out of the probe's numbers
      uint64_t payload = static_cast<uint64_t>(tokenEnd - begin);
      if (probe::kClasses[*p] == probe::kDigit) {
        const double value = probe::NumberAt(p, tokenEnd);
        std::memcpy(&payload, &value, sizeof value);
      }
      if (*next == '=') {  // a key, one node with its value
        key = tree.AddChild({static_cast<uint32_t>(p - begin), static_cast<uint32_t>(tokenEnd - p), 0, 0, 0});
      } else if (key) {
        tree.At(key).payload = payload;
        key = 0;
      } else {  // an item of the list of the innermost block
        items.push_back(payload);
      }
    }
    p = next;
  }
  std::printf("%u nodes, %zu list items\n", tree.count(), items.size());
  return 0;
}
