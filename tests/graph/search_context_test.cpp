// The search context's record of one chunking step: countable pairs merged
// by pattern, two independent sets, and clearing between steps.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "graph_fixture.h"
#include "pair/countable_pair.h"

namespace murex::test {
namespace {

class SearchContextTest : public ::testing::Test {
 protected:
  SearchContextTest() {
    // Graph g: 1 a -> 2 b, 3 a -> 4 b, 1 a -> 5 c. Graph h: 1 a -> 2 b.
    g->add_node(1, env.nl("a"));
    g->add_node(2, env.nl("b"));
    g->add_node(3, env.nl("a"));
    g->add_node(4, env.nl("b"));
    g->add_node(5, env.nl("c"));
    g->add_link(1, 2, env.ll("p"));
    g->add_link(3, 4, env.ll("p"));
    g->add_link(1, 5, env.ll("p"));
    h->add_node(1, env.nl("a"));
    h->add_node(2, env.nl("b"));
    h->add_link(1, 2, env.ll("p"));
    g_units = units_of(*g);
  }

  struct Seen {
    std::string pattern;
    std::vector<std::pair<std::int32_t, Data_graph*>> occurrences;
    bool operator==(const Seen&) const = default;
  };

  std::vector<Seen> created() {
    std::vector<Seen> out;
    env.context.reset_created();
    while (Countable_pair* p = env.context.next_created()) out.push_back(seen(*p));
    return out;
  }
  std::vector<Seen> destroyed() {
    std::vector<Seen> out;
    env.context.reset_destroyed();
    while (Countable_pair* p = env.context.next_destroyed()) out.push_back(seen(*p));
    return out;
  }
  static Seen seen(const Countable_pair& p) {
    Seen s;
    std::ostringstream pattern;
    print_pair_pattern(pattern, p);
    s.pattern = pattern.str();
    for (const Occurrence& o : p.occurrences()) s.occurrences.emplace_back(o.class_index, o.graph);
    return s;
  }

  Scoped_factory factory{Kind::directed_sg};
  Graph_env env;
  std::unique_ptr<Data_graph> g = make_graph(Kind::directed_sg, 1, &env.context);
  std::unique_ptr<Data_graph> h = make_graph(Kind::directed_sg, 2, &env.context);
  std::vector<MyCl::Unit*> g_units;
};

TEST_F(SearchContextTest, RecordMergesUnitsOfOnePatternAndKeepsReportOrder) {
  const std::string ab = "a b Node.1(1)-p->Node.2(1) 0 ";
  const std::string ac = "a c Node.1(1)-p->Node.2(1) 0 ";
  env.context.record_created(0, g.get(), g_units[2]);  // a-c first: the set orders by pattern
  env.context.record_created(0, g.get(), g_units[0]);
  EXPECT_EQ(env.context.created_size(), 2u);
  env.context.record_created(0, g.get(), g_units[1]);
  env.context.record_created(1, h.get(), units_of(*h)[0]);
  EXPECT_EQ(env.context.created_size(), 2u);
  EXPECT_EQ(created(), (std::vector<Seen>{
                           {ab, {{0, g.get()}, {0, g.get()}, {1, h.get()}}},
                           {ac, {{0, g.get()}}},
                       }));
  EXPECT_EQ(env.context.destroyed_size(), 0u);
  EXPECT_TRUE(destroyed().empty());
  // Reading again gives the same; after the last one, null until the next reset.
  env.context.reset_created();
  EXPECT_NE(env.context.next_created(), nullptr);
  EXPECT_NE(env.context.next_created(), nullptr);
  EXPECT_EQ(env.context.next_created(), nullptr);
  EXPECT_EQ(env.context.next_created(), nullptr);
}

TEST_F(SearchContextTest, CreatedAndDestroyedAreIndependent) {
  env.context.record_destroyed(0, g.get(), g_units[0]);
  env.context.record_created(0, g.get(), g_units[0]);
  env.context.record_destroyed(1, h.get(), units_of(*h)[0]);
  const std::string ab = "a b Node.1(1)-p->Node.2(1) 0 ";
  EXPECT_EQ(destroyed(), (std::vector<Seen>{{ab, {{0, g.get()}, {1, h.get()}}}}));
  EXPECT_EQ(created(), (std::vector<Seen>{{ab, {{0, g.get()}}}}));
  env.context.reset_created();
  env.context.reset_destroyed();
  EXPECT_NE(env.context.next_created(), env.context.next_destroyed()) << "one countable pair in each set";
}

TEST_F(SearchContextTest, ClearChangesEmptiesBothSets) {
  env.context.record_destroyed(0, g.get(), g_units[0]);
  env.context.record_created(0, g.get(), g_units[1]);
  env.context.record_created(0, g.get(), g_units[2]);
  env.context.reset_created();
  env.context.next_created();
  env.context.clear_changes();
  EXPECT_EQ(env.context.created_size(), 0u);
  EXPECT_EQ(env.context.destroyed_size(), 0u);
  env.context.reset_created();
  EXPECT_EQ(env.context.next_created(), nullptr);
  env.context.reset_destroyed();
  EXPECT_EQ(env.context.next_destroyed(), nullptr);
  // The next step starts from nothing.
  env.context.record_created(0, g.get(), g_units[0]);
  EXPECT_EQ(created(), (std::vector<Seen>{{"a b Node.1(1)-p->Node.2(1) 0 ", {{0, g.get()}}}}));
}

TEST(SearchContextInduced, UnitsDifferingInOneDirectionAreTwoPatterns) {
  Scoped_factory factory(Kind::directed_ig);
  Graph_env env;
  auto g = make_graph(Kind::directed_ig, 1, &env.context);
  for (std::uint32_t k : {1u, 3u}) g->add_node(k, env.nl("a"));
  for (std::uint32_t k : {2u, 4u}) g->add_node(k, env.nl("b"));
  g->add_link(1, 2, env.ll("p"));
  g->add_link(2, 1, env.ll("p"));
  g->add_link(3, 4, env.ll("p"));
  g->add_link(3, 4, env.ll("q"));  // parallel: refused
  g->normalize_units();
  for (MyCl::Unit* u : units_of(*g)) env.context.record_destroyed(0, g.get(), u);
  EXPECT_EQ(env.context.destroyed_size(), 2u);
  env.context.reset_destroyed();
  Countable_pair* first = env.context.next_destroyed();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->links().size(), 1u) << "the pattern with fewer links comes first";
}

}  // namespace
}  // namespace murex::test

namespace murex::test {
namespace {

TEST(SearchContextMany, ManyPatternsInRandomOrderAreMergedAndReadInPatternOrder) {
  // Enough distinct patterns to outgrow the first lookup table several times,
  // each reported a known number of times in shuffled order.
  Scoped_factory factory(Kind::directed_sg);
  Graph_env env;
  auto g = make_graph(Kind::directed_sg, 1, &env.context);
  std::uint32_t next = 1;
  std::map<std::string, std::size_t> expected;  // pattern print -> reports
  for (int a = 0; a < 12; ++a) {
    for (int b = 0; b < 12; ++b) {
      const std::size_t reports = 1 + static_cast<std::size_t>((a * 7 + b) % 3);
      for (std::size_t r = 0; r < reports; ++r) {
        g->add_node(next, env.nl("n" + std::to_string(a)));
        g->add_node(next + 1, env.nl("n" + std::to_string(b)));
        g->add_link(static_cast<std::int32_t>(next), static_cast<std::int32_t>(next + 1), env.ll("p"));
        next += 2;
      }
    }
  }
  std::vector<MyCl::Unit*> units = units_of(*g);
  std::mt19937 random(1);
  std::shuffle(units.begin(), units.end(), random);
  for (MyCl::Unit* u : units) {
    env.context.record_created(0, g.get(), u);
    std::ostringstream print;
    Countable_pair_for_sg probe(*u, g.get(), 0, &env.context);
    print_pair_pattern(print, probe);
    ++expected[print.str()];
  }
  ASSERT_EQ(env.context.created_size(), expected.size());
  std::map<std::string, std::size_t> seen;
  const Countable_pair* previous = nullptr;
  env.context.reset_created();
  while (const Countable_pair* p = env.context.next_created()) {
    if (previous != nullptr) {
      EXPECT_LT(compare_patterns(*previous, *p), 0);
    }
    std::ostringstream print;
    print_pair_pattern(print, *p);
    seen[print.str()] += p->occurrences().size();
    previous = p;
  }
  EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace murex::test
