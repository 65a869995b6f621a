#pragma once
// Helpers shared by the canonical-labelling tests: a plain description of a
// small pattern (node labels and links by number) and a fixture that owns the
// label tables and lays a description out as a chunk graph.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graph/chunk.h"
#include "graph/label.h"
#include "graph/search_context.h"
#include "graph/unit_for_chunk.h"
#include "label/canonical_label.h"

namespace murex::label_test {

struct Pattern_link {
  int from;   // node number, from 1
  int to;     // node number, from 1
  int label;  // link label number, from 1
};

struct Pattern {
  std::vector<int> node_labels;  // entry k-1: the node label number of node k
  std::vector<Pattern_link> links;  // in unit order
  int node_count() const { return static_cast<int>(node_labels.size()); }
};

// Owns a context and two label tables whose entries are numbered 1, 2, ...
// Node label k is named "n<k>", link label k is named "l<k>".
class Label_tables {
 public:
  static constexpr int node_label_count = 6;
  static constexpr int link_label_count = 8;

  Label_tables() {
    for (int k = 1; k <= node_label_count; ++k) node_table.create("n" + std::to_string(k));
    for (int k = 1; k <= link_label_count; ++k) link_table.create("l" + std::to_string(k));
  }

  Node_label* node_label(int number) { return node_table.label_at(number); }
  Link_label* link_label(int number) { return link_table.label_at(number); }

  // The pattern as a chunk: nodes 1..N and one Unit_for_chunk per link, in order.
  std::unique_ptr<Chunk> build(const Pattern& pattern) {
    auto chunk = std::make_unique<Chunk>(&context);
    for (int k = 1; k <= pattern.node_count(); ++k) {
      chunk->add_node(static_cast<std::uint32_t>(k), node_label(pattern.node_labels[static_cast<std::size_t>(k - 1)]));
    }
    for (const Pattern_link& link : pattern.links) add_link_unit(*chunk, link);
    return chunk;
  }

  void add_link_unit(Chunk& chunk, const Pattern_link& link) {
    auto unit = std::make_unique<MyCl::Unit_for_chunk>(&context);
    unit->set_node1(chunk.node_at(link.from));
    unit->set_node2(chunk.node_at(link.to));
    unit->set_label(link_label(link.label));
    chunk.add_unit(std::move(unit));
  }

  Search_context context{nullptr};
  Node_label_table node_table{&context};
  Link_label_table link_table{&context};
};

inline std::vector<int> label_numbers(const Canonical_label& label) {
  std::vector<int> numbers;
  for (const Node_label* node_label : label.node_labels()) numbers.push_back(node_label->get_number());
  return numbers;
}

}  // namespace murex::label_test
