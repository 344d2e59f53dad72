#include "script/script_node.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "script/script_arena.h"

namespace {

int32_t Deeper(int32_t depth) { return depth == ScriptNode::kUnlimited ? depth : depth - 1; }

}  // namespace

std::string_view ScriptNode::name() const { return ScriptArena::Of(this).NameAt(name_); }

ScriptNode* ScriptNode::ChildAt(int i) const {
  return ScriptArena::Of(this).NodeAt(ChildRefAt(static_cast<uint32_t>(i)));
}

// Arrays double as they fill, from room for two items.
unsigned char* ScriptNode::NewItem(size_t width) {
  if (shape_ == kNone) {
    shape_ = kOne;
    return slot_;
  }
  const size_t count = Count();
  const size_t bytes = shape_ == kArray ? size_t{Array()->capacity} * kUnit : width;
  if ((count + 1) * width > bytes) {
    ItemArray* grown = NewArray(std::max(2 * bytes, (count + 1) * width));
    std::memcpy(grown + 1, ItemBytes(), bytes);
    grown->count = static_cast<uint32_t>(count);
    SetArray(grown);
  }
  ItemArray* array = Array();
  return reinterpret_cast<unsigned char*>(array + 1) + array->count++ * width;
}

void ScriptNode::AdoptArray(const void* first, uint32_t n, size_t width) {
  ItemArray* array = NewArray(n * width);
  array->count = n;
  std::memcpy(array + 1, first, n * width);
  SetArray(array);
}

// An array with room for bytes (a multiple of kUnit), its count not yet set.
// Its capacity fits 32 bits, and twice its size still fits a size_t (NewItem
// doubles it), also where a size_t has 32 bits.
ScriptNode::ItemArray* ScriptNode::NewArray(size_t bytes) const {
  if (!ScriptArena::Fits32(bytes / kUnit) || bytes > SIZE_MAX / 4) throw std::bad_alloc();
  auto* array = static_cast<ItemArray*>(ScriptArena::Of(this).Allocate(sizeof(ItemArray) + bytes));
  array->capacity = static_cast<uint32_t>(bytes / kUnit);
  return array;
}

void ScriptNode::SetArray(ItemArray* array) {
  std::memcpy(slot_, &array, sizeof array);
  shape_ = kArray;
}

ScriptNode* ScriptNode::AddChild(std::string_view childName) {
  const ScriptArena::Placed child = ScriptArena::Of(this).NewNode(childName, kComplete);
  Append(child.ref);
  kind = kBlock;
  return child.node;
}

void ScriptNode::AddString(uint8_t stringKind, std::string_view text) {
  Append(Item::Text(ScriptArena::Of(this).Store(text)));
  kind = stringKind;
}

void ScriptNode::AddNumber(double value) {
  Append(Item::Number(value));
  kind = kNumbers;
}

void ScriptNode::SetNumber(double value) {
  Clear();
  AddNumber(value);
}

void ScriptNode::Clear() {
  if (shape_ == kArray)
    Array()->count = 0;
  else
    shape_ = kNone;
}

ScriptNode* ScriptNode::ChildNamed(uint32_t nameIndex) const {
  if (kind != kBlock) return nullptr;
  const ScriptArena& arena = ScriptArena::Of(this);
  const uint32_t count = Count();
  for (uint32_t i = 0; i < count; ++i) {
    ScriptNode* child = arena.NodeAt(ChildRefAt(i));
    if (child->name_ == nameIndex) return child;
  }
  return nullptr;
}

ScriptNode* ScriptNode::FirstChild(std::string_view childName) const {
  const uint32_t nameIndex = ScriptArena::Of(this).FindName(childName);
  return nameIndex == ScriptArena::kNoName ? nullptr : ChildNamed(nameIndex);
}

ScriptNode* ScriptNode::FirstWithin(std::string_view childName) const {
  const ScriptArena& arena = ScriptArena::Of(this);
  const uint32_t nameIndex = arena.FindName(childName);
  if (kind != kBlock || nameIndex == ScriptArena::kNoName) return nullptr;
  const uint32_t count = Count();
  for (uint32_t i = 0; i < count; ++i) {
    ScriptNode* child = arena.NodeAt(ChildRefAt(i));
    if (child->name_ == nameIndex) return child;
    if (ScriptNode* grandchild = child->ChildNamed(nameIndex)) return grandchild;
  }
  return nullptr;
}

std::optional<std::string_view> ScriptNode::FirstText() const {
  if (!HoldsText() || Count() == 0) return std::nullopt;
  return TextAt(0);
}

std::string_view ScriptNode::TextOf(std::string_view key) const {
  const ScriptNode* child = FirstChild(key);
  return child ? child->FirstText().value_or(std::string_view()) : std::string_view();
}

namespace {

double FirstNumber(const ScriptNode* node, double fallback) {
  if (!node || node->kind != kNumbers || node->ItemCount() == 0) return fallback;
  return node->NumberAt(0);
}

}  // namespace

double ScriptNode::NumberOf(std::string_view key, double fallback) const {
  return FirstNumber(FirstChild(key), fallback);
}

double ScriptNode::NumberWithin(std::string_view key, double fallback) const {
  return FirstNumber(FirstWithin(key), fallback);
}

const ScriptNode* ScriptNode::NumbersOf(std::string_view key) const {
  const ScriptNode* child = FirstChild(key);
  return child && child->kind == kNumbers ? child : nullptr;
}

void ScriptNode::FindAll(std::string_view searched, std::vector<ScriptMatch>* out,
                         int32_t depth) const {
  FindAllNamed(ScriptArena::Of(this).FindName(searched), searched, out, depth);
}

// nameIndex is searched's index among the tree's names, kNoName when no node has it.
void ScriptNode::FindAllNamed(uint32_t nameIndex, std::string_view searched,
                              std::vector<ScriptMatch>* out, int32_t depth) const {
  const uint32_t count = Count();
  if (kind == kBlock) {
    const ScriptArena& arena = ScriptArena::Of(this);
    for (uint32_t i = 0; i < count; ++i) {
      ScriptNode* child = arena.NodeAt(ChildRefAt(i));
      if (child->name_ == nameIndex) out->push_back({child, -1});
      // Numbers hold nothing to match: most leaves are passed over without a call.
      if (depth > 0 && (child->kind == kBlock || child->HoldsText()))
        child->FindAllNamed(nameIndex, searched, out, Deeper(depth));
    }
  } else if (HoldsText()) {
    for (uint32_t i = 0; i < count; ++i) {
      if (TextItem(i) == searched)
        out->push_back({const_cast<ScriptNode*>(this), static_cast<int32_t>(i)});
    }
  }
}

void ScriptNode::CopyItemsTo(ScriptNode* dest, int32_t depth) const {
  if (!dest || kind == kUntyped) return;
  if (kind == kBlock) {
    if (depth <= 0) return;
    ScriptArena& destArena = ScriptArena::Of(dest);
    for (uint32_t i = 0; i < Count(); ++i) {
      const ScriptNode* child = ScriptArena::Of(this).NodeAt(ChildRefAt(i));
      const ScriptArena::Placed copy = destArena.NewNode(child->name(), child->parseState);
      copy.node->kind = child->kind;
      copy.node->bare = child->bare;
      dest->Append(copy.ref);
      child->CopyItemsTo(copy.node, Deeper(depth));
    }
  } else if (kind == kNumbers) {
    for (uint32_t i = 0; i < Count(); ++i) dest->Append(ItemAt<Item>(i));
  } else {
    ScriptArena& destArena = ScriptArena::Of(dest);
    for (uint32_t i = 0; i < Count(); ++i) dest->Append(Item::Text(destArena.Store(TextItem(i))));
  }
}
