// The search context's record of one chunking step: countable pairs merged
// by pattern, two independent sets, and clearing between steps.

#include <gtest/gtest.h>

#include "graph_fixture.h"

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
