#include "graph/search_context.h"

#include <algorithm>
#include <type_traits>

#include "run/murex_factory.h"

namespace murex {
namespace {

std::size_t mix(std::size_t h, std::uint64_t v) {
  h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  return h;
}

std::size_t link_hash(std::size_t h, const Pair_link& link) {
  h = mix(h, link.get_direction());
  h = mix(h, (std::uint64_t{link.get_from_attachment()} << 32) | link.get_to_attachment());
  return mix(h, static_cast<std::uint32_t>(link.get_label()->get_number()));
}

// A hash that agrees with compare_patterns: equal patterns hash alike.
template <class Pattern>
std::size_t pattern_hash(const Pattern& p) {
  std::size_t h = mix(0, (std::uint64_t{static_cast<std::uint32_t>(p.get_node1_label()->get_number())} << 32) |
                             static_cast<std::uint32_t>(p.get_node2_label()->get_number()));
  h = mix(h, p.is_self());
  for (const auto& link : p.links()) {
    if constexpr (std::is_same_v<Pattern, Unit_pattern>) {
      h = link_hash(h, link);
    } else {
      h = link_hash(h, *link);
    }
  }
  return h;
}

}  // namespace

Search_context::Search_context(Search_state* owner)
    : owner_(owner), placeholder_(std::make_unique<Node_label>(0, std::string(), this)) {}

Search_context::~Search_context() = default;

void Search_context::Pair_set::grow() {
  const std::size_t capacity = slots_.empty() ? 64 : slots_.size() * 2;
  slots_.assign(capacity, 0);
  const std::size_t mask = capacity - 1;
  for (std::size_t k = 0; k < pairs_.size(); ++k) {
    std::size_t at = hashes_[k] & mask;
    while (slots_[at] != 0) at = (at + 1) & mask;
    slots_[at] = static_cast<std::uint32_t>(k + 1);
  }
}

void Search_context::Pair_set::record(const Unit_pattern& probe, std::int32_t class_index, Data_graph* graph,
                                      MyCl::Unit* unit, Search_context* context) {
  if ((pairs_.size() + 1) * 2 > slots_.size()) grow();
  const std::size_t hash = pattern_hash(probe);
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = hash & mask;
  while (const std::uint32_t entry = slots_[at]) {
    const std::size_t k = entry - 1;
    if (hashes_[k] == hash && compare_patterns(probe, *pairs_[k]) == 0) {
      pairs_[k]->add_occurrence(class_index, graph);
      return;
    }
    at = (at + 1) & mask;
  }
  slots_[at] = static_cast<std::uint32_t>(pairs_.size() + 1);
  pairs_.push_back(Factory_holder::instance().get()->create_countable_pair(unit, graph, class_index, context));
  hashes_.push_back(hash);
  sorted_ = false;
}

void Search_context::Pair_set::sort() {
  if (sorted_ && order_.size() == pairs_.size()) return;
  order_.resize(pairs_.size());
  for (std::size_t k = 0; k < order_.size(); ++k) order_[k] = static_cast<std::uint32_t>(k);
  std::sort(order_.begin(), order_.end(),
            [this](std::uint32_t a, std::uint32_t b) { return compare_patterns(*pairs_[a], *pairs_[b]) < 0; });
  sorted_ = true;
}

void Search_context::Pair_set::clear() {
  pairs_.clear();
  hashes_.clear();
  order_.clear();
  std::fill(slots_.begin(), slots_.end(), 0);
  sorted_ = true;
}

void Search_context::record_created(std::int32_t class_index, Data_graph* graph, MyCl::Unit* unit) {
  probe_.read(*unit);
  created_.record(probe_, class_index, graph, unit, this);
}

void Search_context::record_destroyed(std::int32_t class_index, Data_graph* graph, MyCl::Unit* unit) {
  probe_.read(*unit);
  destroyed_.record(probe_, class_index, graph, unit, this);
}

Countable_pair* Search_context::next_created() {
  if (created_cursor_ >= created_.size()) return nullptr;
  return created_.at(created_cursor_++);
}

Countable_pair* Search_context::next_destroyed() {
  if (destroyed_cursor_ >= destroyed_.size()) return nullptr;
  return destroyed_.at(destroyed_cursor_++);
}

void Search_context::clear_changes() {
  created_.clear();
  destroyed_.clear();
  created_cursor_ = past_end;
  destroyed_cursor_ = past_end;
}

}  // namespace murex
