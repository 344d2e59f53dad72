// quillmere_probe_tree FILE: a compact tree reader of the script format, as
// the floor of what a reader that builds a tree must do: the file read whole,
// 24-byte nodes in large blocks (every key and every value is one), names and
// texts left in the file's bytes (no interning, no copies), numbers parsed in
// place, no status lines and no error handling beyond not crashing. Prints the
// number of nodes.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/probe_input.h"

namespace {

struct Node {
  uint64_t payload;  // a number's bits, or a name's or text's offset and length
  uint32_t parent;
  uint32_t firstChild;
  uint32_t nextSibling;
  uint8_t kind;
  uint8_t pad[3];
};
static_assert(sizeof(Node) == 24, "the probe's nodes are 24 bytes");

enum Kind : uint8_t { kBlock, kNumber, kText, kKey };

class Tree {
 public:
  Tree() : lastChild_(1, 0) { Add(0, 0, kBlock); }

  uint32_t Add(uint32_t parent, uint64_t payload, uint8_t kind) {
    const uint32_t index = count_++;
    if ((index & kBlockMask) == 0) blocks_.emplace_back(new Node[kBlockNodes]);
    Node& node = At(index);
    node = Node{payload, parent, 0, 0, kind, {}};
    if (index == 0) return 0;
    Node& holder = At(parent);
    if (holder.firstChild == 0)
      holder.firstChild = index;
    else
      At(Last(parent)).nextSibling = index;
    SetLast(parent, index);
    return index;
  }
  Node& At(uint32_t index) { return blocks_[index >> kBlockBits][index & kBlockMask]; }
  uint32_t count() const { return count_; }

 private:
  static constexpr uint32_t kBlockBits = 20;
  static constexpr uint32_t kBlockNodes = uint32_t{1} << kBlockBits;
  static constexpr uint32_t kBlockMask = kBlockNodes - 1;

  // The last child of every node is kept beside the tree while reading.
  uint32_t Last(uint32_t parent) { return lastChild_[parent]; }
  void SetLast(uint32_t parent, uint32_t child) {
    if (lastChild_.size() <= count_) lastChild_.resize(count_ * 2);
    lastChild_[parent] = child;
  }

  std::vector<std::unique_ptr<Node[]>> blocks_;
  std::vector<uint32_t> lastChild_;
  uint32_t count_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillmere_probe_tree FILE\n");
    return 2;
  }
  const std::string bytes = probe::ReadWholeFile(argv[1]);
  const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = begin + bytes.size() - 1;
  Tree tree;
  std::vector<uint32_t> open(1, 0);  // the blocks the reader is in
  uint32_t last = 0;                 // the last value read in the current block
  uint32_t key = 0;                  // a key waiting for its value, 0 when none
  for (const unsigned char* p = probe::SkipSpace(begin); p < end;) {
    const unsigned char* tokenEnd = probe::TokenEnd(p);
    const uint32_t holder = key ? key : open.back();
    if (*p == '=') {
      if (last) tree.At(last).kind = kKey;
      key = last;
    } else if (*p == '{') {
      open.push_back(key ? key : tree.Add(holder, 0, kBlock));
      key = last = 0;
    } else if (*p == '}') {
      if (open.size() > 1) open.pop_back();
      key = last = 0;
    } else if (*p != '-') {  // a sign is left out of the probe's numbers
      const bool number = probe::kClasses[*p] == probe::kDigit || *p == '-';
      const uint64_t text = (static_cast<uint64_t>(p - begin) << 24) | static_cast<uint64_t>(tokenEnd - p);
      uint64_t payload = text;
      if (number) {
        const double value = probe::NumberAt(p, tokenEnd);
        std::memcpy(&payload, &value, sizeof value);
      }
      last = tree.Add(holder, payload, number ? kNumber : kText);
      if (key) last = key = 0;
    }
    p = probe::SkipSpace(tokenEnd);
  }
  std::printf("%u nodes\n", tree.count());
  return 0;
}
