#include "pair/pair_type_registry.h"

#include "eval/good_pair_list.h"
#include "pair/canonical_label_cache.h"
#include "graph/chunk.h"
#include "graph/search_context.h"
#include "label/canonical_label_strategy.h"
#include "run/murex_factory.h"
#include "run/parameter.h"
#include "run/selector.h"

namespace murex {
namespace {

std::size_t live_registries = 0;

}  // namespace

Pair_type_registry::Pair_type_registry(Search_context* context) : context_(context) { ++live_registries; }

Pair_type_registry::~Pair_type_registry() {
  if (--live_registries == 0) Canonical_label_cache::release();
}

Pair_binder* Pair_type_registry::fast_lookup(const Pair& pair) const {
  const auto found = by_record_.find(&pair);
  return found != by_record_.end() ? found->second : nullptr;
}

Pair_binder* Pair_type_registry::slow_path(const Pair& source, bool& inserted) {
  const Canonical_label label = Canonical_label_cache::instance().label_of(source, context_);
  const auto found = pair_types_.find(label);
  if (found != pair_types_.end()) {
    inserted = false;
    return found->get();
  }
  auto pair_type = std::make_unique<Pair_binder>(context_);
  pair_type->set_canonical_label(label);
  inserted = true;
  return pair_types_.insert(std::move(pair_type)).first->get();
}

void Pair_type_registry::add_record(Pair_binder& pair_type, std::unique_ptr<Pair> record) {
  by_record_.emplace(record.get(), &pair_type);
  pair_type.add_pair_record(std::move(record));
}

bool Pair_type_registry::add_occurrence(Pair_binder& pair_type, Data_graph* graph, std::int32_t class_index,
                                        bool report) {
  auto [entry, inserted] = pair_type.add_occurrence(graph, class_index);
  if (!inserted) {
    ++entry->second;
  } else if (report) {
    Good_pair_list::instance().record(pair_type, class_index, graph->get_graph_number());
  }
  return inserted;
}

bool Pair_type_registry::count_unit(MyCl::Unit* unit, Data_graph* graph, std::int32_t class_index) {
  probe_.read(*unit);
  if (const auto found = by_record_.find(probe_); found != by_record_.end()) {
    add_occurrence(*found->second, graph, class_index, true);
    return false;
  }
  auto record = Factory_holder::instance().get()->create_pair(unit, context_);
  bool created = false;
  Pair_binder* pair_type = slow_path(*record, created);
  if (created) {
    add_record(*pair_type, std::move(record));
    add_occurrence(*pair_type, graph, class_index, true);
    return true;
  }
  add_occurrence(*pair_type, graph, class_index, true);
  add_record(*pair_type, std::move(record));
  return false;
}

void Pair_type_registry::apply_changes() {
  const Murex_factory* factory = Factory_holder::instance().get();

  context_->reset_created();
  while (Countable_pair* pair = context_->next_created()) {
    // A countable pair compares like the record copied from it.
    if (Pair_binder* pair_type = fast_lookup(*pair)) {
      for (const Occurrence& o : pair->occurrences()) add_occurrence(*pair_type, o.graph, o.class_index, true);
      continue;
    }
    bool created = false;
    Pair_binder* pair_type = slow_path(*pair, created);
    for (const Occurrence& o : pair->occurrences()) add_occurrence(*pair_type, o.graph, o.class_index, false);
    Good_pair_list::instance().record(*pair_type);
    add_record(*pair_type, factory->copy_pair(*pair));
  }

  context_->reset_destroyed();
  while (Countable_pair* pair = context_->next_destroyed()) {
    Pair_binder* pair_type = fast_lookup(*pair);
    if (pair_type == nullptr) continue;
    // Gone from every graph: any occurrence still listed is ignored.
    if (pair_type->remove_occurrences(pair->occurrences())) erase(pair_type);
  }

  context_->clear_changes();
}

void Pair_type_registry::erase(Pair_binder* pair_type) {
  for (const auto& record : pair_type->pair_records()) by_record_.erase(record.get());
  pair_types_.erase(pair_types_.find(static_cast<const Canonical_label&>(*pair_type)));
}

void Pair_type_registry::offer(Selector& selector) {
  const std::uint32_t beam_width = Parameter::instance().get_beam_width();
  Search_state* branch = context_->get_owner();
  for (const auto& pair_type : pair_types_) {
    pair_type->evaluate();
    if (!pair_type->is_candidate()) continue;
    selector.insert({pair_type.get(), branch});
    if (selector.size() > beam_width) selector.remove_last();
  }
}

void Pair_type_registry::clone_from(const Pair_type_registry& source, const Node_label_map& node_labels,
                                    const Link_label_map& link_labels, const Graph_map& graphs,
                                    Pair_binder*& selected) {
  Pair_binder* copy_of_selected = selected;
  for (const auto& pair_type : source.pair_types_) {
    auto copy = std::make_unique<Pair_binder>(context_);
    copy->clone_from(*pair_type, node_labels, link_labels, graphs);
    Pair_binder* raw = copy.get();
    pair_types_.insert(pair_types_.end(), std::move(copy));
    for (const auto& record : raw->pair_records()) by_record_.emplace(record.get(), raw);
    if (pair_type.get() == selected) copy_of_selected = raw;
  }
  selected = copy_of_selected;
}

void Pair_type_registry::print(std::ostream& out) const {
  for (const auto& pair_type : pair_types_) {
    pair_type->print(out);
    out << '\n';
  }
}

}  // namespace murex
