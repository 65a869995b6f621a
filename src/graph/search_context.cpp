#include "graph/search_context.h"

#include "run/murex_factory.h"

namespace murex {

Search_context::Search_context(Search_state* owner)
    : owner_(owner),
      placeholder_(std::make_unique<Node_label>(0, std::string(), this)),
      created_cursor_(created_.end()),
      destroyed_cursor_(destroyed_.end()) {}

Search_context::~Search_context() = default;

void Search_context::record(Pair_set& set, std::int32_t class_index, Data_graph* graph, MyCl::Unit* unit) {
  probe_.read(*unit);
  const auto found = set.lower_bound(probe_);
  if (found != set.end() && compare_patterns(probe_, **found) == 0) {
    (*found)->add_occurrence(class_index, graph);
    return;
  }
  set.insert(found, Factory_holder::instance().get()->create_countable_pair(unit, graph, class_index, this));
}

void Search_context::record_created(std::int32_t class_index, Data_graph* graph, MyCl::Unit* unit) {
  record(created_, class_index, graph, unit);
}

void Search_context::record_destroyed(std::int32_t class_index, Data_graph* graph, MyCl::Unit* unit) {
  record(destroyed_, class_index, graph, unit);
}

Countable_pair* Search_context::next_created() {
  if (created_cursor_ == created_.end()) return nullptr;
  return (created_cursor_++)->get();
}

Countable_pair* Search_context::next_destroyed() {
  if (destroyed_cursor_ == destroyed_.end()) return nullptr;
  return (destroyed_cursor_++)->get();
}

void Search_context::clear_changes() {
  created_.clear();
  destroyed_.clear();
  created_cursor_ = created_.end();
  destroyed_cursor_ = destroyed_.end();
}

}  // namespace murex
