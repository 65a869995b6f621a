// Countable pairs: the pattern of a reported unit, its occurrences, the
// pattern order that merges them, and the clone that is not supported.

#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "graph/graph_fixture.h"
#include "pair/countable_pair.h"

namespace murex::test {
namespace {

using MyCl::Unit_for_ig;
using MyCl::Unit_for_sg;

class CountablePairTest : public ::testing::Test {
 protected:
  CountablePairTest() {
    for (const char* name : {"a", "b"}) env.nl(name);
    for (const char* name : {"x", "y"}) env.ll(name);
    a1 = env.node(1, env.nl("a"));
    b2 = env.node(2, env.nl("b"));
    a3 = env.node(3, env.nl("a"));
  }

  struct Link_in {
    Node* from;
    Node* to;
    const char* label;
    std::int32_t from_attachment = 1;
    std::int32_t to_attachment = 1;
  };

  Unit_for_ig& ig(Node* n1, Node* n2, std::vector<Link_in> links) {
    auto unit = std::make_unique<Unit_for_ig>(&env.context);
    unit->set_node1(n1);
    unit->set_node2(n2);
    for (const Link_in& l : links) {
      unit->add_link(env.link(l.from, l.to, env.ll(l.label), l.from_attachment, l.to_attachment));
    }
    units.push_back(std::move(unit));
    return static_cast<Unit_for_ig&>(*units.back());
  }

  Unit_for_sg& sg(Node* n1, Node* n2, Link_in l) {
    auto unit = std::make_unique<Unit_for_sg>(&env.context);
    unit->set_node1(n1);
    unit->set_node2(n2);
    unit->add_link(env.link(l.from, l.to, env.ll(l.label), l.from_attachment, l.to_attachment));
    units.push_back(std::move(unit));
    return static_cast<Unit_for_sg&>(*units.back());
  }

  static std::string pattern(const Pair& p) {
    std::ostringstream out;
    print_pair_pattern(out, p);
    return out.str();
  }

  Graph_env env;
  std::unique_ptr<Data_graph> g = make_graph(Kind::directed_ig, 4, &env.context);
  std::unique_ptr<Data_graph> h = make_graph(Kind::directed_ig, 8, &env.context);
  std::vector<std::unique_ptr<MyCl::Unit>> units;
  Node* a1 = nullptr;
  Node* b2 = nullptr;
  Node* a3 = nullptr;
};

TEST_F(CountablePairTest, InducedPatternHoldsEveryLinkDirectionOneFirst) {
  Countable_pair_for_ig p(ig(a1, b2, {{b2, a1, "x"}, {a1, b2, "y", 2, 1}, {a1, b2, "x", 2, 1}}), g.get(), 1,
                          &env.context);
  EXPECT_EQ(pattern(p), "a b Node.1(2)-y->Node.2(1) 0 Node.2(1)-x->Node.1(1) 0 ")
      << "the unit already refused the second link with key (2, 1)";
  ASSERT_EQ(p.occurrences().size(), 1u);
  EXPECT_EQ(p.occurrences()[0].class_index, 1);
  EXPECT_EQ(p.occurrences()[0].graph, g.get());
  EXPECT_EQ(p.get_context(), &env.context);
  p.reset_pair_links();
  EXPECT_EQ(p.next_pair_link()->get_direction(), 1);
  EXPECT_EQ(p.next_pair_link()->get_direction(), 0);
  EXPECT_EQ(p.next_pair_link(), nullptr);
  EXPECT_EQ(p.next_pair_link(), nullptr);
  p.reset_pair_links();
  EXPECT_NE(p.next_pair_link(), nullptr);
}

TEST_F(CountablePairTest, SubgraphPatternStartsWhereTheLinkLeaves) {
  Countable_pair_for_sg p(sg(a1, b2, {b2, a1, "x", 3, 2}), h.get(), 0, &env.context);
  EXPECT_EQ(p.get_node1_label(), env.nl("b"));
  EXPECT_EQ(p.get_node2_label(), env.nl("a"));
  EXPECT_EQ(pattern(p), "b a Node.1(3)-x->Node.2(2) 0 ");
  // Readable once right after construction and once after every reset.
  Pair_link* link = p.next_pair_link();
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->get_direction(), 1);
  EXPECT_EQ(p.next_pair_link(), nullptr);
  p.reset_pair_links();
  EXPECT_EQ(p.next_pair_link(), link);
  EXPECT_EQ(p.next_pair_link(), nullptr);
}

TEST_F(CountablePairTest, SelfFlagFollowsNodeIdentity) {
  Countable_pair_for_ig ig_self(ig(a1, a1, {{a1, a1, "x", 1, 2}}), g.get(), 0, &env.context);
  Countable_pair_for_ig ig_two(ig(a1, a3, {{a1, a3, "x", 1, 2}}), g.get(), 0, &env.context);
  EXPECT_EQ(ig_self.is_self(), 1);
  EXPECT_EQ(ig_two.is_self(), 0) << "same labels, different nodes";
  EXPECT_TRUE(ig_self.less(ig_two));
  EXPECT_FALSE(ig_two.less(ig_self));
  EXPECT_FALSE(ig_self.equal(ig_two));

  // A subgraph unit's self flag looks at its link, not at the unit's node fields.
  Countable_pair_for_sg sg_self(sg(a1, a3, {a1, a1, "x"}), g.get(), 0, &env.context);
  Countable_pair_for_sg sg_two(sg(a1, a3, {a1, a3, "x"}), g.get(), 0, &env.context);
  EXPECT_EQ(sg_self.is_self(), 1);
  EXPECT_EQ(sg_two.is_self(), 0);
  EXPECT_TRUE(sg_self.less(sg_two));
  EXPECT_FALSE(sg_two.less(sg_self));
}

TEST_F(CountablePairTest, InducedOrderLooksAtLabelsLinkCountLinksThenSelf) {
  const struct {
    const char* name;
    std::function<Unit_for_ig&()> first;
    std::function<Unit_for_ig&()> second;
    int sign;
  } cases[] = {
      {"fewer links first, whatever the links",
       [&]() -> Unit_for_ig& { return ig(a1, b2, {{b2, a1, "y", 9, 9}}); },
       [&]() -> Unit_for_ig& { return ig(a1, b2, {{a1, b2, "x"}, {a1, b2, "x", 1, 2}}); }, -1},
      {"one link turned around",
       [&]() -> Unit_for_ig& { return ig(a1, b2, {{a1, b2, "x"}, {a1, b2, "y", 2, 1}}); },
       [&]() -> Unit_for_ig& { return ig(a1, b2, {{a1, b2, "x"}, {b2, a1, "y", 2, 1}}); }, -1},
      {"end labels before links",
       [&]() -> Unit_for_ig& { return ig(a1, b2, {{b2, a1, "y", 5, 5}}); },
       [&]() -> Unit_for_ig& { return ig(b2, a1, {{b2, a1, "x"}}); }, -1},
      {"link label number", [&]() -> Unit_for_ig& { return ig(a1, b2, {{a1, b2, "x"}}); },
       [&]() -> Unit_for_ig& { return ig(a1, b2, {{a1, b2, "y"}}); }, -1},
      {"same pattern in other nodes", [&]() -> Unit_for_ig& { return ig(a1, b2, {{a1, b2, "x", 2, 1}}); },
       [&]() -> Unit_for_ig& { return ig(a3, b2, {{a3, b2, "x", 2, 1}}); }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Countable_pair_for_ig first(c.first(), g.get(), 0, &env.context);
    Countable_pair_for_ig second(c.second(), h.get(), 1, &env.context);
    EXPECT_EQ(first.less(second), c.sign < 0);
    EXPECT_EQ(second.less(first), c.sign > 0);
    EXPECT_EQ(first.equal(second), c.sign == 0);
    // A pair record of the same unit is the same pattern.
    Pair_for_ig record(c.first(), &env.context);
    EXPECT_TRUE(record.equal(first));
    EXPECT_TRUE(first.equal(record));
  }
}

TEST_F(CountablePairTest, AppendOccurrencesCopiesTheOtherListInOrder) {
  Countable_pair_for_sg p(sg(a1, b2, {a1, b2, "x"}), g.get(), 0, &env.context);
  Countable_pair_for_sg q(sg(a3, b2, {a3, b2, "x"}), g.get(), 0, &env.context);
  Countable_pair_for_sg r(sg(a1, b2, {a1, b2, "x"}), h.get(), 1, &env.context);
  q.append_occurrences(r);
  p.append_occurrences(q);
  const auto as_list = [](const Countable_pair& c) {
    std::vector<std::pair<std::int32_t, Data_graph*>> out;
    for (const Occurrence& o : c.occurrences()) out.emplace_back(o.class_index, o.graph);
    return out;
  };
  using List = std::vector<std::pair<std::int32_t, Data_graph*>>;
  EXPECT_EQ(as_list(p), (List{{0, g.get()}, {0, g.get()}, {1, h.get()}}));
  EXPECT_EQ(as_list(q), (List{{0, g.get()}, {1, h.get()}})) << "the other pair keeps its list";
  EXPECT_EQ(as_list(r), (List{{1, h.get()}}));
  const std::string printed = print_of(p);
  EXPECT_EQ(printed.rfind("a b Node.1(1)-x->Node.2(1) 0 ", 0), 0u) << printed;
  // Then one "class(graph) " per occurrence, in order.
  EXPECT_TRUE(std::regex_match(printed.substr(std::string("a b Node.1(1)-x->Node.2(1) 0 ").size()),
                               std::regex(R"(0\([^ ()]+\) 0\([^ ()]+\) 1\([^ ()]+\) )")))
      << printed;
}

TEST_F(CountablePairTest, FactoriesMakeTheCountableKindOfTheirMode) {
  for (Kind kind : {Kind::directed_ig, Kind::directed_sg, Kind::undirected_ig, Kind::undirected_sg}) {
    SCOPED_TRACE(kind_name(kind));
    MyCl::Unit& unit = is_induced(kind) ? static_cast<MyCl::Unit&>(ig(a1, b2, {{a1, b2, "x"}}))
                                        : static_cast<MyCl::Unit&>(sg(a1, b2, {a1, b2, "x"}));
    auto made = make_factory(kind)->create_countable_pair(&unit, g.get(), 1, &env.context);
    EXPECT_EQ(dynamic_cast<Countable_pair_for_ig*>(made.get()) != nullptr, is_induced(kind));
    EXPECT_EQ(dynamic_cast<Countable_pair_for_sg*>(made.get()) != nullptr, !is_induced(kind));
    EXPECT_EQ(made->occurrences().size(), 1u);
    EXPECT_EQ(made->occurrences()[0].class_index, 1);
  }
}

using CountablePairDeathTest = CountablePairTest;

TEST_F(CountablePairDeathTest, CloneIsAPlaceholder) {
  Countable_pair_for_ig ig_pair(ig(a1, b2, {{a1, b2, "x"}}), g.get(), 0, &env.context);
  Countable_pair_for_sg sg_pair(sg(a1, b2, {a1, b2, "x"}), g.get(), 0, &env.context);
  Node_label_map node_map;
  Link_label_map link_map;
  EXPECT_EXIT((stdout_to_stderr(), ig_pair.clone(ig_pair, node_map, link_map)), ::testing::ExitedWithCode(1),
              "^Mada Countable_pair_for_ig::clone\\. ha jissou site masen\\.\a\n$");
  EXPECT_EXIT((stdout_to_stderr(), sg_pair.clone(sg_pair, node_map, link_map)), ::testing::ExitedWithCode(1),
              "^Mada Countable_pair_for_sg::clone\\. ha jissou site masen\\.\a\n$");
}

}  // namespace
}  // namespace murex::test
