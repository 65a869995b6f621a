#pragma once
// The four data-graph kinds, one per graph type and counting mode. They
// differ in the unit kind they create (induced subgraph: Unit_for_ig,
// subgraph: Unit_for_sg), in the last phase of chunk_pair (induced-subgraph
// graphs merge the units that come to join the same two nodes), and in
// order_units (undirected graphs orient every unit; directed ones do nothing).

#include "graph/graph.h"

namespace murex {

class Directed_graph_for_ig final : public Data_graph {
 public:
  using Data_graph::Data_graph;
  std::unique_ptr<MyCl::Unit> create_unit() override;
  void chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) override;
  void order_units() override {}

 protected:
  bool units_hold_all_links() const override { return true; }
};

class Directed_graph_for_sg final : public Data_graph {
 public:
  using Data_graph::Data_graph;
  std::unique_ptr<MyCl::Unit> create_unit() override;
  void chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) override;
  void order_units() override {}
};

class Undirected_graph_for_ig final : public Data_graph {
 public:
  using Data_graph::Data_graph;
  std::unique_ptr<MyCl::Unit> create_unit() override;
  void chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) override;
  void order_units() override { order_every_unit(); }

 protected:
  bool units_hold_all_links() const override { return true; }
};

class Undirected_graph_for_sg final : public Data_graph {
 public:
  using Data_graph::Data_graph;
  std::unique_ptr<MyCl::Unit> create_unit() override;
  void chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) override;
  void order_units() override { order_every_unit(); }
};

}  // namespace murex
