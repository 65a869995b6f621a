// Time of the real canonical-label strategies on symmetric patterns: one
// node label, one link label, every node alike. Ties are never broken during
// the order search. Keeping every tied order (BM_plain_label) costs k! orders
// for a star of k leaves and N! for a clique; the strategies (BM_real_label)
// try one of each set of unplaced twins, so stars and cliques follow a single
// order, while rings and grids, which have no twins, still keep one order per
// symmetry (N or 2N for rings).
//
// Rings:   node k linked to node k+1, node N to node 1 (directed: one way).
// Stars:   one centre linked to k leaves (directed: from the centre); the
//          argument is the number of leaves.
// Cliques: every two nodes linked (directed: both ways).
// Grids:   a side x side square lattice, node (r, s) linked to (r, s+1) and
//          (r+1, s) (directed: that way); the argument is the side.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "graph/chunk.h"
#include "graph/label.h"
#include "graph/search_context.h"
#include "graph/unit_for_chunk.h"
#include "label/canonical_label_strategy.h"

// The search that keeps every tied order, as the label tests hold it.
#include "../tests/label/plain_order_search.h"

namespace {

using murex::Chunk;

enum class Family { ring, star, clique, grid };

class Pattern_fixture {
 public:
  Pattern_fixture() {
    node_label_ = node_table_.create("C");
    link_label_ = link_table_.create("bond");
  }

  std::unique_ptr<Chunk> build(Family family, int size, bool directed) {
    auto chunk = std::make_unique<Chunk>(&context_);
    const int nodes = family == Family::star ? size + 1 : family == Family::grid ? size * size : size;
    for (int k = 1; k <= nodes; ++k) chunk->add_node(static_cast<std::uint32_t>(k), node_label_);
    switch (family) {
      case Family::ring:
        for (int k = 1; k <= nodes; ++k) link(*chunk, k, k % nodes + 1);
        break;
      case Family::star:
        for (int k = 2; k <= nodes; ++k) link(*chunk, 1, k);
        break;
      case Family::clique:
        for (int a = 1; a <= nodes; ++a) {
          for (int b = a + 1; b <= nodes; ++b) {
            link(*chunk, a, b);
            if (directed) link(*chunk, b, a);
          }
        }
        break;
      case Family::grid:
        for (int r = 0; r < size; ++r) {
          for (int c = 0; c < size; ++c) {
            const int k = r * size + c + 1;
            if (c + 1 < size) link(*chunk, k, k + 1);
            if (r + 1 < size) link(*chunk, k, k + size);
          }
        }
        break;
    }
    return chunk;
  }

 private:
  void link(Chunk& chunk, int from, int to) {
    auto unit = std::make_unique<murex::MyCl::Unit_for_chunk>(&context_);
    unit->set_node1(chunk.node_at(from));
    unit->set_node2(chunk.node_at(to));
    unit->set_label(link_label_);
    chunk.add_unit(std::move(unit));
  }

  murex::Search_context context_{nullptr};
  murex::Node_label_table node_table_{&context_};
  murex::Link_label_table link_table_{&context_};
  murex::Node_label* node_label_ = nullptr;
  murex::Link_label* link_label_ = nullptr;
};

template <Family family, bool directed>
void BM_real_label(benchmark::State& state) {
  Pattern_fixture fixture;
  auto chunk = fixture.build(family, static_cast<int>(state.range(0)), directed);
  const murex::Canonical_label_strategy_for_directed directed_strategy;
  const murex::Canonical_label_strategy_for_undirected undirected_strategy;
  const murex::Canonical_label_strategy& strategy =
      directed ? static_cast<const murex::Canonical_label_strategy&>(directed_strategy) : undirected_strategy;
  for (auto _ : state) {
    murex::Canonical_label label = strategy.make_canonical_label(*chunk);
    benchmark::DoNotOptimize(label.code().data());
  }
  state.counters["nodes"] = static_cast<double>(chunk->get_node_count());
}

// The same patterns labelled by the search that keeps every tied order: the
// cost the strategies avoid.
template <Family family, bool directed>
void BM_plain_label(benchmark::State& state) {
  Pattern_fixture fixture;
  auto chunk = fixture.build(family, static_cast<int>(state.range(0)), directed);
  for (auto _ : state) {
    murex::Canonical_label label = murex::label_test::plain_real_label(*chunk, directed);
    benchmark::DoNotOptimize(label.code().data());
  }
  state.counters["nodes"] = static_cast<double>(chunk->get_node_count());
}

// Up to a star of 1024 leaves, a ring of 256 nodes and a clique of 64 nodes;
// grids up to about 10 s per call (the largest run once).
#define MUREX_LABEL_BENCH(family, directed, ...)                                      \
  BENCHMARK_TEMPLATE(BM_real_label, family, directed)->Unit(benchmark::kMillisecond) \
      __VA_ARGS__

MUREX_LABEL_BENCH(Family::ring, true, ->RangeMultiplier(2)->Range(4, 256));
MUREX_LABEL_BENCH(Family::ring, false, ->RangeMultiplier(2)->Range(4, 256));
MUREX_LABEL_BENCH(Family::star, true, ->RangeMultiplier(2)->Range(4, 1024));
MUREX_LABEL_BENCH(Family::star, false, ->RangeMultiplier(2)->Range(4, 1024));
MUREX_LABEL_BENCH(Family::clique, true, ->RangeMultiplier(2)->Range(4, 64));
MUREX_LABEL_BENCH(Family::clique, false, ->RangeMultiplier(2)->Range(4, 64));
MUREX_LABEL_BENCH(Family::grid, true, ->RangeMultiplier(2)->Range(2, 64));
MUREX_LABEL_BENCH(Family::grid, true, ->Arg(96)->Arg(128)->Iterations(1));
MUREX_LABEL_BENCH(Family::grid, false, ->RangeMultiplier(2)->Range(2, 64));
MUREX_LABEL_BENCH(Family::grid, false, ->Arg(96)->Iterations(1));

// The sizes the search that keeps every tied order still labels quickly.
#define MUREX_PLAIN_LABEL_BENCH(family, directed, ...)                                 \
  BENCHMARK_TEMPLATE(BM_plain_label, family, directed)->Unit(benchmark::kMillisecond) \
      __VA_ARGS__

MUREX_PLAIN_LABEL_BENCH(Family::ring, true, ->RangeMultiplier(2)->Range(4, 256));
MUREX_PLAIN_LABEL_BENCH(Family::ring, false, ->RangeMultiplier(2)->Range(4, 256));
MUREX_PLAIN_LABEL_BENCH(Family::star, true, ->DenseRange(4, 9));
MUREX_PLAIN_LABEL_BENCH(Family::star, false, ->DenseRange(4, 9));
MUREX_PLAIN_LABEL_BENCH(Family::clique, true, ->DenseRange(4, 9));
MUREX_PLAIN_LABEL_BENCH(Family::clique, false, ->DenseRange(4, 9));
MUREX_PLAIN_LABEL_BENCH(Family::grid, true, ->DenseRange(2, 8)->Arg(16)->Arg(32));
MUREX_PLAIN_LABEL_BENCH(Family::grid, false, ->DenseRange(2, 8)->Arg(16)->Arg(32));

}  // namespace

BENCHMARK_MAIN();
