#pragma once
// The canonical label of a pattern: its node labels in canonical node order
// and its link code, one entry per ordered (directed) or unordered
// (undirected) pair of positions holding the link label number, 0 for none.
//
// Real labels use shell order: the code of the first k positions is a prefix
// of the whole code. The node labels are borrowed from the node-label table
// of the search state that holds the label.

#include <cstdint>
#include <ostream>
#include <vector>

#include "graph/label.h"

namespace murex {

using Code = std::vector<std::uint32_t>;

class Canonical_label {
 public:
  Canonical_label() = default;

  std::vector<Node_label*>& node_labels() { return node_labels_; }
  const std::vector<Node_label*>& node_labels() const { return node_labels_; }
  Code& code() { return code_; }
  const Code& code() const { return code_; }
  std::size_t node_count() const { return node_labels_.size(); }

  // Two lines: every node label name followed by a blank; every code entry followed by a blank.
  void print(std::ostream& out) const;

 private:
  std::vector<Node_label*> node_labels_;
  Code code_;
};

// The key order: node count, then node label numbers, then code entries.
bool canonical_less(const Canonical_label& a, const Canonical_label& b);

struct Canonical_less {
  bool operator()(const Canonical_label& a, const Canonical_label& b) const { return canonical_less(a, b); }
  bool operator()(const Canonical_label* a, const Canonical_label* b) const { return canonical_less(*a, *b); }
};

// 0 when equal, else a[i] - b[i] (signed 32-bit) at the first difference.
// Codes of different lengths end the run ("lab_cmp obj1.size()!=obj2.size()").
std::int32_t lab_cmp(const Code& a, const Code& b);

// Code index of the link from position i to position j (1-based), shell order.
inline std::size_t directed_shell_index(std::size_t i, std::size_t j) {
  return i < j ? (j - 2) * j + i : (i - 1) * i + j - 1;
}
// Code index of the link between positions i and j (1-based), shell order.
inline std::size_t undirected_shell_index(std::size_t i, std::size_t j) {
  const std::size_t lo = i < j ? i : j;
  const std::size_t hi = i < j ? j : i;
  return (hi - 1) * hi / 2 + lo - 1;
}

}  // namespace murex
