#include "script/script_node.h"

#include <cstring>

#include "script/script_arena.h"

namespace {

int32_t Deeper(int32_t depth) { return depth == ScriptNode::kUnlimited ? depth : depth - 1; }

}  // namespace

ScriptArena& ScriptNode::arena() const { return ScriptArena::Of(this); }

uint32_t ScriptNode::Capacity() const {
  if (capShift_ == 0) return 1;
  if (capShift_ == kExact) return count_;
  return uint32_t{1} << capShift_;
}

void ScriptNode::Append(Item item) {
  if (count_ == Capacity()) {
    uint8_t shift = 1;
    while ((uint32_t{1} << shift) <= count_) ++shift;
    auto* grown = static_cast<Item*>(arena().Allocate(sizeof(Item) << shift));
    std::memcpy(grown, items(), sizeof(Item) * count_);
    many_ = grown;
    capShift_ = shift;
  }
  items()[count_++] = item;
}

void ScriptNode::AdoptItems(const Item* first, uint32_t n) {
  count_ = n;
  if (n <= 1) {
    capShift_ = 0;
    if (n == 1) one_ = *first;
    return;
  }
  many_ = static_cast<Item*>(arena().Allocate(sizeof(Item) * n));
  std::memcpy(many_, first, sizeof(Item) * n);
  capShift_ = kExact;
}

ScriptNode* ScriptNode::AddChild(std::string_view childName) {
  ScriptNode* child = arena().NewNode(this, childName, kComplete);
  Item item;
  item.child = child;
  Append(item);
  kind = kBlock;
  return child;
}

void ScriptNode::AddString(uint8_t stringKind, std::string_view text) {
  Item item;
  item.text = arena().Store(text);
  Append(item);
  kind = stringKind;
}

void ScriptNode::AddNumber(double value) {
  Item item;
  item.number = value;
  Append(item);
  kind = kNumbers;
}

void ScriptNode::SetNumber(double value) {
  count_ = 0;
  AddNumber(value);
}

void ScriptNode::Clear() { count_ = 0; }

ScriptNode* ScriptNode::FirstChild(std::string_view childName) const {
  if (kind != kBlock) return nullptr;
  for (uint32_t i = 0; i < count_; ++i) {
    ScriptNode* child = items()[i].child;
    if (child->name() == childName) return child;
  }
  return nullptr;
}

ScriptNode* ScriptNode::FirstWithin(std::string_view childName) const {
  if (kind != kBlock) return nullptr;
  for (uint32_t i = 0; i < count_; ++i) {
    ScriptNode* child = items()[i].child;
    if (child->name() == childName) return child;
    if (ScriptNode* grandchild = child->FirstChild(childName)) return grandchild;
  }
  return nullptr;
}

std::optional<std::string_view> ScriptNode::FirstText() const {
  if (!HoldsText() || count_ == 0) return std::nullopt;
  return TextAt(0);
}

std::string_view ScriptNode::TextOf(std::string_view key) const {
  const ScriptNode* child = FirstChild(key);
  return child ? child->FirstText().value_or(std::string_view()) : std::string_view();
}

void ScriptNode::FindAll(std::string_view searched, std::vector<ScriptMatch>* out, int32_t depth,
                         int32_t level) const {
  if (!out) return;
  const Item* it = items();
  if (kind == kBlock) {
    for (uint32_t i = 0; i < count_; ++i) {
      ScriptNode* child = it[i].child;
      if (child->name() == searched) out->push_back({child, -1, level});
      if (depth > 0) child->FindAll(searched, out, Deeper(depth), level + 1);
    }
  } else if (HoldsText()) {
    for (uint32_t i = 0; i < count_; ++i) {
      if (StoredText(it[i].text) == searched)
        out->push_back({const_cast<ScriptNode*>(this), static_cast<int32_t>(i), level});
    }
  }
}

void ScriptNode::CopyItemsTo(ScriptNode* dest, int32_t depth) const {
  if (!dest || kind == kUntyped) return;
  const Item* it = items();
  if (kind == kBlock) {
    if (depth <= 0) return;
    ScriptArena& destArena = dest->arena();
    for (uint32_t i = 0; i < count_; ++i) {
      const ScriptNode* child = it[i].child;
      ScriptNode* copy = destArena.NewNode(dest, child->name(), child->parseState);
      copy->kind = child->kind;
      copy->bare = child->bare;
      Item item;
      item.child = copy;
      dest->Append(item);
      child->CopyItemsTo(copy, Deeper(depth));
    }
  } else if (kind == kNumbers) {
    for (uint32_t i = 0; i < count_; ++i) dest->Append(it[i]);
  } else {
    ScriptArena& destArena = dest->arena();
    for (uint32_t i = 0; i < count_; ++i) {
      Item item;
      item.text = destArena.Store(StoredText(it[i].text));
      dest->Append(item);
    }
  }
}
