#pragma once
// A pair type: everything the search knows about the pairs that share one
// canonical label. It is that canonical label, owns the pair records seen
// with it (one per distinct pair pattern), and keeps for every class a map
// from graph to occurrence count (always at least 1). The maps iterate in
// ascending graph number, so every print-out and rewrite order is the same
// from run to run. Graphs are borrowed.

#include <cstdint>
#include <map>
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

using Occurrence_map = std::map<Data_graph*, std::int32_t, By_graph_number>;

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

}  // namespace murex
