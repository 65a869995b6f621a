// The real strategies against the plain order search (plain_order_search.h),
// which keeps every tied order: on random patterns of every graph kind and on
// symmetric families both must give the same label, node labels and code.
// Also checks that the twin classes the strategies rely on only join nodes
// that can be exchanged.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "label/canonical_label_strategy.h"
#include "label/pattern_links.h"
#include "label/twin_classes.h"
#include "label_test_patterns.h"
#include "plain_order_search.h"

namespace murex {
namespace {

using label_test::Label_tables;
using label_test::label_numbers;
using label_test::Pattern;
using label_test::Pattern_link;

// Both link layouts the patterns of a run can have: in subgraph mode every
// link is a unit of its own and links between the same two nodes may lie
// anywhere in unit order; in induced-subgraph mode the links between two
// nodes come together, in both directions.
struct Graph_kind {
  const char* name;
  bool directed;
  bool bundled;
};

void PrintTo(const Graph_kind& kind, std::ostream* out) { *out << kind.name; }

const Graph_kind graph_kinds[] = {
    {"DirectedSubgraph", true, false},
    {"DirectedInducedSubgraph", true, true},
    {"UndirectedSubgraph", false, false},
    {"UndirectedInducedSubgraph", false, true},
};

// A random connected pattern of n nodes with up to `node_kinds` node labels
// and `link_kinds` link labels: a random tree, extra links, links from nodes
// to themselves and second links between already linked nodes.
Pattern random_pattern(std::mt19937& rng, int n, const Graph_kind& kind, int node_kinds, int link_kinds,
                       double extra_chance) {
  std::uniform_int_distribution<int> node_label(1, node_kinds);
  std::uniform_int_distribution<int> link_label(1, link_kinds);
  std::bernoulli_distribution coin(0.5);
  std::bernoulli_distribution extra(extra_chance);
  std::bernoulli_distribution rare(0.1);
  Pattern p;
  for (int k = 0; k < n; ++k) p.node_labels.push_back(node_label(rng));
  for (int k = 2; k <= n; ++k) {
    const int other = std::uniform_int_distribution<int>(1, k - 1)(rng);
    p.links.push_back(coin(rng) ? Pattern_link{k, other, link_label(rng)} : Pattern_link{other, k, link_label(rng)});
  }
  for (int a = 1; a <= n; ++a) {
    if (rare(rng)) p.links.push_back({a, a, link_label(rng)});
    for (int b = a + 1; b <= n; ++b) {
      if (extra(rng)) p.links.push_back(coin(rng) ? Pattern_link{a, b, link_label(rng)} : Pattern_link{b, a, link_label(rng)});
    }
  }
  const std::size_t simple = p.links.size();
  for (std::size_t k = 0; k < simple; ++k) {
    if (!rare(rng)) continue;
    Pattern_link again = p.links[k];
    if (coin(rng)) std::swap(again.from, again.to);
    again.label = link_label(rng);
    p.links.push_back(again);
  }
  std::shuffle(p.links.begin(), p.links.end(), rng);
  if (kind.bundled) {
    // Links of one node pair together, the pairs in order of their first link.
    std::vector<std::pair<int, int>> pairs;
    const auto key_of = [](const Pattern_link& l) { return std::make_pair(std::min(l.from, l.to), std::max(l.from, l.to)); };
    for (const Pattern_link& l : p.links) {
      if (std::find(pairs.begin(), pairs.end(), key_of(l)) == pairs.end()) pairs.push_back(key_of(l));
    }
    std::stable_sort(p.links.begin(), p.links.end(), [&](const Pattern_link& x, const Pattern_link& y) {
      const auto at = [&](const Pattern_link& l) {
        return std::find(pairs.begin(), pairs.end(), key_of(l)) - pairs.begin();
      };
      return at(x) < at(y);
    });
  }
  return p;
}

// A pattern rich in twins: a random base pattern of a few nodes whose nodes
// are blown up into sets of 1 to 3 copies; copies of one base node are linked
// to each other in both directions with one label, or not at all, and every
// base link joins all copies of its ends. One extra link may then break some
// of the twins apart.
Pattern twin_rich_pattern(std::mt19937& rng, const Graph_kind& kind) {
  const int base_nodes = std::uniform_int_distribution<int>(1, 4)(rng);
  const Pattern base = random_pattern(rng, base_nodes, kind, 2, 2, 0.4);
  std::bernoulli_distribution coin(0.5);
  std::vector<std::vector<int>> copies(static_cast<std::size_t>(base_nodes + 1));
  Pattern p;
  for (int b = 1; b <= base_nodes; ++b) {
    const int count = std::uniform_int_distribution<int>(1, 3)(rng);
    for (int c = 0; c < count; ++c) {
      p.node_labels.push_back(base.node_labels[static_cast<std::size_t>(b - 1)]);
      copies[static_cast<std::size_t>(b)].push_back(p.node_count());
    }
    if (count > 1 && coin(rng)) {
      const int label = std::uniform_int_distribution<int>(1, 2)(rng);
      for (const int x : copies[static_cast<std::size_t>(b)]) {
        for (const int y : copies[static_cast<std::size_t>(b)]) {
          if (x < y || (kind.directed && x != y)) p.links.push_back({x, y, label});
        }
      }
    }
  }
  for (const Pattern_link& l : base.links) {
    for (const int x : copies[static_cast<std::size_t>(l.from)]) {
      for (const int y : copies[static_cast<std::size_t>(l.to)]) {
        if (l.from != l.to || x <= y || kind.directed) p.links.push_back({x, y, l.label});
      }
    }
  }
  if (coin(rng)) {
    std::uniform_int_distribution<int> node(1, p.node_count());
    p.links.push_back({node(rng), node(rng), std::uniform_int_distribution<int>(1, 2)(rng)});
  }
  return p;
}

// The pattern with its nodes renumbered at random and its units shuffled
// (kept together per node pair when bundled).
Pattern shuffled(const Pattern& p, const Graph_kind& kind, std::mt19937& rng) {
  std::vector<int> permutation(p.node_labels.size());
  std::iota(permutation.begin(), permutation.end(), 1);
  std::shuffle(permutation.begin(), permutation.end(), rng);
  Pattern q;
  q.node_labels.assign(p.node_labels.size(), 0);
  for (std::size_t k = 0; k < p.node_labels.size(); ++k) {
    q.node_labels[static_cast<std::size_t>(permutation[k] - 1)] = p.node_labels[k];
  }
  for (const Pattern_link& l : p.links) {
    Pattern_link m{permutation[static_cast<std::size_t>(l.from - 1)], permutation[static_cast<std::size_t>(l.to - 1)],
                   l.label};
    if (!kind.directed && rng() % 2 == 0) std::swap(m.from, m.to);
    q.links.push_back(m);
  }
  if (!kind.bundled) std::shuffle(q.links.begin(), q.links.end(), rng);
  return q;
}

// ---------------------------------------------------------------------------
// Symmetric families, one node label and one link label unless `two_labels`
// alternates the node labels (or, for cliques, the link labels).

enum class Family { star, ring, clique, grid, bipartite, path };

struct Family_case {
  Family family;
  int a;  // star: leaves; ring, clique, path: nodes; grid, bipartite: first side
  int b;  // grid, bipartite: second side
  bool two_labels;
};

Pattern family_pattern(const Family_case& c, bool directed) {
  Pattern p;
  auto node_count = [&]() {
    switch (c.family) {
      case Family::star: return c.a + 1;
      case Family::grid: return c.a * c.b;
      case Family::bipartite: return c.a + c.b;
      default: return c.a;
    }
  }();
  for (int k = 1; k <= node_count; ++k) p.node_labels.push_back(c.two_labels && c.family != Family::clique ? 1 + k % 2 : 1);
  auto link = [&](int from, int to, int label = 1) { p.links.push_back({from, to, label}); };
  switch (c.family) {
    case Family::star:
      for (int k = 2; k <= node_count; ++k) link(1, k);
      break;
    case Family::ring:
      for (int k = 1; k <= node_count; ++k) link(k, k % node_count + 1);
      break;
    case Family::clique:
      for (int x = 1; x <= node_count; ++x) {
        for (int y = x + 1; y <= node_count; ++y) {
          const int label = c.two_labels ? 1 + (x + y) % 2 : 1;
          link(x, y, label);
          if (directed) link(y, x, label);
        }
      }
      break;
    case Family::grid:
      for (int r = 0; r < c.a; ++r) {
        for (int s = 0; s < c.b; ++s) {
          const int k = r * c.b + s + 1;
          if (s + 1 < c.b) link(k, k + 1);
          if (r + 1 < c.a) link(k, k + c.b);
        }
      }
      break;
    case Family::bipartite:
      for (int x = 1; x <= c.a; ++x) {
        for (int y = c.a + 1; y <= c.a + c.b; ++y) link(x, y);
      }
      break;
    case Family::path:
      for (int k = 1; k < node_count; ++k) link(k, k + 1);
      break;
  }
  return p;
}

std::string family_name(const Family_case& c) {
  static const char* const names[] = {"star", "ring", "clique", "grid", "bipartite", "path"};
  return std::string(names[static_cast<int>(c.family)]) + " " + std::to_string(c.a) + " " + std::to_string(c.b) +
         (c.two_labels ? " two labels" : "");
}

const Family_case family_cases[] = {
    {Family::star, 1, 0, false},      {Family::star, 2, 0, false},      {Family::star, 5, 0, false},
    {Family::star, 7, 0, false},      {Family::star, 6, 0, true},       {Family::ring, 3, 0, false},
    {Family::ring, 4, 0, false},      {Family::ring, 5, 0, false},      {Family::ring, 9, 0, false},
    {Family::ring, 16, 0, false},     {Family::ring, 8, 0, true},       {Family::ring, 12, 0, true},
    {Family::clique, 2, 0, false},    {Family::clique, 4, 0, false},    {Family::clique, 7, 0, false},
    {Family::clique, 6, 0, true},     {Family::grid, 2, 2, false},      {Family::grid, 2, 3, false},
    {Family::grid, 3, 3, false},      {Family::grid, 3, 4, false},      {Family::grid, 4, 4, false},
    {Family::grid, 3, 3, true},       {Family::bipartite, 1, 3, false}, {Family::bipartite, 2, 2, false},
    {Family::bipartite, 3, 3, false}, {Family::bipartite, 3, 4, false}, {Family::bipartite, 3, 3, true},
    {Family::path, 2, 0, false},      {Family::path, 5, 0, false},      {Family::path, 10, 0, false},
    {Family::path, 7, 0, true},
};

// ---------------------------------------------------------------------------

class Order_search_test : public ::testing::TestWithParam<Graph_kind> {
 protected:
  const Graph_kind& kind() const { return GetParam(); }

  const Canonical_label_strategy& strategy() const {
    return kind().directed ? static_cast<const Canonical_label_strategy&>(directed_) : undirected_;
  }

  // Labels the pattern both ways and expects the same node labels and code.
  void expect_plain_label(const Pattern& pattern) {
    auto chunk = tables_.build(pattern);
    const Canonical_label plain = label_test::plain_real_label(*chunk, kind().directed);
    const Canonical_label fast = strategy().make_canonical_label(*chunk);
    ASSERT_EQ(label_numbers(fast), label_numbers(plain));
    for (std::size_t k = 0; k < fast.node_count(); ++k) ASSERT_EQ(fast.node_labels()[k], plain.node_labels()[k]);
    ASSERT_EQ(fast.code(), plain.code());
  }

  // Every two nodes of one twin class can be exchanged: the exchange keeps
  // node labels, degrees and every recorded link label.
  void expect_exchangeable_twins(const Pattern& pattern, std::vector<int>* class_sizes = nullptr) {
    auto chunk = tables_.build(pattern);
    const Pattern_links links(*chunk, kind().directed);
    const std::vector<std::int32_t> twins = twin_classes(links);
    const int n = pattern.node_count();
    ASSERT_EQ(twins.size(), static_cast<std::size_t>(n + 1));
    std::vector<std::vector<std::uint32_t>> m(static_cast<std::size_t>(n + 1), std::vector<std::uint32_t>(static_cast<std::size_t>(n + 1), 0));
    std::vector<int> degree(static_cast<std::size_t>(n + 1), 0);
    for (const Pattern_link& l : pattern.links) {
      m[static_cast<std::size_t>(l.from)][static_cast<std::size_t>(l.to)] = static_cast<std::uint32_t>(l.label);
      if (!kind().directed) m[static_cast<std::size_t>(l.to)][static_cast<std::size_t>(l.from)] = static_cast<std::uint32_t>(l.label);
      ++degree[static_cast<std::size_t>(l.from)];
      if (!kind().directed) ++degree[static_cast<std::size_t>(l.to)];
    }
    std::vector<int> sizes(static_cast<std::size_t>(n + 1), 0);
    for (int x = 1; x <= n; ++x) {
      const auto cls = twins[static_cast<std::size_t>(x)];
      ASSERT_GE(cls, 1);
      ASSERT_LE(cls, n);
      ++sizes[static_cast<std::size_t>(cls)];
      for (int y = x + 1; y <= n; ++y) {
        if (twins[static_cast<std::size_t>(y)] != cls) continue;
        SCOPED_TRACE(::testing::Message() << "twins " << x << " and " << y);
        auto swap_xy = [&](int v) { return static_cast<std::size_t>(v == x ? y : v == y ? x : v); };
        ASSERT_EQ(pattern.node_labels[static_cast<std::size_t>(x - 1)], pattern.node_labels[static_cast<std::size_t>(y - 1)]);
        ASSERT_EQ(degree[static_cast<std::size_t>(x)], degree[static_cast<std::size_t>(y)]);
        for (int u = 1; u <= n; ++u) {
          for (int v = 1; v <= n; ++v) {
            ASSERT_EQ(m[static_cast<std::size_t>(u)][static_cast<std::size_t>(v)], m[swap_xy(u)][swap_xy(v)]);
          }
        }
      }
    }
    if (class_sizes != nullptr) {
      class_sizes->clear();
      for (const int s : sizes) {
        if (s != 0) class_sizes->push_back(s);
      }
      std::sort(class_sizes->begin(), class_sizes->end());
    }
  }

  Label_tables tables_;

 private:
  const Canonical_label_strategy_for_directed directed_;
  const Canonical_label_strategy_for_undirected undirected_;
};

TEST_P(Order_search_test, RandomPatternsGetThePlainLabel) {
  std::mt19937 rng(4711u + (kind().directed ? 2u : 0u) + (kind().bundled ? 1u : 0u));
  struct Shape {
    int node_kinds;
    int link_kinds;
    double extra_chance;
  };
  // Few labels make ties and symmetric patterns common.
  const Shape shapes[] = {{1, 1, 0.2}, {1, 1, 0.5}, {1, 2, 0.3}, {2, 1, 0.25}, {2, 3, 0.4}, {1, 1, 0.9}};
  for (int n = 1; n <= 10; ++n) {
    for (const Shape& shape : shapes) {
      for (int sample = 0; sample < 30; ++sample) {
        const Pattern pattern = random_pattern(rng, n, kind(), shape.node_kinds, shape.link_kinds, shape.extra_chance);
        SCOPED_TRACE(::testing::Message() << "n=" << n << " sample=" << sample);
        expect_plain_label(pattern);
        expect_plain_label(shuffled(pattern, kind(), rng));
        expect_exchangeable_twins(pattern);
      }
    }
  }
}

TEST_P(Order_search_test, PatternsRichInTwinsGetThePlainLabel) {
  std::mt19937 rng(8191u + (kind().directed ? 2u : 0u) + (kind().bundled ? 1u : 0u));
  for (int sample = 0; sample < 1500; ++sample) {
    const Pattern pattern = twin_rich_pattern(rng, kind());
    SCOPED_TRACE(::testing::Message() << "sample=" << sample << " n=" << pattern.node_count());
    expect_plain_label(pattern);
    expect_plain_label(shuffled(pattern, kind(), rng));
    expect_exchangeable_twins(pattern);
  }
}

TEST_P(Order_search_test, SymmetricFamiliesGetThePlainLabel) {
  std::mt19937 rng(1234u);
  for (const Family_case& c : family_cases) {
    SCOPED_TRACE(family_name(c));
    const Pattern pattern = family_pattern(c, kind().directed);
    expect_plain_label(pattern);
    for (int k = 0; k < 3; ++k) expect_plain_label(shuffled(pattern, kind(), rng));
  }
}

// The classes the pruning needs are found: leaves of a star, all nodes of a
// clique and each side of a complete bipartite pattern; a ring has none.
TEST_P(Order_search_test, TwinClassesOfSymmetricFamilies) {
  struct Twin_case {
    Family_case family;
    std::vector<int> class_sizes;  // ascending
  };
  const Twin_case cases[] = {
      {{Family::star, 5, 0, false}, {1, 5}},
      {{Family::clique, 6, 0, false}, {6}},
      {{Family::bipartite, 2, 4, false}, {2, 4}},
      {{Family::ring, 6, 0, false}, {1, 1, 1, 1, 1, 1}},
      {{Family::ring, 4, 0, false}, kind().directed ? std::vector<int>{1, 1, 1, 1} : std::vector<int>{2, 2}},
      {{Family::path, 3, 0, false}, kind().directed ? std::vector<int>{1, 1, 1} : std::vector<int>{1, 2}},
  };
  for (const Twin_case& c : cases) {
    SCOPED_TRACE(family_name(c.family));
    std::vector<int> sizes;
    expect_exchangeable_twins(family_pattern(c.family, kind().directed), &sizes);
    EXPECT_EQ(sizes, c.class_sizes);
  }
}

// Two links between the same nodes: the code keeps the last one, so the
// last one decides whether two nodes are twins.
TEST_P(Order_search_test, LastLinkBetweenTwoNodesDecidesTwins) {
  // Centre 1 with leaves 2 and 3, each joined by links labelled 1 and 2: the
  // leaves are twins when their last links agree, and not otherwise.
  const Pattern same_last{{1, 1, 1}, {{1, 2, 1}, {1, 3, 1}, {1, 3, 2}, {1, 2, 2}}};
  const Pattern different{{1, 1, 1}, {{1, 2, 1}, {1, 3, 2}, {1, 3, 1}, {1, 2, 2}}};
  std::vector<int> sizes;
  expect_exchangeable_twins(same_last, &sizes);
  EXPECT_EQ(sizes, (std::vector<int>{1, 2}));
  expect_exchangeable_twins(different, &sizes);
  EXPECT_EQ(sizes, (std::vector<int>{1, 1, 1}));
  expect_plain_label(same_last);
  expect_plain_label(different);
}

INSTANTIATE_TEST_SUITE_P(Graph_kinds, Order_search_test, ::testing::ValuesIn(graph_kinds),
                         [](const ::testing::TestParamInfo<Graph_kind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace murex
