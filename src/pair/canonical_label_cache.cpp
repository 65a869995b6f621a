#include "pair/canonical_label_cache.h"

#include <typeinfo>

#include "graph/chunk.h"
#include "graph/pair.h"
#include "graph/unit_for_chunk.h"
#include "label/canonical_label_strategy.h"

namespace murex {
namespace {

std::unique_ptr<Canonical_label_cache>& cache_slot() {
  static std::unique_ptr<Canonical_label_cache> slot;
  return slot;
}

std::uint32_t number_of(const Label* label) { return static_cast<std::uint32_t>(label->get_number()); }

}  // namespace

// --- Pattern_presentation --------------------------------------------------

void Pattern_presentation::add_end(Node_label* label, std::uint32_t offset) {
  const Chunk* inner = label->get_chunk();
  if (inner == nullptr) {
    node_labels_.push_back(label);
    return;
  }
  for (std::int32_t k = 1; k <= inner->get_node_count(); ++k) node_labels_.push_back(inner->node_at(k)->get_label());
  for (std::size_t p = 0; p < inner->link_slots(); ++p) {
    const MyCl::Unit_for_chunk* unit = inner->link_at(p);
    if (unit == nullptr) continue;
    links_.push_back(static_cast<std::uint32_t>(unit->get_node1()->get_number()) + offset);
    links_.push_back(static_cast<std::uint32_t>(unit->get_node2()->get_number()) + offset);
    links_.push_back(number_of(unit->get_label()));
  }
}

void Pattern_presentation::present(const Pair& pair) {
  node_labels_.clear();
  links_.clear();
  Node_label* first = pair.get_node1_label();
  add_end(first, 0);
  std::uint32_t offset = 0;
  if (pair.is_self() == 0) {
    offset = static_cast<std::uint32_t>(node_labels_.size());
    add_end(pair.get_node2_label(), offset);
  }
  for (const auto& link : pair.links()) {
    const std::uint32_t from = link->get_from_attachment();
    const std::uint32_t to = link->get_to_attachment();
    if (link->get_direction() == 1) {
      links_.push_back(from);
      links_.push_back(to + offset);
    } else {
      links_.push_back(from + offset);
      links_.push_back(to);
    }
    links_.push_back(number_of(link->get_label()));
  }
  key_.clear();
  key_.push_back(static_cast<std::uint32_t>(node_labels_.size()));
  for (const Node_label* label : node_labels_) key_.push_back(number_of(label));
  key_.push_back(static_cast<std::uint32_t>(links_.size() / 3));
  key_.insert(key_.end(), links_.begin(), links_.end());
}

// --- Canonical_label_cache -------------------------------------------------

Canonical_label_cache& Canonical_label_cache::instance() {
  auto& slot = cache_slot();
  if (!slot) slot = std::make_unique<Canonical_label_cache>();
  return *slot;
}

void Canonical_label_cache::release() { cache_slot().reset(); }

std::size_t Canonical_label_cache::Key_hash::operator()(const std::vector<std::uint32_t>& key) const {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (const std::uint32_t v : key) {
    h ^= v;
    h *= 0x100000001b3ULL;
    h ^= h >> 29;
  }
  return static_cast<std::size_t>(h);
}

Canonical_label Canonical_label_cache::label_of(const Pair& pair, Search_context* context) {
  const Canonical_label_strategy_holder& holder = Canonical_label_strategy_holder::instance();
  const Canonical_label_strategy& strategy = *holder.get();
  const std::type_index kind(typeid(strategy));
  if (!strategy_kind_ || *strategy_kind_ != kind) {
    entries_.clear();
    strategy_kind_ = std::make_unique<std::type_index>(kind);
  }

  presentation_.present(pair);
  const auto& presented = presentation_.node_labels();
  Canonical_label label;
  if (const auto found = entries_.find(presentation_.key()); found != entries_.end()) {
    ++hits_;
    label.node_labels().reserve(found->second.positions.size());
    for (const std::uint32_t k : found->second.positions) label.node_labels().push_back(presented[k]);
    label.code() = found->second.code;
    return label;
  }

  ++misses_;
  {
    Chunk pattern(context);
    pattern.build_from_pair(pair);
    label = holder.make_canonical_label(pattern);
  }
  // Remember where each canonical position's label stands in the
  // presentation; a label not found there is not cached.
  Entry entry;
  entry.positions.reserve(label.node_count());
  for (const Node_label* wanted : label.node_labels()) {
    std::uint32_t k = 0;
    while (k < presented.size() && presented[k] != wanted) ++k;
    if (k == presented.size()) return label;
    entry.positions.push_back(k);
  }
  entry.code = label.code();
  entries_.emplace(presentation_.key(), std::move(entry));
  return label;
}

}  // namespace murex
