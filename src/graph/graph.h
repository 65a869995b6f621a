#pragma once
// Graphs: numbered nodes and the units that connect them.
//
// `Graph` owns its nodes (entry k of `nodes` holds node k; entry 0 and the
// numbers never added stay null) and its units, in insertion order. Removed
// units leave an empty slot until `compact_units`, so each unit's position
// (kept in the unit) always reflects the list order. `Data_graph` is one
// graph of the database; its four concrete kinds are in graph_kinds.h.
// `Chunk` (chunk.h) is the pattern graph of a chunk.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <unordered_map>
#include <vector>

#include "graph/label.h"
#include "graph/node.h"
#include "graph/unit.h"

namespace murex {

class Pair;

class Graph {
 public:
  explicit Graph(Search_context* context) : context_(context) {}
  virtual ~Graph();
  Graph(const Graph&) = delete;
  Graph& operator=(const Graph&) = delete;

  virtual std::unique_ptr<Node> create_node(std::int32_t number, Node_label* label) = 0;
  virtual std::unique_ptr<MyCl::Unit> create_unit() = 0;
  virtual void count_pairs(std::int32_t class_index) = 0;
  virtual void chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) = 0;
  virtual void order_units() = 0;
  virtual void print(std::ostream& out) const;

  // Creates node k (growing `nodes` and `node_count` as needed); gives an
  // existing unlabelled node its label; never replaces a label.
  void add_node(std::uint32_t k, Node_label* label);
  Node* node_at(std::int32_t k) const { return nodes_[static_cast<std::size_t>(k)].get(); }
  // Appends the unit; the graph takes ownership.
  void add_unit(std::unique_ptr<MyCl::Unit> unit);
  // Adds a link from node i to node j. Returns false when the link was not
  // added because a unit that holds every link between the two nodes has one
  // with the same direction and attachment numbers already (a parallel link).
  bool add_link(std::int32_t i, std::int32_t j, Link_label* label);

  void reset_units() { unit_cursor_ = 0; }
  MyCl::Unit* next_unit();
  // Number of units (live ones).
  std::size_t unit_count() const { return live_units_; }

  std::int32_t get_node_count() const { return node_count_; }
  // Size of `nodes` (the largest node number + 1).
  std::size_t node_slots() const { return nodes_.size(); }
  Search_context* get_context() const { return context_; }

  // The editing steps of a rewrite.
  // Takes the unit out of the list, leaving an empty slot; returns ownership.
  std::unique_ptr<MyCl::Unit> take_unit(MyCl::Unit* unit);
  // Closes the empty slots, renumbering positions in list order.
  void compact_units();
  void decrease_node_count() { --node_count_; }

  // Normalizes every unit; ends the building phase of add_link.
  void normalize_units();
  // Fills this empty graph with a copy of `source` (same kind).
  void clone_from(const Graph& source, const Node_label_map& node_labels, const Link_label_map& link_labels);

 protected:
  // Whether a unit holds every link between its two nodes (induced subgraph
  // mode), so that add_link joins a link to the unit already there.
  virtual bool units_hold_all_links() const { return false; }

  std::size_t unit_slots() const { return units_.size(); }
  MyCl::Unit* unit_slot(std::size_t position) const { return units_[position].get(); }

 private:
  std::vector<std::unique_ptr<Node>> nodes_;
  std::int32_t node_count_ = 0;
  std::vector<std::unique_ptr<MyCl::Unit>> units_;
  std::size_t live_units_ = 0;
  std::size_t unit_cursor_ = 0;
  // Node pair -> its unit, while links are added in induced-subgraph mode.
  std::unordered_map<std::uint64_t, MyCl::Unit*> unit_between_;

 protected:
  Search_context* context_;
};

class Data_graph : public Graph {
 public:
  Data_graph(std::int32_t graph_number, Search_context* context)
      : Graph(context), graph_number_(graph_number) {}
  std::int32_t get_graph_number() const { return graph_number_; }

  std::unique_ptr<Node> create_node(std::int32_t number, Node_label* label) override;
  // Registers every unit with the owning search state's pair-type registry.
  void count_pairs(std::int32_t class_index) override;

 protected:
  enum class Variant { induced_subgraph, subgraph };
  // Replaces every non-overlapping occurrence of `pair` by one node labelled
  // `label`, reporting every unit it destroys and creates to the context.
  void rewrite_occurrences(std::int32_t class_index, Pair& pair, Node_label* label, Variant variant);
  // `ordering` on every unit, in list order (undirected graphs).
  void order_every_unit();

 private:
  // Fills `incident` with the live units touching each node, by node number.
  void build_incidence(std::vector<std::vector<MyCl::Unit*>>& incident) const;

  std::int32_t graph_number_;
};

}  // namespace murex
