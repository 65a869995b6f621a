// The canonical-label cache: the label it gives is the one the installed
// strategy gives the chunk built from the pair, on first sight and on every
// later hit; the presentation it keys on is exactly the chunk the strategy
// would read; a pattern met again in another branch (another label table with
// the same numbering) is a hit and gets that branch's node labels.

#include "pair/canonical_label_cache.h"

#include <gtest/gtest.h>

#include <random>

#include "graph/graph_fixture.h"
#include "graph/unit_for_chunk.h"
#include "label/canonical_label_strategy.h"

namespace murex::test {
namespace {

using MyCl::Unit_for_ig;
using MyCl::Unit_for_sg;

// The chunk's nodes and units as numbers, in the cache's key layout.
std::vector<std::uint32_t> key_of_chunk(Chunk& chunk) {
  std::vector<std::uint32_t> key{static_cast<std::uint32_t>(chunk.get_node_count())};
  for (std::int32_t k = 1; k <= chunk.get_node_count(); ++k) {
    key.push_back(static_cast<std::uint32_t>(chunk.node_at(k)->get_label()->get_number()));
  }
  std::vector<std::uint32_t> links;
  for (MyCl::Unit* unit : units_of(chunk)) {
    const auto* link = static_cast<const MyCl::Unit_for_chunk*>(unit);
    links.push_back(static_cast<std::uint32_t>(link->get_node1()->get_number()));
    links.push_back(static_cast<std::uint32_t>(link->get_node2()->get_number()));
    links.push_back(static_cast<std::uint32_t>(link->get_label()->get_number()));
  }
  key.push_back(static_cast<std::uint32_t>(links.size() / 3));
  key.insert(key.end(), links.begin(), links.end());
  return key;
}

// One branch: base labels a, b, c and p, q in that order, chunk labels X
// (a -p- b) and Y (X's pattern -q- c), so every branch numbers them alike.
struct Branch {
  Branch() {
    for (const char* name : {"a", "b", "c"}) env.nl(name);
    for (const char* name : {"p", "q"}) env.ll(name);
    x = make_chunk_label("X", pair_of(env.nl("a"), env.nl("b"), false, {{1, 1, 1, "p"}}, true));
    y = make_chunk_label("Y", pair_of(x, env.nl("c"), false, {{1, 2, 1, "q"}}, true));
  }

  struct Link_spec {
    std::uint8_t direction;
    std::int32_t from_attachment;
    std::int32_t to_attachment;
    const char* label;
  };

  // A pair of the given ends and links (induced kind holds them all; the
  // subgraph kind the first one).
  std::unique_ptr<Pair> pair_of(Node_label* end1, Node_label* end2, bool self, const std::vector<Link_spec>& links,
                                bool induced) {
    Node* n1 = env.node(1, end1);
    Node* n2 = self ? n1 : env.node(2, end2);
    std::unique_ptr<MyCl::Unit> unit;
    if (induced) {
      unit = std::make_unique<Unit_for_ig>(&env.context);
    } else {
      unit = std::make_unique<Unit_for_sg>(&env.context);
    }
    unit->set_node1(n1);
    unit->set_node2(n2);
    for (const Link_spec& l : links) {
      Node* from = l.direction == 1 ? n1 : n2;
      Node* to = l.direction == 1 ? n2 : n1;
      unit->add_link(env.link(from, to, env.ll(l.label), l.from_attachment, l.to_attachment));
      if (!induced) break;
    }
    std::unique_ptr<Pair> pair;
    if (induced) {
      pair = std::make_unique<Pair_for_ig>(*unit, &env.context);
    } else {
      pair = std::make_unique<Pair_for_sg>(*unit, &env.context);
    }
    units.push_back(std::move(unit));
    return pair;
  }

  Node_label* make_chunk_label(const char* name, const std::unique_ptr<Pair>& pair) {
    chunks.push_back(std::make_unique<Chunk>(&env.context));
    chunks.back()->build_from_pair(*pair);
    Node_label* label = env.node_labels.create(name);
    label->set_chunk(chunks.back().get());
    return label;
  }

  static std::int32_t size_of(const Node_label* label) {
    return label->get_chunk() != nullptr ? label->get_chunk()->get_node_count() : 1;
  }

  Graph_env env;
  std::vector<std::unique_ptr<MyCl::Unit>> units;
  std::vector<std::unique_ptr<Chunk>> chunks;
  Node_label* x = nullptr;
  Node_label* y = nullptr;
};

// A random pattern, drawn the same way in any branch from the same seed.
struct Random_pattern {
  explicit Random_pattern(std::mt19937& random) {
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    end1 = pick(5);
    self = pick(6) == 0;
    end2 = self ? end1 : pick(5);
    induced = pick(2) == 0;
    const int count = 1 + pick(3);
    for (int k = 0; k < count; ++k) {
      links.push_back({static_cast<std::uint8_t>(pick(2)), 1 + pick(3), 1 + pick(3), pick(2) == 0 ? "p" : "q"});
    }
  }

  std::unique_ptr<Pair> in(Branch& branch) const {
    Node_label* labels[] = {branch.env.nl("a"), branch.env.nl("b"), branch.env.nl("c"), branch.x, branch.y};
    Node_label* l1 = labels[end1];
    Node_label* l2 = labels[end2];
    std::vector<Branch::Link_spec> fitted = links;
    for (auto& l : fitted) {
      // Attachments stay inside the ends they name.
      const Node_label* from_end = l.direction == 1 ? l1 : l2;
      const Node_label* to_end = l.direction == 1 ? l2 : l1;
      l.from_attachment = 1 + (l.from_attachment - 1) % Branch::size_of(from_end);
      l.to_attachment = 1 + (l.to_attachment - 1) % Branch::size_of(to_end);
    }
    return branch.pair_of(l1, l2, self, fitted, induced);
  }

  int end1 = 0;
  int end2 = 0;
  bool self = false;
  bool induced = false;
  std::vector<Branch::Link_spec> links;
};

class CanonicalLabelCacheTest : public ::testing::TestWithParam<bool> {
 protected:
  CanonicalLabelCacheTest() {
    Canonical_label_cache::release();
    Canonical_label_strategy_holder::release();
    if (GetParam()) {
      Canonical_label_strategy_holder::instance().set(std::make_unique<Canonical_label_strategy_for_directed>());
    } else {
      Canonical_label_strategy_holder::instance().set(std::make_unique<Canonical_label_strategy_for_undirected>());
    }
  }
  ~CanonicalLabelCacheTest() override {
    Canonical_label_cache::release();
    Canonical_label_strategy_holder::release();
  }

  static Canonical_label strategy_label(const Pair& pair, Search_context* context) {
    Chunk chunk(context);
    chunk.build_from_pair(pair);
    return Canonical_label_strategy_holder::instance().make_canonical_label(chunk);
  }

  static void expect_same(const Canonical_label& got, const Canonical_label& want) {
    EXPECT_EQ(got.node_labels(), want.node_labels());
    EXPECT_EQ(got.code(), want.code());
  }
};

TEST_P(CanonicalLabelCacheTest, PresentationIsTheChunkTheStrategyReads) {
  Branch branch;
  std::mt19937 random(7);
  Pattern_presentation presentation;
  for (int round = 0; round < 300; ++round) {
    const auto pair = Random_pattern(random).in(branch);
    Chunk chunk(&branch.env.context);
    chunk.build_from_pair(*pair);
    presentation.present(*pair);
    ASSERT_EQ(presentation.key(), key_of_chunk(chunk)) << "round " << round;
    for (std::int32_t k = 1; k <= chunk.get_node_count(); ++k) {
      EXPECT_EQ(presentation.node_labels()[static_cast<std::size_t>(k - 1)], chunk.node_at(k)->get_label());
    }
  }
}

TEST_P(CanonicalLabelCacheTest, GivesTheStrategysLabelOnFirstSightAndOnEveryHit) {
  Branch branch;
  std::mt19937 random(11);
  Canonical_label_cache& cache = Canonical_label_cache::instance();
  for (int round = 0; round < 300; ++round) {
    const auto pair = Random_pattern(random).in(branch);
    const Canonical_label want = strategy_label(*pair, &branch.env.context);
    SCOPED_TRACE(round);
    expect_same(cache.label_of(*pair, &branch.env.context), want);
    const std::size_t hits = cache.hits();
    expect_same(cache.label_of(*pair, &branch.env.context), want);
    EXPECT_EQ(cache.hits(), hits + 1);
  }
  EXPECT_LT(cache.size(), 300u) << "random patterns repeat; each is stored once";
  EXPECT_EQ(cache.size(), cache.misses());
}

TEST_P(CanonicalLabelCacheTest, PatternMetAgainInAnotherBranchIsAHitWithThatBranchsLabels) {
  Branch first;
  Branch second;
  Canonical_label_cache& cache = Canonical_label_cache::instance();
  std::mt19937 random_first(5);
  std::mt19937 random_second(5);
  for (int round = 0; round < 100; ++round) {
    const Random_pattern pattern(random_first);
    const Random_pattern same(random_second);
    const auto in_first = pattern.in(first);
    const auto in_second = same.in(second);
    cache.label_of(*in_first, &first.env.context);
    const std::size_t hits = cache.hits();
    const Canonical_label got = cache.label_of(*in_second, &second.env.context);
    EXPECT_EQ(cache.hits(), hits + 1) << "round " << round;
    expect_same(got, strategy_label(*in_second, &second.env.context));
    for (const Node_label* label : got.node_labels()) EXPECT_EQ(label->get_context(), &second.env.context);
  }
}

TEST_P(CanonicalLabelCacheTest, ForgetsEverythingWhenAnotherKindOfStrategyIsInstalled) {
  Branch branch;
  // a -p- b -q- c as one pair: the dummy order keeps the presented numbering,
  // the real one does not, so the two codes differ.
  const auto pair = branch.pair_of(branch.env.nl("c"), branch.x, false, {{1, 1, 2, "q"}}, true);
  Canonical_label_cache& cache = Canonical_label_cache::instance();
  const Canonical_label real = cache.label_of(*pair, &branch.env.context);
  Canonical_label_strategy_holder::release();
  if (GetParam()) {
    Canonical_label_strategy_holder::instance().set(std::make_unique<Dummy_canonical_label_strategy_for_directed>());
  } else {
    Canonical_label_strategy_holder::instance().set(std::make_unique<Dummy_canonical_label_strategy_for_undirected>());
  }
  const Canonical_label dummy = cache.label_of(*pair, &branch.env.context);
  expect_same(dummy, strategy_label(*pair, &branch.env.context));
  EXPECT_NE(dummy.node_labels(), real.node_labels());
  EXPECT_EQ(cache.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, CanonicalLabelCacheTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "directed" : "undirected"; });

}  // namespace
}  // namespace murex::test
