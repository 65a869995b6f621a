#pragma once
// The order search of the real canonical-label strategies.
//
// Nodes are sorted into groups (same label and degree, smallest groups
// first); the search then fixes one position after another. At a position
// whose group still holds several nodes every candidate that passes the link
// filter is tried, and all candidate orders whose new shell of the code is
// the largest, over all orders kept so far, are kept; at the last position
// of a group the forced node is placed and the orders whose whole code so far
// is the largest are kept. The label's code is the code of the orders kept at
// the end.
//
// Keeping every tied order makes symmetric patterns expensive: a star of k
// alike leaves keeps k! orders. Orders that a map of the pattern onto itself
// carries into each other lead to equal shells at every later step, so only
// one of them needs to be kept: of two unplaced twins (twin_classes.h) only
// one is tried at each step, which gives exactly the code of the full search.
//
// All kept orders share their code up to the last fixed position except for
// the entries of nodes linked to themselves that were placed while their
// group still had a choice (a shell built while several candidates remain
// holds 0 there). The comparisons below therefore compare only what can
// differ: the new shell, and at the last position of a group also those
// entries.

#include <cstdint>
#include <vector>

#include "label/canonical_label.h"
#include "label/pattern_links.h"

namespace murex {

class Graph;

class Order_search {
 public:
  Order_search(Graph& graph, bool directed);

  Canonical_label run();

 private:
  // One non-zero entry of a code part: its index in the part and the label.
  struct Entry {
    std::uint32_t index;
    std::uint32_t label;
  };
  // The unplaced candidates of one twin class, tried as its first one: that
  // one's offset in the group block and its column.
  struct Choice {
    std::size_t offset;
    std::size_t begin;  // its entries in entries_
    std::size_t end;
    bool alive;
  };
  struct Row_entry {
    std::uint32_t row;
    std::uint32_t choice;
  };

  std::vector<std::uint32_t> group_order(Canonical_label& result);
  void positions_of(const std::int32_t* order);
  // Appends the links between the fixed positions and `node`, as rows of its
  // column (index offset `base`), sorted by row.
  void append_column(std::int32_t node, std::size_t fixed, std::uint32_t base);
  void choices_of(const std::int32_t* order, std::size_t fixed, std::size_t g);
  void filter();
  void offer(const std::int32_t* order, std::size_t p, std::size_t q, const Entry* key, std::size_t size);
  void several_candidates(std::size_t count, std::size_t fixed, std::size_t g);
  void one_candidate(std::size_t count, std::size_t fixed);
  Code encode(const std::int32_t* order);

  Graph& graph_;
  Pattern_links links_;
  std::size_t n_;
  std::vector<std::int32_t> twin_;
  std::vector<std::int32_t> start_;
  std::vector<std::int32_t> orders_;  // flat: N node numbers per order
  std::vector<std::int32_t> next_;
  std::vector<std::size_t> position_;
  std::vector<std::uint64_t> seen_;  // per twin class: stamp of the order that met it
  std::uint64_t stamp_ = 0;
  std::vector<Choice> choices_;
  std::vector<Entry> entries_;
  std::vector<Row_entry> rows_;
  std::vector<std::uint32_t> alive_;
  std::vector<std::uint64_t> in_row_;
  std::uint64_t row_stamp_ = 0;
  std::vector<Entry> best_;
  bool have_best_ = false;
};

}  // namespace murex
