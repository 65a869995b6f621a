// Time of the hot operations of a chunking step, on one large data graph:
//
//   BM_chunk_pair      rewriting every occurrence of the pair (a, b) in a
//                      ring of N nodes labelled a, b, a, b ... (N/2 disjoint
//                      occurrences, each touching two more units), with the
//                      context collecting the destroyed and created pairs;
//   BM_record_unit     reporting every unit of that ring to the context as
//                      destroyed (the countable-pair bookkeeping alone);
//   BM_clone_graph     copying the ring into an empty graph, as a branch
//                      clone does for every graph.
//
// Each runs in all four graph kinds; the argument is N.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "graph/chunk.h"
#include "graph/graph_kinds.h"
#include "graph/label.h"
#include "graph/pair.h"
#include "graph/search_context.h"
#include "run/factories.h"
#include "run/murex_factory.h"

namespace {

using namespace murex;

std::unique_ptr<Murex_factory> factory_of(std::int64_t kind) {
  switch (kind) {
    case 0: return std::make_unique<Directed_ig_factory>();
    case 1: return std::make_unique<Directed_sg_factory>();
    case 2: return std::make_unique<Undirected_ig_factory>();
    default: return std::make_unique<Undirected_sg_factory>();
  }
}

struct Ring {
  Search_context context{nullptr};
  Node_label_table node_labels{&context};
  Link_label_table link_labels{&context};
  std::unique_ptr<Data_graph> graph;

  Ring(const Murex_factory& factory, std::int32_t n) {
    Node_label* a = node_labels.find_or_create("a");
    Node_label* b = node_labels.find_or_create("b");
    Link_label* p = link_labels.find_or_create("p");
    graph = factory.create_graph(1, &context);
    for (std::int32_t k = 1; k <= n; ++k) graph->add_node(static_cast<std::uint32_t>(k), k % 2 == 1 ? a : b);
    for (std::int32_t k = 1; k <= n; ++k) graph->add_link(k, k % n + 1, p);
    graph->normalize_units();
    graph->order_units();
  }
};

void install(std::int64_t kind) {
  Factory_holder::release();
  Factory_holder::instance().set(factory_of(kind));
}

void BM_chunk_pair(benchmark::State& state) {
  install(state.range(0));
  const Murex_factory& factory = *Factory_holder::instance().get();
  const auto n = static_cast<std::int32_t>(state.range(1));
  std::size_t destroyed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Ring ring(factory, n);
    ring.graph->reset_units();
    auto record = factory.create_pair(ring.graph->next_unit(), &ring.context);
    Node_label* label = ring.node_labels.create("00001");
    Chunk chunk(label, 0.0, &ring.context);
    chunk.build_from_pair(*record);
    label->set_chunk(&chunk);
    state.ResumeTiming();
    ring.graph->chunk_pair(0, *record, label);
    destroyed = ring.context.destroyed_size();
    ring.context.clear_changes();
  }
  benchmark::DoNotOptimize(destroyed);
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_record_unit(benchmark::State& state) {
  install(state.range(0));
  const Murex_factory& factory = *Factory_holder::instance().get();
  Ring ring(factory, static_cast<std::int32_t>(state.range(1)));
  for (auto _ : state) {
    ring.graph->reset_units();
    while (MyCl::Unit* unit = ring.graph->next_unit()) ring.context.record_destroyed(0, ring.graph.get(), unit);
    ring.context.clear_changes();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ring.graph->unit_count()));
}

void BM_clone_graph(benchmark::State& state) {
  install(state.range(0));
  const Murex_factory& factory = *Factory_holder::instance().get();
  Ring ring(factory, static_cast<std::int32_t>(state.range(1)));
  Search_context copy_context{nullptr};
  Node_label_table copy_nodes{&copy_context};
  Link_label_table copy_links{&copy_context};
  Node_label_map node_map;
  copy_nodes.clone_from(ring.node_labels, node_map);
  Link_label_map link_map;
  copy_links.clone_from(ring.link_labels, link_map);
  for (auto _ : state) {
    auto copy = factory.create_graph(1, &copy_context);
    copy->clone_from(*ring.graph, node_map, link_map);
    benchmark::DoNotOptimize(copy->unit_count());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ring.graph->unit_count()));
}

void kinds_and_sizes(benchmark::internal::Benchmark* b) {
  for (std::int64_t kind = 0; kind < 4; ++kind) {
    for (std::int64_t n : {64, 1024, 16384}) b->Args({kind, n});
  }
}

BENCHMARK(BM_chunk_pair)->Apply(kinds_and_sizes);
BENCHMARK(BM_record_unit)->Apply(kinds_and_sizes);
BENCHMARK(BM_clone_graph)->Apply(kinds_and_sizes);

}  // namespace

BENCHMARK_MAIN();
