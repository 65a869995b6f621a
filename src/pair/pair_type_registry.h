#pragma once
// The pair types of one search state, keyed by canonical label, with their
// occurrences per graph and class.
//
// Filled once after reading (`count_unit` for every unit), updated after each
// chunking step from the countable pairs the step reported (`apply_changes`:
// created pairs first, destroyed pairs second), and offered to the selector
// once per iteration. A pattern is classified by pair-record equality first
// (an index from pair record to pair type); only a pattern never seen before
// gets a canonical label computed. Every pair type that gains a graph is
// reported to the good-pair list. Owns its pair types. Canonical labels come
// from the process-wide cache (pair/canonical_label_cache.h), shared by every
// branch and released when no registry is left.

#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <set>

#include "graph/pair_binder.h"

namespace murex {

class Selector;

class Pair_type_registry {
 public:
  explicit Pair_type_registry(Search_context* context);
  // The last registry of the process to go releases the canonical-label cache.
  ~Pair_type_registry();
  Pair_type_registry(const Pair_type_registry&) = delete;
  Pair_type_registry& operator=(const Pair_type_registry&) = delete;

  // Counts one occurrence of the unit's pattern; true when a new pair type was created.
  bool count_unit(MyCl::Unit* unit, Data_graph* graph, std::int32_t class_index);
  void apply_changes();
  void offer(Selector& selector);
  // Copies every pair type of `source`; `selected` is moved to its copy.
  void clone_from(const Pair_type_registry& source, const Node_label_map& node_labels,
                  const Link_label_map& link_labels, const Graph_map& graphs, Pair_binder*& selected);
  std::size_t size() const { return pair_types_.size(); }
  void print(std::ostream& out) const;

 private:
  struct By_label {
    using is_transparent = void;
    bool operator()(const std::unique_ptr<Pair_binder>& a, const std::unique_ptr<Pair_binder>& b) const {
      return canonical_less(*a, *b);
    }
    bool operator()(const std::unique_ptr<Pair_binder>& a, const Canonical_label& b) const {
      return canonical_less(*a, b);
    }
    bool operator()(const Canonical_label& a, const std::unique_ptr<Pair_binder>& b) const {
      return canonical_less(a, *b);
    }
  };
  struct By_pattern {
    using is_transparent = void;
    bool operator()(const Pair* a, const Pair* b) const { return compare_patterns(*a, *b) < 0; }
    bool operator()(const Unit_pattern& a, const Pair* b) const { return compare_patterns(a, *b) < 0; }
    bool operator()(const Pair* a, const Unit_pattern& b) const { return compare_patterns(b, *a) > 0; }
  };

  // The pair type holding a record equal to `pair`, or null.
  Pair_binder* fast_lookup(const Pair& pair) const;
  // Computes the canonical label of `source` and finds or inserts its pair
  // type; `inserted` tells which.
  Pair_binder* slow_path(const Pair& source, bool& inserted);
  void add_record(Pair_binder& pair_type, std::unique_ptr<Pair> record);
  // Adds one occurrence; reports the pair type when the graph is new to it
  // (when `report` is set).
  static bool add_occurrence(Pair_binder& pair_type, Data_graph* graph, std::int32_t class_index, bool report);
  void erase(Pair_binder* pair_type);

  std::set<std::unique_ptr<Pair_binder>, By_label> pair_types_;
  std::map<const Pair*, Pair_binder*, By_pattern> by_record_;
  Search_context* context_;
  // The pattern of the unit being counted; a pair record is made only when
  // no pair type holds that pattern yet.
  Unit_pattern probe_;
};

}  // namespace murex
