#pragma once
// Countable pairs: how one chunking step reports the pairs it destroyed and
// created. Each holds the pattern of a unit exactly as the unit shows it and
// the list of its occurrences (class index, graph), one per reported unit,
// duplicates included. The search context merges countable pairs of equal
// pattern; the pair-type registry reads them and updates its counts.
//
// The context owns the countable pairs; a countable pair owns its pair
// links, not the labels or graphs it points to. Countable pairs are never
// cloned: `clone` stops the run with its placeholder message.

#include <cstdint>
#include <vector>

#include "graph/pair.h"

namespace murex {

class Data_graph;

struct Occurrence {
  std::int32_t class_index;
  Data_graph* graph;
};

class Countable_pair : public Pair {
 public:
  Countable_pair(Data_graph* graph, std::int32_t class_index, Search_context* context)
      : Pair(context), occurrences_{{class_index, graph}} {}

  // Appends a copy of every occurrence of `other`, in order.
  void append_occurrences(const Countable_pair& other);
  // Appends one occurrence.
  void add_occurrence(std::int32_t class_index, Data_graph* graph) { occurrences_.push_back({class_index, graph}); }
  const std::vector<Occurrence>& occurrences() const { return occurrences_; }

 protected:
  void print_occurrences(std::ostream& out) const;

 private:
  std::vector<Occurrence> occurrences_;
};

class Countable_pair_for_ig final : public With_link_set<Countable_pair> {
 public:
  Countable_pair_for_ig(MyCl::Unit& unit, Data_graph* graph, std::int32_t class_index, Search_context* context);

  void clone(const Pair& source, const Node_label_map& node_labels, const Link_label_map& link_labels) override;
  void print(std::ostream& out) const override;
};

class Countable_pair_for_sg final : public With_one_link<Countable_pair> {
 public:
  Countable_pair_for_sg(MyCl::Unit& unit, Data_graph* graph, std::int32_t class_index, Search_context* context);

  void clone(const Pair& source, const Node_label_map& node_labels, const Link_label_map& link_labels) override;
  void print(std::ostream& out) const override;
};

}  // namespace murex
