#include "label/canonical_label_strategy.h"

#include <cstdint>
#include <vector>

#include "graph/graph.h"
#include "graph/unit_for_chunk.h"
#include "label/order_search.h"
#include "run/fatal.h"

namespace murex {
namespace {

// One link of the pattern: node numbers and link label number.
struct Edge {
  std::int32_t a;
  std::int32_t b;
  std::uint32_t label;
};

// The links in unit order, up to the first unit that is not a chunk unit.
std::vector<Edge> edges_of(Graph& graph) {
  std::vector<Edge> edges;
  graph.reset_units();
  while (MyCl::Unit* unit = graph.next_unit()) {
    const auto* link = dynamic_cast<const MyCl::Unit_for_chunk*>(unit);
    if (link == nullptr) break;
    edges.push_back({link->get_node1()->get_number(), link->get_node2()->get_number(),
                     static_cast<std::uint32_t>(link->get_label()->get_number())});
  }
  return edges;
}

std::size_t code_size(std::size_t n, bool directed) { return directed ? n * n : n * (n + 1) / 2; }

Canonical_label dummy_label(Graph& graph, bool directed) {
  Canonical_label result;
  const auto n = static_cast<std::size_t>(graph.get_node_count());
  for (std::size_t k = 1; k <= n; ++k) result.node_labels().push_back(graph.node_at(static_cast<std::int32_t>(k))->get_label());
  result.code().assign(code_size(n, directed), 0);
  for (const Edge& e : edges_of(graph)) {
    const auto a = static_cast<std::size_t>(e.a);
    const auto b = static_cast<std::size_t>(e.b);
    result.code()[directed ? (b - 1) * n + (a - 1) : undirected_shell_index(a, b)] = e.label;
  }
  return result;
}

std::unique_ptr<Canonical_label_strategy_holder>& holder_slot() {
  static std::unique_ptr<Canonical_label_strategy_holder> holder;
  return holder;
}

}  // namespace

Canonical_label Canonical_label_strategy_for_directed::make_canonical_label(Graph& graph) const {
  return Order_search(graph, true).run();
}

Canonical_label Canonical_label_strategy_for_undirected::make_canonical_label(Graph& graph) const {
  return Order_search(graph, false).run();
}

Canonical_label Dummy_canonical_label_strategy_for_directed::make_canonical_label(Graph& graph) const {
  return dummy_label(graph, true);
}

Canonical_label Dummy_canonical_label_strategy_for_undirected::make_canonical_label(Graph& graph) const {
  return dummy_label(graph, false);
}

Canonical_label_strategy_holder& Canonical_label_strategy_holder::instance() {
  auto& slot = holder_slot();
  if (!slot) slot = std::make_unique<Canonical_label_strategy_holder>();
  return *slot;
}

void Canonical_label_strategy_holder::release() { holder_slot().reset(); }

void Canonical_label_strategy_holder::set(std::unique_ptr<Canonical_label_strategy> strategy) {
  if (strategy_) MUREX_INTERNAL_ERROR();
  strategy_ = std::move(strategy);
}

}  // namespace murex
