#pragma once
// The four concrete factories, one per graph type and counting mode, and the
// start-up choice of the run's factory and canonical-label strategy. The
// pair-record kind and the countable-pair kind follow the counting mode; the
// graph kind follows both settings.

#include "graph/graph_kinds.h"
#include "graph/pair.h"
#include "pair/countable_pair.h"
#include "run/murex_factory.h"

namespace murex {

template <class Graph_kind, class Record, class Countable>
class Factory_of final : public Murex_factory {
 public:
  std::unique_ptr<Data_graph> create_graph(std::int32_t graph_number, Search_context* context) const override {
    return std::make_unique<Graph_kind>(graph_number, context);
  }
  std::unique_ptr<Pair> copy_pair(Pair& pair) const override { return std::make_unique<Record>(pair); }
  std::unique_ptr<Pair> create_pair(MyCl::Unit* unit, Search_context* context) const override {
    return std::make_unique<Record>(*unit, context);
  }
  std::unique_ptr<Pair> create_empty_pair(Search_context* context) const override {
    return std::make_unique<Record>(context);
  }
  std::unique_ptr<Countable_pair> create_countable_pair(MyCl::Unit* unit, Data_graph* graph, std::int32_t class_index,
                                                        Search_context* context) const override {
    return std::make_unique<Countable>(*unit, graph, class_index, context);
  }
};

using Directed_sg_factory = Factory_of<Directed_graph_for_sg, Pair_for_sg, Countable_pair_for_sg>;
using Directed_ig_factory = Factory_of<Directed_graph_for_ig, Pair_for_ig, Countable_pair_for_ig>;
using Undirected_sg_factory = Factory_of<Undirected_graph_for_sg, Pair_for_sg, Countable_pair_for_sg>;
using Undirected_ig_factory = Factory_of<Undirected_graph_for_ig, Pair_for_ig, Countable_pair_for_ig>;

// Installs the strategy (first) and the factory chosen from the run parameters.
void install_factory_and_strategy();

}  // namespace murex
