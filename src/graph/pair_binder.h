#pragma once
// A pair type: everything the search knows about the pairs that share one
// canonical label. It is that canonical label, owns the pair records seen
// with it (one per distinct pair pattern), and keeps for every class a map
// from graph to occurrence count (always at least 1). The maps iterate in
// ascending graph number, so every print-out and rewrite order is the same
// from run to run. Graphs are borrowed.

#include <cstdint>
#include <algorithm>
#include <utility>
#include <memory>
#include <ostream>
#include <vector>

#include "graph/graph.h"
#include "graph/pair.h"
#include "label/canonical_label.h"

namespace murex {

struct By_graph_number {
  bool operator()(const Data_graph* a, const Data_graph* b) const {
    return a->get_graph_number() < b->get_graph_number();
  }
};

// Graph -> occurrence count (at least 1), in ascending graph number: a
// sorted vector, so that cloning a pair type copies one block and counting
// walks contiguous entries. Graphs are added mostly in ascending order.
class Occurrence_map {
 public:
  using value_type = std::pair<Data_graph*, std::int32_t>;
  using iterator = std::vector<value_type>::iterator;
  using const_iterator = std::vector<value_type>::const_iterator;

  iterator begin() { return entries_.begin(); }
  iterator end() { return entries_.end(); }
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  iterator find(const Data_graph* graph) {
    const auto at = lower_bound(graph);
    return at != entries_.end() && at->first == graph ? at : entries_.end();
  }
  // Inserts (graph, count) when the graph is absent; the entry and whether it was inserted.
  std::pair<iterator, bool> emplace(Data_graph* graph, std::int32_t count) {
    if (entries_.empty() || By_graph_number{}(entries_.back().first, graph)) {
      entries_.emplace_back(graph, count);
      return {entries_.end() - 1, true};
    }
    const auto at = lower_bound(graph);
    if (at != entries_.end() && at->first == graph) return {at, false};
    return {entries_.insert(at, value_type{graph, count}), true};
  }
  void erase(iterator at) { entries_.erase(at); }
  // Drops every entry whose count is 0.
  void drop_zero_counts() {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [](const value_type& e) { return e.second == 0; }),
                   entries_.end());
  }
  // Appends an entry known to follow every present one.
  void append(Data_graph* graph, std::int32_t count) { entries_.emplace_back(graph, count); }
  void reserve(std::size_t n) { entries_.reserve(n); }

 private:
  iterator lower_bound(const Data_graph* graph) {
    return std::lower_bound(entries_.begin(), entries_.end(), graph,
                            [](const value_type& e, const Data_graph* g) { return By_graph_number{}(e.first, g); });
  }

  std::vector<value_type> entries_;
};

// Each source graph of a search state -> its copy, by class and graph number.
class Graph_map {
 public:
  void add(std::int32_t class_index, const Data_graph* source, Data_graph* copy);
  Data_graph* image(std::int32_t class_index, const Data_graph* source) const {
    return images_[static_cast<std::size_t>(class_index)][static_cast<std::size_t>(source->get_graph_number())];
  }

 private:
  std::vector<std::vector<Data_graph*>> images_;
};

// The node labels of a code and its entries resolved to link labels (null for 0).
struct Resolved_code {
  std::vector<Node_label*> node_labels;
  std::vector<Link_label*> link_labels;
};

class Pair_binder : public Canonical_label {
 public:
  explicit Pair_binder(Search_context* context);
  Pair_binder(const Pair_binder&) = delete;
  Pair_binder& operator=(const Pair_binder&) = delete;

  void set_canonical_label(const Canonical_label& label);

  // Takes ownership of the record.
  void add_pair_record(std::unique_ptr<Pair> record);
  void reset_pair_records() { record_cursor_ = 0; }
  Pair* next_pair_record();
  const std::vector<std::unique_ptr<Pair>>& pair_records() const { return pair_records_; }

  // Inserts (graph, 1) when absent; otherwise reports the entry for the caller to raise.
  std::pair<Occurrence_map::iterator, bool> add_occurrence(Data_graph* graph, std::int32_t class_index);
  // Lowers the count, erasing the entry at 0. True exactly when an entry was
  // erased and afterwards no class holds any entry.
  bool remove_occurrence(Data_graph* graph, std::int32_t class_index);
  // remove_occurrence for each occurrence in turn, stopping after the one
  // that leaves no entry (and then returning true). Entries that reach 0 are
  // closed up once at the end rather than one at a time.
  template <class Occurrences>
  bool remove_occurrences(const Occurrences& occurrences);
  const Occurrence_map& occurrences_of(std::int32_t class_index) const {
    return occurrences_[static_cast<std::size_t>(class_index)];
  }
  std::size_t class_count() const { return occurrences_.size(); }

  // Evaluates with the installed chunk evaluation function and stores the value.
  void evaluate();
  bool is_candidate() const;
  double get_chunk_evaluation() const { return chunk_evaluation_; }
  double get_good_pair_evaluation() const { return good_pair_evaluation_; }

  Resolved_code link_labels_of_code() const;

  void clone_from(const Pair_binder& source, const Node_label_map& node_labels, const Link_label_map& link_labels,
                  const Graph_map& graphs);
  void print(std::ostream& out) const;

  Search_context* get_context() const { return context_; }

 private:
  std::vector<std::unique_ptr<Pair>> pair_records_;
  std::vector<Occurrence_map> occurrences_;
  std::size_t nonempty_classes_ = 0;
  double chunk_evaluation_ = 0.0;
  double good_pair_evaluation_ = 0.0;
  std::size_t record_cursor_ = 0;
  Search_context* context_;
};

template <class Occurrences>
bool Pair_binder::remove_occurrences(const Occurrences& occurrences) {
  // Live entries per class while the zeroed ones wait in place; an entry at
  // 0 counts as absent, exactly as an erased one would.
  std::size_t zeroed[8] = {};
  const bool few_classes = occurrences_.size() <= 8;
  if (!few_classes) {
    for (const auto& o : occurrences) {
      if (remove_occurrence(o.graph, o.class_index)) return true;
    }
    return false;
  }
  bool any_zeroed = false;
  for (const auto& o : occurrences) {
    const auto c = static_cast<std::size_t>(o.class_index);
    auto& map = occurrences_[c];
    const auto found = map.find(o.graph);
    if (found == map.end() || found->second == 0) continue;
    if (--found->second > 0) continue;
    any_zeroed = true;
    if (++zeroed[c] == map.size()) {
      --nonempty_classes_;
      if (nonempty_classes_ == 0) break;
    }
  }
  if (any_zeroed) {
    for (std::size_t c = 0; c < occurrences_.size(); ++c) {
      if (zeroed[c] != 0) occurrences_[c].drop_zero_counts();
    }
  }
  return any_zeroed && nonempty_classes_ == 0;
}

}  // namespace murex
