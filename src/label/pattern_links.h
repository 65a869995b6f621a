#pragma once
// What the order search of a real canonical label reads from a chunk graph,
// taken once: every node's label number and degree, the links in unit order
// and, per ordered (directed) or unordered (undirected) pair of nodes, the
// label of the last link that joins them (the value the link code records).
//
// Nodes are numbered 1..N as in the graph. Degrees count every unit, so two
// links between the same nodes count twice although the code keeps one.

#include <cstdint>
#include <vector>

namespace murex {

class Graph;

// One unit of the pattern: node numbers and link label number.
struct Pattern_unit {
  std::int32_t from;
  std::int32_t to;
  std::uint32_t label;
};

// Another node and the label of the link that the code records towards it.
struct Pattern_neighbour {
  std::int32_t node;
  std::uint32_t label;
};

class Pattern_links {
 public:
  // Reads every Unit_for_chunk of the graph and passes over other units.
  Pattern_links(Graph& graph, bool directed);

  std::size_t node_count() const { return node_label_.size() - 1; }
  bool directed() const { return directed_; }
  std::uint32_t node_label(std::int32_t node) const { return node_label_[index(node)]; }
  std::uint32_t degree(std::int32_t node) const { return degree_[index(node)]; }
  // Label of the link from the node to itself, 0 for none.
  std::uint32_t self_label(std::int32_t node) const { return self_[index(node)]; }
  // Directed: the links arriving from other nodes. Undirected: the links to other nodes.
  const std::vector<Pattern_neighbour>& into(std::int32_t node) const { return into_[index(node)]; }
  // Directed: the links leaving to other nodes. Undirected: empty.
  const std::vector<Pattern_neighbour>& out_of(std::int32_t node) const { return out_of_[index(node)]; }
  const std::vector<Pattern_unit>& units() const { return units_; }

 private:
  static std::size_t index(std::int32_t node) { return static_cast<std::size_t>(node); }

  bool directed_;
  std::vector<std::uint32_t> node_label_;  // entry 0 unused
  std::vector<std::uint32_t> degree_;
  std::vector<std::uint32_t> self_;
  std::vector<std::vector<Pattern_neighbour>> into_;
  std::vector<std::vector<Pattern_neighbour>> out_of_;
  std::vector<Pattern_unit> units_;
};

}  // namespace murex
