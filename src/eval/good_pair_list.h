#pragma once
// The good-pair list: every pattern the search has counted, in any branch,
// with the graph numbers of each class in which it was seen. Entries are
// never removed and their graph sets only grow; at the end of the run the
// list writes good_pair.out with every entry the good-pair evaluation
// function accepts.

#include <cstdint>
#include <memory>
#include <ostream>
#include <set>
#include <vector>

namespace murex {

class Canonical_label;
class Pair_binder;

class Good_pair {
 public:
  explicit Good_pair(const Pair_binder& pair_type);

  const std::vector<std::int32_t>& node_labels() const { return node_labels_; }
  const std::vector<std::uint32_t>& code() const { return code_; }
  const std::vector<std::set<std::int32_t>>& graph_numbers() const { return graph_numbers_; }

  // Adds the graph numbers of an entry of the same key.
  void merge(const Good_pair& other) const;
  void add_graph(std::int32_t class_index, std::int32_t graph_number) const;
  void print(std::ostream& out) const;

 private:
  std::vector<std::int32_t> node_labels_;
  std::vector<std::uint32_t> code_;
  // Not part of the key, so it may grow while the entry sits in an ordered set.
  mutable std::vector<std::set<std::int32_t>> graph_numbers_;
};

// The key order: fewer node labels first, then label numbers, then code
// entries (signed). A canonical label can be looked up without building an entry.
struct Good_pair_less {
  using is_transparent = void;
  bool operator()(const Good_pair& a, const Good_pair& b) const;
  bool operator()(const Good_pair& a, const Canonical_label& b) const;
  bool operator()(const Canonical_label& a, const Good_pair& b) const;
};

class Good_pair_list {
 public:
  static Good_pair_list& instance();
  static void release();

  // Adds the pair type's pattern with every graph it holds.
  void record(const Pair_binder& pair_type);
  // Adds the pair type's pattern with one graph it has just gained; the same
  // as `record` when every earlier graph was recorded when it was gained.
  void record(const Pair_binder& pair_type, std::int32_t class_index, std::int32_t graph_number);
  // "Good_pairs \n", then every accepted entry with its "evaluation= " line.
  void write(std::ostream& out) const;
  const std::set<Good_pair, Good_pair_less>& good_pairs() const { return good_pairs_; }

 private:
  std::set<Good_pair, Good_pair_less> good_pairs_;
};

}  // namespace murex
