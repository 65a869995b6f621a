#include "graph/pair_binder.h"

#include <iostream>

#include "eval/chunk_evaluation.h"
#include "graph/search_context.h"
#include "input/search_state.h"
#include "run/murex_factory.h"
#include "run/parameter.h"

namespace murex {

void Graph_map::add(std::int32_t class_index, const Data_graph* source, Data_graph* copy) {
  const auto c = static_cast<std::size_t>(class_index);
  if (c >= images_.size()) images_.resize(c + 1);
  const auto g = static_cast<std::size_t>(source->get_graph_number());
  if (g >= images_[c].size()) images_[c].resize(g + 1, nullptr);
  images_[c][g] = copy;
}

Pair_binder::Pair_binder(Search_context* context)
    : occurrences_(Parameter::instance().get_class_count()), context_(context) {}

void Pair_binder::set_canonical_label(const Canonical_label& label) {
  node_labels() = label.node_labels();
  code() = label.code();
}

void Pair_binder::add_pair_record(std::unique_ptr<Pair> record) { pair_records_.push_back(std::move(record)); }

Pair* Pair_binder::next_pair_record() {
  return record_cursor_ < pair_records_.size() ? pair_records_[record_cursor_++].get() : nullptr;
}

std::pair<Occurrence_map::iterator, bool> Pair_binder::add_occurrence(Data_graph* graph, std::int32_t class_index) {
  auto& map = occurrences_[static_cast<std::size_t>(class_index)];
  if (map.empty()) ++nonempty_classes_;
  auto result = map.emplace(graph, 1);
  return result;
}

bool Pair_binder::remove_occurrence(Data_graph* graph, std::int32_t class_index) {
  auto& map = occurrences_[static_cast<std::size_t>(class_index)];
  const auto found = map.find(graph);
  if (found == map.end()) return false;  // never added: nothing to remove
  if (--found->second > 0) return false;
  map.erase(found);
  if (map.empty()) --nonempty_classes_;
  return nonempty_classes_ == 0;
}

void Pair_binder::evaluate() { chunk_evaluation_ = Chunk_evaluation_holder::instance().evaluate(*this); }

bool Pair_binder::is_candidate() const { return Chunk_evaluation_holder::instance().accept(chunk_evaluation_); }

Resolved_code Pair_binder::link_labels_of_code() const {
  Resolved_code resolved;
  resolved.node_labels = node_labels();
  const Link_label_table& table = context_->get_owner()->link_labels();
  resolved.link_labels.reserve(code().size());
  for (const std::uint32_t entry : code()) {
    resolved.link_labels.push_back(entry == 0 ? nullptr : table.label_at(static_cast<std::int32_t>(entry)));
  }
  return resolved;
}

void Pair_binder::clone_from(const Pair_binder& source, const Node_label_map& node_labels_map,
                             const Link_label_map& link_labels_map, const Graph_map& graphs) {
  auto& labels = node_labels();
  labels.reserve(source.node_labels().size());
  for (const Node_label* label : source.node_labels()) labels.push_back(node_labels_map.image(label));
  code() = source.code();
  const Murex_factory* factory = Factory_holder::instance().get();
  pair_records_.reserve(source.pair_records_.size());
  for (const auto& record : source.pair_records_) {
    auto copy = factory->create_empty_pair(context_);
    copy->clone(*record, node_labels_map, link_labels_map);
    pair_records_.push_back(std::move(copy));
  }
  for (std::size_t c = 0; c < source.occurrences_.size(); ++c) {
    auto& map = occurrences_[c];
    map.reserve(source.occurrences_[c].size());
    for (const auto& [graph, count] : source.occurrences_[c]) {
      map.append(graphs.image(static_cast<std::int32_t>(c), graph), count);
    }
  }
  nonempty_classes_ = source.nonempty_classes_;
  chunk_evaluation_ = source.chunk_evaluation_;
  good_pair_evaluation_ = source.good_pair_evaluation_;
}

void Pair_binder::print(std::ostream& out) const {
  Canonical_label::print(out);
  for (const auto& record : pair_records_) {
    record->print(out);
    out << '\n';
  }
  for (const auto& map : occurrences_) {
    out << "    ";
    for (const auto& [graph, count] : map) out << graph->get_graph_number() << '(' << count << ") ";
    out << '\n';
  }
  for (std::size_t c = 0; c < occurrences_.size(); ++c) {
    out << "Class " << c << " = " << occurrences_[c].size() << " graphs";
    if (c + 1 < occurrences_.size()) out << ", ";
  }
  out << '\n';
  out.flush();
  out << "Eval (Chunk) = " << chunk_evaluation_ << ",  Eval (Good_pair) = " << good_pair_evaluation_ << '\n';
  out.flush();
}

}  // namespace murex
