// Time of the real canonical-label strategies on symmetric patterns: one
// node label, one link label, every node alike. Ties are never broken during
// the order search, so the number of candidate orders kept grows with the
// number of automorphisms: linearly for rings, factorially for stars (k!
// orders for k leaves) and cliques (N! orders).
//
// Rings:   node k linked to node k+1, node N to node 1 (directed: one way).
// Stars:   one centre linked to k leaves (directed: from the centre); the
//          argument is the number of leaves.
// Cliques: every two nodes linked (directed: both ways).

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

namespace {

using murex::Chunk;

enum class Family { ring, star, clique };

class Pattern_fixture {
 public:
  Pattern_fixture() {
    node_label_ = node_table_.create("C");
    link_label_ = link_table_.create("bond");
  }

  std::unique_ptr<Chunk> build(Family family, int size, bool directed) {
    auto chunk = std::make_unique<Chunk>(&context_);
    const int nodes = family == Family::star ? size + 1 : size;
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

// Sizes below the ~10 s mark repeat as usual; the largest ones run once.
#define MUREX_LABEL_BENCH(family, directed, ...)                                      \
  BENCHMARK_TEMPLATE(BM_real_label, family, directed)->Unit(benchmark::kMillisecond) \
      __VA_ARGS__

// Directed ring: only rotations survive, so it stays cheap far beyond the others.
MUREX_LABEL_BENCH(Family::ring, true, ->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Arg(128));
MUREX_LABEL_BENCH(Family::ring, true, ->Arg(256)->Arg(384)->Iterations(1));
MUREX_LABEL_BENCH(Family::ring, false, ->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Arg(128));
MUREX_LABEL_BENCH(Family::ring, false, ->Arg(256)->Iterations(1));
MUREX_LABEL_BENCH(Family::star, true, ->DenseRange(3, 8));
MUREX_LABEL_BENCH(Family::star, true, ->DenseRange(9, 10)->Iterations(1));
MUREX_LABEL_BENCH(Family::star, false, ->DenseRange(3, 8));
MUREX_LABEL_BENCH(Family::star, false, ->DenseRange(9, 10)->Iterations(1));
MUREX_LABEL_BENCH(Family::clique, true, ->DenseRange(4, 8));
MUREX_LABEL_BENCH(Family::clique, true, ->DenseRange(9, 10)->Iterations(1));
MUREX_LABEL_BENCH(Family::clique, false, ->DenseRange(4, 8));
MUREX_LABEL_BENCH(Family::clique, false, ->DenseRange(9, 10)->Iterations(1));

}  // namespace

BENCHMARK_MAIN();
