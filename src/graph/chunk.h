#pragma once
// A chunk: the pattern one pair type stands for, as a small graph whose nodes
// are `Node_for_chunk` and whose units are `Unit_for_chunk` (one link each).
// Built from a pair; an end that is itself a chunk node is expanded into a
// copy of that chunk's pattern, so a chunk holds every data node and link
// the chunking steps leading to it have bound together.
//
// The label naming a chunk is borrowed (owned by the node-label table) and
// points back to the chunk. Temporary chunks (for canonical labelling) have
// no label. A chunk is never counted or rewritten: those operations are
// internal errors.

#include <memory>
#include <ostream>
#include <vector>

#include "graph/graph.h"

namespace murex {

class Pair;
namespace MyCl {
class Unit_for_chunk;
}

class Chunk final : public Graph {
 public:
  explicit Chunk(Search_context* context) : Graph(context) {}
  Chunk(Node_label* label, double evaluation, Search_context* context)
      : Graph(context), label_(label), evaluation_(evaluation) {}

  std::unique_ptr<Node> create_node(std::int32_t number, Node_label* label) override;
  std::unique_ptr<MyCl::Unit> create_unit() override;
  void count_pairs(std::int32_t class_index) override;
  void chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) override;
  void order_units() override;
  // "  Chunk <name> Evaluation_= <value>\n", then the graph's print.
  void print(std::ostream& out) const override;

  // Lays out the pattern of `pair`; called once on an empty chunk.
  void build_from_pair(const Pair& pair);
  // Copy of `source` in another search state; points the copied label here.
  void copy_remapped(const Chunk& source, const Node_label_map& node_labels, const Link_label_map& link_labels);

  Node_label* get_label() const { return label_; }
  // The unit slots in list order (null for an empty slot), read without
  // moving the unit cursor.
  std::size_t link_slots() const { return unit_slots(); }
  const MyCl::Unit_for_chunk* link_at(std::size_t position) const;
  double get_evaluation() const { return evaluation_; }

 private:
  // Adds the pattern of one end with its node numbers raised by `offset`.
  void add_end(Node_label* label, std::int32_t offset);

  Node_label* label_ = nullptr;
  double evaluation_ = 0.0;
};

// The chunks of one search state, in creation order; owns them.
class Chunk_list {
 public:
  explicit Chunk_list(Search_context* context) : context_(context) {}
  void add(std::unique_ptr<Chunk> chunk) { chunks_.push_back(std::move(chunk)); }
  std::size_t get_size() const { return chunks_.size(); }
  void clone_from(const Chunk_list& source, const Node_label_map& node_labels, const Link_label_map& link_labels);
  // Every chunk's print followed by "\n".
  void print(std::ostream& out) const;

 private:
  std::vector<std::unique_ptr<Chunk>> chunks_;
  Search_context* context_;
};

}  // namespace murex
