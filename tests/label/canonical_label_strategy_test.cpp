// The four canonical-label strategies and their holder.
//
// Fixed cases pin down the labels of small patterns; the property tests check
// on many random patterns that a real label does not depend on the node
// numbering and that two patterns get equal real labels exactly when they are
// isomorphic (checked by brute force).

#include "label/canonical_label_strategy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "graph/unit.h"
#include "label_test_patterns.h"

namespace murex {
namespace {

using label_test::Label_tables;
using label_test::label_numbers;
using label_test::Pattern_link;
using label_test::Pattern;

const Canonical_label_strategy_for_directed real_directed;
const Canonical_label_strategy_for_undirected real_undirected;
const Dummy_canonical_label_strategy_for_directed dummy_directed;
const Dummy_canonical_label_strategy_for_undirected dummy_undirected;

const Canonical_label_strategy& real_strategy(bool directed) {
  return directed ? static_cast<const Canonical_label_strategy&>(real_directed) : real_undirected;
}
const Canonical_label_strategy& dummy_strategy(bool directed) {
  return directed ? static_cast<const Canonical_label_strategy&>(dummy_directed) : dummy_undirected;
}

bool same_key(const Canonical_label& a, const Canonical_label& b) {
  return !canonical_less(a, b) && !canonical_less(b, a);
}

// ---------------------------------------------------------------------------
// Pattern arithmetic for the property tests.

using Matrix = std::vector<std::vector<int>>;

// adjacency[a][b]: label of the link from a to b (directed) or between a and
// b (undirected, both entries); 0 for none. The last link met wins.
Matrix adjacency(const Pattern& p, bool directed) {
  const auto n = static_cast<std::size_t>(p.node_count());
  Matrix m(n + 1, std::vector<int>(n + 1, 0));
  for (const Pattern_link& l : p.links) {
    m[static_cast<std::size_t>(l.from)][static_cast<std::size_t>(l.to)] = l.label;
    if (!directed) m[static_cast<std::size_t>(l.to)][static_cast<std::size_t>(l.from)] = l.label;
  }
  return m;
}

// Tries every bijection from p's nodes to q's nodes, abandoning a partial
// one as soon as a node label or a link between mapped nodes disagrees.
class Isomorphism_check {
 public:
  Isomorphism_check(const Pattern& p, const Pattern& q, bool directed)
      : p_(p), q_(q), a_(adjacency(p, directed)), b_(adjacency(q, directed)) {}

  bool run() {
    if (p_.node_count() != q_.node_count() || p_.links.size() != q_.links.size()) return false;
    const auto n = static_cast<std::size_t>(p_.node_count());
    image_.assign(n + 1, 0);
    used_.assign(n + 1, false);
    return extend(1);
  }

 private:
  bool extend(std::size_t k) {
    const auto n = static_cast<std::size_t>(p_.node_count());
    if (k > n) return true;
    for (std::size_t m = 1; m <= n; ++m) {
      if (used_[m] || p_.node_labels[k - 1] != q_.node_labels[m - 1]) continue;
      bool fits = a_[k][k] == b_[m][m];
      for (std::size_t j = 1; j < k && fits; ++j) {
        fits = a_[k][j] == b_[m][image_[j]] && a_[j][k] == b_[image_[j]][m];
      }
      if (!fits) continue;
      used_[m] = true;
      image_[k] = m;
      if (extend(k + 1)) return true;
      used_[m] = false;
    }
    return false;
  }

  const Pattern& p_;
  const Pattern& q_;
  Matrix a_;
  Matrix b_;
  std::vector<std::size_t> image_;
  std::vector<bool> used_;
};

bool isomorphic(const Pattern& p, const Pattern& q, bool directed) { return Isomorphism_check(p, q, directed).run(); }

// Reads a real label back as a pattern: position k becomes node k.
Pattern decode_real_label(const Canonical_label& label, bool directed) {
  Pattern p;
  p.node_labels = label_numbers(label);
  const std::size_t n = label.node_count();
  for (std::size_t i = 1; i <= n; ++i) {
    for (std::size_t j = directed ? 1 : i; j <= n; ++j) {
      const std::uint32_t entry = label.code()[directed ? directed_shell_index(i, j) : undirected_shell_index(i, j)];
      if (entry != 0) p.links.push_back({static_cast<int>(i), static_cast<int>(j), static_cast<int>(entry)});
    }
  }
  return p;
}

struct Shape {
  int node_label_kinds;
  int link_label_kinds;
  double extra_link_chance;
  double self_link_chance;
};

// A random connected pattern: a random spanning tree plus extra links, at
// most one link per ordered (directed) or unordered (undirected) node pair.
Pattern random_pattern(std::mt19937& rng, int n, bool directed, const Shape& shape) {
  std::uniform_int_distribution<int> node_label(1, shape.node_label_kinds);
  std::uniform_int_distribution<int> link_label(1, shape.link_label_kinds);
  std::bernoulli_distribution coin(0.5);
  std::bernoulli_distribution extra(shape.extra_link_chance);
  std::bernoulli_distribution self(shape.self_link_chance);
  Pattern p;
  for (int k = 0; k < n; ++k) p.node_labels.push_back(node_label(rng));
  std::set<std::pair<int, int>> taken;
  auto add = [&](int a, int b) {
    const auto key = directed ? std::make_pair(a, b) : std::make_pair(std::min(a, b), std::max(a, b));
    if (!taken.insert(key).second) return;
    if (!directed && coin(rng)) std::swap(a, b);
    p.links.push_back({a, b, link_label(rng)});
  };
  for (int k = 2; k <= n; ++k) {
    const int other = std::uniform_int_distribution<int>(1, k - 1)(rng);
    if (coin(rng)) add(k, other); else add(other, k);
  }
  for (int a = 1; a <= n; ++a) {
    if (self(rng)) add(a, a);
    for (int b = 1; b <= n; ++b) {
      if (a != b && (directed || a < b) && extra(rng)) add(a, b);
    }
  }
  return p;
}

// The same pattern with node k renumbered permutation[k-1], its units
// shuffled and, for undirected patterns, each unit's ends swapped at random.
Pattern renumbered(const Pattern& p, const std::vector<int>& permutation, bool directed, std::mt19937& rng) {
  Pattern q;
  q.node_labels.assign(p.node_labels.size(), 0);
  for (std::size_t k = 0; k < p.node_labels.size(); ++k) {
    q.node_labels[static_cast<std::size_t>(permutation[k] - 1)] = p.node_labels[k];
  }
  std::bernoulli_distribution coin(0.5);
  for (const Pattern_link& l : p.links) {
    Pattern_link m{permutation[static_cast<std::size_t>(l.from - 1)], permutation[static_cast<std::size_t>(l.to - 1)], l.label};
    if (!directed && coin(rng)) std::swap(m.from, m.to);
    q.links.push_back(m);
  }
  std::shuffle(q.links.begin(), q.links.end(), rng);
  return q;
}

std::vector<int> identity_permutation(int n) {
  std::vector<int> permutation(static_cast<std::size_t>(n));
  std::iota(permutation.begin(), permutation.end(), 1);
  return permutation;
}

// A small change that keeps the pattern connected: another label on one
// link or one node, or one more link. The result may still be isomorphic.
Pattern mutated(const Pattern& p, bool directed, std::mt19937& rng, const Shape& shape) {
  Pattern q = p;
  const int n = p.node_count();
  switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
    case 0: {
      auto& l = q.links[std::uniform_int_distribution<std::size_t>(0, q.links.size() - 1)(rng)];
      l.label = l.label % shape.link_label_kinds + 1;
      break;
    }
    case 1: {
      auto& label = q.node_labels[std::uniform_int_distribution<std::size_t>(0, q.node_labels.size() - 1)(rng)];
      label = label % shape.node_label_kinds + 1;
      break;
    }
    default: {
      const Matrix m = adjacency(p, directed);
      std::vector<std::pair<int, int>> free_pairs;
      for (int a = 1; a <= n; ++a) {
        for (int b = directed ? 1 : a; b <= n; ++b) {
          const bool absent = m[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] == 0 &&
                              (directed || m[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)] == 0);
          if (absent) free_pairs.emplace_back(a, b);
        }
      }
      if (free_pairs.empty()) {
        q.links.front().label = q.links.front().label % shape.link_label_kinds + 1;
      } else {
        const auto [a, b] = free_pairs[std::uniform_int_distribution<std::size_t>(0, free_pairs.size() - 1)(rng)];
        q.links.push_back({a, b, std::uniform_int_distribution<int>(1, shape.link_label_kinds)(rng)});
      }
    }
  }
  return q;
}

// ---------------------------------------------------------------------------
// Fixed cases.

class Canonical_label_strategy_test : public ::testing::Test {
 protected:
  Canonical_label label_of(const Canonical_label_strategy& strategy, const Pattern& pattern) {
    auto chunk = tables.build(pattern);
    return strategy.make_canonical_label(*chunk);
  }

  Label_tables tables;
};

struct Label_case {
  const char* name;
  const Canonical_label_strategy* strategy;
  Pattern pattern;
  std::vector<int> node_labels;
  Code code;
};

TEST_F(Canonical_label_strategy_test, LabelsOfSmallPatterns) {
  const std::vector<Label_case> cases = {
      {"directed pair: the node with the leaving link comes first (link 1->2)",
       &real_directed, {{1, 1}, {{1, 2, 4}}}, {1, 1}, {0, 4, 0, 0}},
      {"directed pair: the node with the leaving link comes first (link 2->1)",
       &real_directed, {{1, 1}, {{2, 1, 4}}}, {1, 1}, {0, 4, 0, 0}},
      {"directed pair: smaller node label first, link back to it",
       &real_directed, {{2, 1}, {{1, 2, 3}}}, {1, 2}, {0, 0, 3, 0}},
      {"undirected pair of one label", &real_undirected, {{1, 1}, {{2, 1, 5}}}, {1, 1}, {0, 5, 0}},
      {"self link, real directed", &real_directed, {{3}, {{1, 1, 6}}}, {3}, {6}},
      {"self link, real undirected", &real_undirected, {{3}, {{1, 1, 6}}}, {3}, {6}},
      {"self link, dummy directed", &dummy_directed, {{3}, {{1, 1, 6}}}, {3}, {6}},
      {"self link, dummy undirected", &dummy_undirected, {{3}, {{1, 1, 6}}}, {3}, {6}},
      {"single node without links", &real_undirected, {{2}, {}}, {2}, {0}},
      // Triangle of one node label, links 1, 2, 3: link 3 joins positions 1
      // and 2, link 2 joins position 1 to position 3.
      {"undirected triangle", &real_undirected, {{1, 1, 1}, {{1, 2, 1}, {2, 3, 2}, {3, 1, 3}}}, {1, 1, 1},
       {0, 3, 0, 2, 1, 0}},
      {"undirected triangle, other numbering", &real_undirected, {{1, 1, 1}, {{2, 1, 3}, {3, 2, 2}, {3, 1, 1}}},
       {1, 1, 1}, {0, 3, 0, 2, 1, 0}},
      // Groups of one node each: node labels ascending, then degree descending.
      {"undirected singleton groups follow the node label order", &real_undirected,
       {{3, 1, 2}, {{1, 2, 5}, {2, 3, 7}}}, {1, 2, 3}, {0, 7, 0, 5, 0, 0}},
      {"directed singleton groups follow the out-degree", &real_directed,
       {{1, 1, 1}, {{3, 1, 1}, {3, 2, 2}, {2, 1, 3}}}, {1, 1, 1}, {0, 2, 0, 0, 1, 3, 0, 0, 0}},
      // The smallest group is placed first even when its label is larger;
      // the leaves then follow by decreasing link label.
      {"undirected star: centre group placed before the leaves", &real_undirected,
       {{1, 2, 1, 1}, {{2, 1, 1}, {2, 3, 3}, {4, 2, 2}}}, {2, 1, 1, 1}, {0, 3, 0, 2, 0, 0, 1, 0, 0, 0}},
      // Groups {2,4} (label 1) and {1,5} (label 3) are equally large: after
      // the single centre, the one earlier in the sequence goes first.
      {"equal-sized groups keep the sequence order", &real_undirected,
       {{3, 1, 2, 1, 3}, {{3, 1, 1}, {3, 2, 2}, {4, 3, 3}, {3, 5, 4}}}, {2, 1, 1, 3, 3},
       {0, 3, 0, 2, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0, 0}},
      {"directed singleton groups keep the sequence order", &real_directed,
       {{2, 2, 1, 1}, {{1, 3, 1}, {2, 4, 1}, {3, 4, 2}, {1, 2, 2}}}, {1, 1, 2, 2},
       {0, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 1, 0, 0}},
      // Two links on one entry: the one met last counts.
      {"undirected: the unit met last wins", &real_undirected, {{1, 1}, {{1, 2, 1}, {2, 1, 2}}}, {1, 1}, {0, 2, 0}},
      // Candidates 4 and 5 share label and degree; both are linked to
      // position 1, only node 4 to position 2, so the filter keeps node 4
      // although node 5 would open with the larger shell (link 5).
      {"undirected filter keeps the only candidate linked to the next row", &real_undirected,
       {{1, 2, 4, 3, 3}, {{1, 4, 1}, {1, 5, 5}, {2, 4, 1}, {3, 5, 1}}}, {1, 2, 4, 3, 3},
       {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 5, 0, 1, 0, 0}},
      // Nodes 2 and 3 share label and out-degree. No candidate has a link
      // from position 2 (that row is undone); only node 2 has a link back to
      // position 1, so it is placed although node 3 opens with link 3.
      {"directed filter reads the links back to fixed positions", &real_directed,
       {{1, 2, 2, 3}, {{1, 2, 1}, {1, 3, 3}, {2, 1, 1}, {3, 4, 2}}}, {1, 3, 2, 2},
       {0, 0, 0, 0, 1, 0, 1, 0, 0, 3, 0, 0, 0, 2, 0, 0}},
  };
  for (const Label_case& c : cases) {
    SCOPED_TRACE(c.name);
    const Canonical_label label = label_of(*c.strategy, c.pattern);
    EXPECT_EQ(label_numbers(label), c.node_labels);
    EXPECT_EQ(label.code(), c.code);
  }
}

TEST_F(Canonical_label_strategy_test, NodeLabelsAreTheGraphsOwnEntries) {
  const Pattern pattern{{2, 1, 2}, {{1, 2, 1}, {2, 3, 1}}};
  for (const Canonical_label_strategy* strategy :
       {static_cast<const Canonical_label_strategy*>(&real_directed), static_cast<const Canonical_label_strategy*>(&real_undirected),
        static_cast<const Canonical_label_strategy*>(&dummy_directed), static_cast<const Canonical_label_strategy*>(&dummy_undirected)}) {
    const Canonical_label label = label_of(*strategy, pattern);
    ASSERT_EQ(label.node_count(), 3u);
    for (const Node_label* node_label : label.node_labels()) {
      EXPECT_TRUE(node_label == tables.node_label(1) || node_label == tables.node_label(2));
    }
    EXPECT_EQ(tables.node_label(1)->get_count(), 0);
    EXPECT_EQ(tables.node_label(2)->get_count(), 0);
    EXPECT_EQ(tables.link_label(1)->get_count(), 0);
  }
}

TEST_F(Canonical_label_strategy_test, MakingALabelLeavesTheChunkUnchanged) {
  const Pattern pattern{{1, 1, 2}, {{1, 2, 3}, {3, 2, 1}, {1, 3, 2}}};
  for (const bool directed : {true, false}) {
    auto chunk = tables.build(pattern);
    std::ostringstream before;
    chunk->print(before);
    const Canonical_label first = real_strategy(directed).make_canonical_label(*chunk);
    const Canonical_label second = real_strategy(directed).make_canonical_label(*chunk);
    std::ostringstream after;
    chunk->print(after);
    EXPECT_EQ(before.str(), after.str());
    EXPECT_TRUE(same_key(first, second));
  }
}

// ---------------------------------------------------------------------------
// Dummy strategies: the node numbering is the order.

TEST_F(Canonical_label_strategy_test, DummyLabelsFollowTheNodeNumbers) {
  const std::vector<Label_case> cases = {
      // Link a->b is stored at (b-1)*N + (a-1).
      {"directed", &dummy_directed, {{3, 1, 2}, {{1, 2, 1}, {3, 1, 2}, {2, 2, 3}}}, {3, 1, 2},
       {0, 0, 2, 1, 3, 0, 0, 0, 0}},
      {"undirected", &dummy_undirected, {{3, 1, 2}, {{1, 2, 1}, {3, 1, 2}, {2, 2, 3}}}, {3, 1, 2}, {0, 1, 3, 2, 0, 0}},
      {"directed, the unit met last wins", &dummy_directed, {{1, 1}, {{1, 2, 1}, {1, 2, 4}}}, {1, 1}, {0, 0, 4, 0}},
      {"undirected, the unit met last wins", &dummy_undirected, {{1, 1}, {{1, 2, 1}, {2, 1, 2}}}, {1, 1}, {0, 2, 0}},
      {"undirected, no links", &dummy_undirected, {{2, 1, 2}, {}}, {2, 1, 2}, {0, 0, 0, 0, 0, 0}},
  };
  for (const Label_case& c : cases) {
    SCOPED_TRACE(c.name);
    const Canonical_label label = label_of(*c.strategy, c.pattern);
    EXPECT_EQ(label_numbers(label), c.node_labels);
    EXPECT_EQ(label.code(), c.code);
  }
}

struct Renumbering_case {
  const char* name;
  bool directed;
  Pattern pattern;
  std::vector<int> permutation;
  bool dummy_label_changes;
};

TEST_F(Canonical_label_strategy_test, RenumberingChangesTheDummyLabelButNotTheRealOne) {
  const std::vector<Renumbering_case> cases = {
      {"directed link reversed in number order", true, {{1, 1}, {{1, 2, 1}}}, {2, 1}, true},
      {"node labels swap places", true, {{1, 2}, {{1, 2, 1}}}, {2, 1}, true},
      {"undirected path with its middle node renumbered", false, {{1, 1, 1}, {{1, 2, 1}, {2, 3, 1}}}, {2, 1, 3}, true},
      {"undirected path reflected: same code in number order", false, {{1, 1, 1}, {{1, 2, 2}, {2, 3, 2}}}, {3, 2, 1},
       false},
      {"undirected single link swapped", false, {{4, 4}, {{1, 2, 3}}}, {2, 1}, false},
      {"directed cycle rotated", true, {{1, 1, 1}, {{1, 2, 1}, {2, 3, 1}, {3, 1, 1}}}, {2, 3, 1}, false},
  };
  std::mt19937 rng(7);
  for (const Renumbering_case& c : cases) {
    SCOPED_TRACE(c.name);
    const Pattern other = renumbered(c.pattern, c.permutation, c.directed, rng);
    const Canonical_label dummy_before = label_of(dummy_strategy(c.directed), c.pattern);
    const Canonical_label dummy_after = label_of(dummy_strategy(c.directed), other);
    EXPECT_EQ(!same_key(dummy_before, dummy_after), c.dummy_label_changes);
    EXPECT_TRUE(same_key(label_of(real_strategy(c.directed), c.pattern), label_of(real_strategy(c.directed), other)));
  }
}

TEST_F(Canonical_label_strategy_test, DummyWalkStopsAtTheFirstUnitThatIsNotAChunkUnit) {
  for (const bool directed : {true, false}) {
    SCOPED_TRACE(directed ? "directed" : "undirected");
    auto chunk = tables.build({{1, 1, 1}, {{1, 2, 1}}});
    auto foreign = std::make_unique<MyCl::Unit_for_sg>(&tables.context);
    foreign->set_node1(chunk->node_at(2));
    foreign->set_node2(chunk->node_at(3));
    chunk->add_unit(std::move(foreign));
    tables.add_link_unit(*chunk, {2, 3, 2});
    const Canonical_label label = dummy_strategy(directed).make_canonical_label(*chunk);
    EXPECT_EQ(label.code(), directed ? (Code{0, 0, 0, 1, 0, 0, 0, 0, 0}) : (Code{0, 1, 0, 0, 0, 0}));
  }
}

// ---------------------------------------------------------------------------
// Properties of the real labels on random patterns.

class Real_label_property_test : public ::testing::TestWithParam<bool> {
 protected:
  bool directed() const { return GetParam(); }

  Canonical_label real_label(const Pattern& p) {
    auto chunk = tables.build(p);
    return real_strategy(directed()).make_canonical_label(*chunk);
  }

  Label_tables tables;
};

// Few labels so that ties and symmetric patterns are common.
const std::vector<Shape> shapes = {
    {1, 1, 0.25, 0.0}, {1, 2, 0.3, 0.1}, {2, 1, 0.2, 0.0}, {2, 3, 0.35, 0.15}, {1, 1, 0.6, 0.0},
};

TEST_P(Real_label_property_test, EveryNumberingGivesTheSameLabelAndTheLabelEncodesThePattern) {
  std::mt19937 rng(20240611u + (directed() ? 1u : 0u));
  for (int n = 1; n <= 9; ++n) {
    for (const Shape& shape : shapes) {
      for (int sample = 0; sample < 12; ++sample) {
        const Pattern pattern = random_pattern(rng, n, directed(), shape);
        SCOPED_TRACE(::testing::Message() << "n=" << n << " sample=" << sample);
        const Canonical_label reference = real_label(pattern);
        ASSERT_EQ(reference.node_count(), static_cast<std::size_t>(n));
        ASSERT_EQ(reference.code().size(),
                  directed() ? static_cast<std::size_t>(n * n) : static_cast<std::size_t>(n * (n + 1) / 2));
        EXPECT_TRUE(isomorphic(decode_real_label(reference, directed()), pattern, directed()));

        std::vector<std::vector<int>> permutations;
        std::vector<int> permutation = identity_permutation(n);
        if (n <= 5) {
          do permutations.push_back(permutation);
          while (std::next_permutation(permutation.begin(), permutation.end()));
        } else {
          for (int k = 0; k < 20; ++k) {
            std::shuffle(permutation.begin(), permutation.end(), rng);
            permutations.push_back(permutation);
          }
        }
        for (const auto& p : permutations) {
          const Canonical_label other = real_label(renumbered(pattern, p, directed(), rng));
          ASSERT_EQ(label_numbers(other), label_numbers(reference));
          ASSERT_EQ(other.code(), reference.code());
        }
      }
    }
  }
}

TEST_P(Real_label_property_test, EqualLabelsExactlyForIsomorphicPatterns) {
  std::mt19937 rng(99173u + (directed() ? 1u : 0u));
  int isomorphic_pairs = 0;
  int distinct_pairs = 0;
  for (int n = 2; n <= 9; ++n) {
    for (const Shape& shape : shapes) {
      // Random patterns of one size, their renumbered copies and slightly
      // changed, renumbered copies: every pair among them is checked.
      std::vector<Pattern> patterns;
      for (int sample = 0; sample < 6; ++sample) {
        const Pattern base = random_pattern(rng, n, directed(), shape);
        std::vector<int> permutation = identity_permutation(n);
        std::shuffle(permutation.begin(), permutation.end(), rng);
        patterns.push_back(base);
        patterns.push_back(renumbered(base, permutation, directed(), rng));
        std::shuffle(permutation.begin(), permutation.end(), rng);
        patterns.push_back(renumbered(mutated(base, directed(), rng, shape), permutation, directed(), rng));
      }
      std::vector<Canonical_label> labels;
      for (const Pattern& p : patterns) labels.push_back(real_label(p));
      for (std::size_t i = 0; i < patterns.size(); ++i) {
        for (std::size_t j = i + 1; j < patterns.size(); ++j) {
          const bool iso = isomorphic(patterns[i], patterns[j], directed());
          SCOPED_TRACE(::testing::Message() << "n=" << n << " patterns " << i << " and " << j
                                            << (iso ? " (isomorphic)" : " (not isomorphic)"));
          ASSERT_EQ(same_key(labels[i], labels[j]), iso);
          ++(iso ? isomorphic_pairs : distinct_pairs);
        }
      }
    }
  }
  // The generator must exercise both outcomes.
  EXPECT_GT(isomorphic_pairs, 100);
  EXPECT_GT(distinct_pairs, 100);
}

TEST_P(Real_label_property_test, DummyLabelIsTheCodeInNumberOrder) {
  std::mt19937 rng(5150u + (directed() ? 1u : 0u));
  for (int n = 1; n <= 7; ++n) {
    const Pattern pattern = random_pattern(rng, n, directed(), {3, 4, 0.4, 0.2});
    auto chunk = tables.build(pattern);
    const Canonical_label label = dummy_strategy(directed()).make_canonical_label(*chunk);
    EXPECT_EQ(label_numbers(label), pattern.node_labels);
    const Matrix m = adjacency(pattern, directed());
    Code expected;
    const auto size = static_cast<std::size_t>(n);
    if (directed()) {
      for (std::size_t b = 1; b <= size; ++b) {
        for (std::size_t a = 1; a <= size; ++a) expected.push_back(static_cast<std::uint32_t>(m[a][b]));
      }
    } else {
      for (std::size_t hi = 1; hi <= size; ++hi) {
        for (std::size_t lo = 1; lo <= hi; ++lo) expected.push_back(static_cast<std::uint32_t>(m[lo][hi]));
      }
    }
    EXPECT_EQ(label.code(), expected) << "n=" << n;
  }
}

INSTANTIATE_TEST_SUITE_P(Graph_kinds, Real_label_property_test, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Directed" : "Undirected");
                         });

// ---------------------------------------------------------------------------
// The process-wide holder.

class Canonical_label_strategy_holder_test : public ::testing::Test {
 protected:
  void SetUp() override { Canonical_label_strategy_holder::release(); }
  void TearDown() override { Canonical_label_strategy_holder::release(); }
  Label_tables tables;
};

TEST_F(Canonical_label_strategy_holder_test, HoldsOneStrategyUntilReleased) {
  auto& holder = Canonical_label_strategy_holder::instance();
  EXPECT_EQ(&Canonical_label_strategy_holder::instance(), &holder);
  EXPECT_EQ(holder.get(), nullptr);

  auto strategy = std::make_unique<Canonical_label_strategy_for_undirected>();
  const Canonical_label_strategy* installed = strategy.get();
  holder.set(std::move(strategy));
  EXPECT_EQ(holder.get(), installed);

  const Pattern triangle{{1, 1, 1}, {{1, 2, 1}, {2, 3, 2}, {3, 1, 3}}};
  auto chunk = tables.build(triangle);
  const Canonical_label label = holder.make_canonical_label(*chunk);
  EXPECT_EQ(label.code(), (Code{0, 3, 0, 2, 1, 0}));

  Canonical_label_strategy_holder::release();
  EXPECT_EQ(Canonical_label_strategy_holder::instance().get(), nullptr);
  // A fresh holder accepts a strategy again.
  Canonical_label_strategy_holder::instance().set(std::make_unique<Dummy_canonical_label_strategy_for_directed>());
  EXPECT_NE(Canonical_label_strategy_holder::instance().get(), nullptr);
}

TEST_F(Canonical_label_strategy_holder_test, SecondSetIsAnInternalError) {
  EXPECT_EXIT(
      {
        auto& holder = Canonical_label_strategy_holder::instance();
        holder.set(std::make_unique<Canonical_label_strategy_for_directed>());
        holder.set(std::make_unique<Canonical_label_strategy_for_directed>());
      },
      ::testing::ExitedWithCode(1), "^Error: canonical_label_strategy\\.cpp\\([0-9]+\\)\a\n$");
}

}  // namespace
}  // namespace murex
