// Memory of one script tree.
//
// Every node, item array and string of a tree comes from its arena, a bump
// allocator over large chunks; nothing is freed on its own, the whole arena is
// released with the tree. Node names are interned (a save repeats a few hundred
// keys millions of times); values are stored as they come. Strings are stored
// length-prefixed and handed out as a pointer to the prefix (null: empty string).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "script/script_node.h"

class ScriptArena {
 public:
  ScriptArena();
  ~ScriptArena();
  ScriptArena(const ScriptArena&) = delete;
  ScriptArena& operator=(const ScriptArena&) = delete;

  // The arena of the tree that holds node.
  static ScriptArena& Of(const ScriptNode* node);
  // The tree's root, created with the arena.
  ScriptNode* Root() { return reinterpret_cast<ScriptNode*>(header_.rootStorage); }

  ScriptNode* NewNode(ScriptNode* parent, std::string_view name, ParseState state);
  const char* Intern(std::string_view text);
  const char* Store(std::string_view text);
  void* Allocate(size_t bytes);  // 8-byte aligned

 private:
  // The root lives right after a pointer back to its arena, so that any node
  // finds its arena by walking up to the root.
  struct Header {
    ScriptArena* arena;
    alignas(ScriptNode) unsigned char rootStorage[sizeof(ScriptNode)];
  };

  void* NewChunk(size_t bytes);

  Header header_;
  char* next_ = nullptr;
  char* limit_ = nullptr;
  size_t chunkSize_;
  std::vector<void*> chunks_;
  std::vector<void*> hugeChunks_;  // chunks allocated with huge-page alignment
  std::vector<const char*> internSlots_;
  size_t internCount_ = 0;
};
