// Pair records: construction from units and from other pairs, the pattern
// order and equality, sizes, clones and print-outs.

#include <gtest/gtest.h>

#include "graph_fixture.h"

namespace murex::test {
namespace {

using MyCl::Unit_for_ig;
using MyCl::Unit_for_sg;

// One link of a pattern: direction 1 runs from end 1 to end 2.
struct Link_def {
  int direction;
  std::int32_t from_attachment;
  std::int32_t to_attachment;
  const char* label;
};

struct Pattern {
  const char* label1;
  const char* label2;
  bool self;
  std::vector<Link_def> links;
};

class PairTest : public ::testing::Test {
 protected:
  PairTest() {
    for (const char* name : {"a", "b", "c"}) env.nl(name);
    for (const char* name : {"x", "y", "z"}) env.ll(name);
  }

  // The ends of a pattern as nodes: one node for a self pattern.
  std::pair<Node*, Node*> ends(const Pattern& p) {
    Node* n1 = env.node(1, env.nl(p.label1));
    Node* n2 = p.self ? n1 : env.node(2, env.nl(p.label2));
    return {n1, n2};
  }

  MyCl::Unit& ig_unit(const Pattern& p) {
    auto [n1, n2] = ends(p);
    auto unit = std::make_unique<Unit_for_ig>(&env.context);
    unit->set_node1(n1);
    unit->set_node2(n2);
    for (const Link_def& l : p.links) {
      unit->add_link(l.direction == 1 ? env.link(n1, n2, env.ll(l.label), l.from_attachment, l.to_attachment)
                                      : env.link(n2, n1, env.ll(l.label), l.from_attachment, l.to_attachment));
    }
    units.push_back(std::move(unit));
    return *units.back();
  }

  // A subgraph unit with the pattern's one link; its node 1 is the end the link enters when `stored_backwards`.
  MyCl::Unit& sg_unit(const Pattern& p, bool stored_backwards = false) {
    auto [n1, n2] = ends(p);
    auto unit = std::make_unique<Unit_for_sg>(&env.context);
    unit->set_node1(stored_backwards ? n2 : n1);
    unit->set_node2(stored_backwards ? n1 : n2);
    const Link_def& l = p.links.at(0);
    unit->add_link(env.link(n1, n2, env.ll(l.label), l.from_attachment, l.to_attachment));
    units.push_back(std::move(unit));
    return *units.back();
  }

  Graph_env env;
  std::vector<std::unique_ptr<MyCl::Unit>> units;
};

std::vector<std::string> link_prints_of(Pair& pair) {
  std::vector<std::string> out;
  pair.reset_pair_links();
  while (Pair_link* l = pair.next_pair_link()) out.push_back(print_of(*l));
  return out;
}

TEST_F(PairTest, PairLinkPrintsFromItsEnds) {
  Pair_link link(&env.context);
  EXPECT_EQ(link.get_direction(), 1);
  EXPECT_EQ(link.get_from_attachment(), 1u);
  EXPECT_EQ(link.get_to_attachment(), 1u);
  link.set_label(env.ll("z"));
  link.set_from_attachment(2);
  EXPECT_EQ(print_of(link), "Node.1(2)-z->Node.2(1)");
  link.set_direction(0);
  link.set_to_attachment(3);
  EXPECT_EQ(print_of(link), "Node.2(2)-z->Node.1(3)");
}

TEST_F(PairTest, InducedPairFromUnitHoldsEveryLinkDirectionOneFirst) {
  Pattern p{"a", "b", false, {{0, 1, 1, "x"}, {1, 2, 1, "y"}, {1, 1, 3, "z"}}};
  Pair_for_ig pair(ig_unit(p), &env.context);
  EXPECT_EQ(pair.get_node1_label(), env.nl("a"));
  EXPECT_EQ(pair.get_node2_label(), env.nl("b"));
  EXPECT_EQ(pair.is_self(), 0);
  EXPECT_EQ(link_prints_of(pair),
            (std::vector<std::string>{"Node.1(1)-z->Node.2(3)", "Node.1(2)-y->Node.2(1)", "Node.2(1)-x->Node.1(1)"}));
  EXPECT_EQ(print_of(pair), "a b Node.1(1)-z->Node.2(3) 0 Node.1(2)-y->Node.2(1) 0 Node.2(1)-x->Node.1(1) 0 ");
  EXPECT_EQ(pair.next_pair_link(), nullptr);
  EXPECT_EQ(env.ll("x")->get_count(), 1) << "pair links are never counted";
}

TEST_F(PairTest, SubgraphPairTakesItsEndsFromTheLink) {
  Pattern p{"a", "b", false, {{1, 2, 3, "z"}}};
  Pair_for_sg pair(sg_unit(p, /*stored_backwards=*/true), &env.context);
  EXPECT_EQ(pair.get_node1_label(), env.nl("a")) << "end 1 is where the link starts, not the unit's node 1";
  EXPECT_EQ(pair.get_node2_label(), env.nl("b"));
  EXPECT_EQ(print_of(pair), "a b Node.1(2)-z->Node.2(3) 0 ");
  // Read once after reset, then null until the next reset.
  pair.reset_pair_links();
  ASSERT_NE(pair.next_pair_link(), nullptr);
  EXPECT_EQ(pair.next_pair_link(), nullptr);
  EXPECT_EQ(link_prints_of(pair), (std::vector<std::string>{"Node.1(2)-z->Node.2(3)"}));
}

TEST_F(PairTest, SelfFlagIsPrintedAfterEveryPairLink) {
  Pattern p{"c", "c", true, {{1, 1, 2, "x"}, {1, 2, 1, "y"}}};
  Pair_for_ig ig(ig_unit(p), &env.context);
  EXPECT_EQ(ig.is_self(), 1);
  EXPECT_EQ(print_of(ig), "c c Node.1(1)-x->Node.2(2) 1 Node.1(2)-y->Node.2(1) 1 ");
  Pair_for_sg sg(sg_unit(p), &env.context);
  EXPECT_EQ(sg.is_self(), 1);
  EXPECT_EQ(print_of(sg), "c c Node.1(1)-x->Node.2(2) 1 ");
}

// The pattern order, as (first, second, expected sign of first against second).
struct Order_case {
  const char* name;
  Pattern first;
  Pattern second;
  int sign;
};

void check_order(Pair& first, Pair& second, int sign) {
  EXPECT_EQ(first.less(second), sign < 0);
  EXPECT_EQ(second.less(first), sign > 0);
  EXPECT_EQ(first.equal(second), sign == 0);
  EXPECT_EQ(second.equal(first), sign == 0);
  EXPECT_EQ(compare_patterns(first, second) < 0, sign < 0);
  EXPECT_EQ(compare_patterns(first, second) > 0, sign > 0);
}

TEST_F(PairTest, InducedPairOrder) {
  const Order_case cases[] = {
      {"end 1 label", {"a", "c", false, {{1, 1, 1, "z"}}}, {"b", "a", false, {{1, 1, 1, "x"}}}, -1},
      {"end 2 label", {"b", "a", false, {{1, 1, 1, "z"}}}, {"b", "b", false, {{1, 1, 1, "x"}}}, -1},
      {"fewer links first, whatever the links", {"a", "b", false, {{0, 9, 9, "z"}}},
       {"a", "b", false, {{1, 1, 1, "x"}, {1, 1, 2, "x"}}}, -1},
      {"no links before one link", {"a", "b", false, {}}, {"a", "b", false, {{1, 1, 1, "x"}}}, -1},
      {"direction 1 first", {"a", "b", false, {{1, 5, 5, "z"}}}, {"a", "b", false, {{0, 1, 1, "x"}}}, -1},
      {"from_attachment", {"a", "b", false, {{1, 1, 9, "z"}}}, {"a", "b", false, {{1, 2, 1, "x"}}}, -1},
      {"to_attachment", {"a", "b", false, {{0, 3, 1, "z"}}}, {"a", "b", false, {{0, 3, 2, "x"}}}, -1},
      {"link label number", {"a", "b", false, {{1, 1, 1, "x"}}}, {"a", "b", false, {{1, 1, 1, "y"}}}, -1},
      {"second link decides", {"a", "b", false, {{1, 1, 1, "x"}, {0, 1, 1, "z"}}},
       {"a", "b", false, {{1, 1, 1, "x"}, {0, 1, 2, "x"}}}, -1},
      {"self pair first", {"a", "a", true, {{1, 1, 2, "x"}}}, {"a", "a", false, {{1, 1, 2, "x"}}}, -1},
      {"labels before self", {"a", "a", false, {{1, 1, 2, "x"}}}, {"b", "b", true, {{1, 1, 2, "x"}}}, -1},
      {"same pattern", {"a", "b", false, {{1, 1, 2, "x"}, {0, 1, 1, "y"}}},
       {"a", "b", false, {{0, 1, 1, "y"}, {1, 1, 2, "x"}}}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Pair_for_ig first(ig_unit(c.first), &env.context);
    Pair_for_ig second(ig_unit(c.second), &env.context);
    check_order(first, second, c.sign);
  }
}

TEST_F(PairTest, SubgraphPairOrder) {
  const Order_case cases[] = {
      {"end 1 label", {"a", "c", false, {{1, 1, 1, "z"}}}, {"b", "a", false, {{1, 1, 1, "x"}}}, -1},
      {"end 2 label", {"b", "a", false, {{1, 1, 1, "z"}}}, {"b", "b", false, {{1, 1, 1, "x"}}}, -1},
      {"from_attachment", {"a", "b", false, {{1, 1, 9, "z"}}}, {"a", "b", false, {{1, 2, 1, "x"}}}, -1},
      {"to_attachment", {"a", "b", false, {{1, 3, 1, "z"}}}, {"a", "b", false, {{1, 3, 2, "x"}}}, -1},
      {"link label number", {"a", "b", false, {{1, 1, 1, "x"}}}, {"a", "b", false, {{1, 1, 1, "y"}}}, -1},
      {"self pair first", {"b", "b", true, {{1, 1, 1, "y"}}}, {"b", "b", false, {{1, 1, 1, "y"}}}, -1},
      {"same pattern", {"c", "a", false, {{1, 2, 1, "y"}}}, {"c", "a", false, {{1, 2, 1, "y"}}}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Pair_for_sg first(sg_unit(c.first), &env.context);
    Pair_for_sg second(sg_unit(c.second, /*stored_backwards=*/true), &env.context);
    check_order(first, second, c.sign);
  }
}

TEST_F(PairTest, CopyFromAnotherPairKeepsThePattern) {
  Pattern p{"a", "b", false, {{0, 2, 1, "y"}, {1, 1, 1, "x"}}};
  Pair_for_ig original(ig_unit(p), &env.context);
  original.reset_pair_links();
  original.next_pair_link();  // a half-read iteration does not limit the copy
  Pair_for_ig copy(static_cast<Pair&>(original));
  EXPECT_TRUE(copy.equal(original));
  EXPECT_EQ(copy.get_context(), &env.context);
  EXPECT_EQ(print_of(copy), print_of(original));
  EXPECT_NE(copy.links()[0].get(), original.links()[0].get()) << "pair links are copied, not shared";

  Pair_for_sg sg_copy(static_cast<Pair&>(original));
  EXPECT_EQ(print_of(sg_copy), "a b Node.1(1)-x->Node.2(1) 0 ") << "a subgraph copy keeps the first link only";

  Scoped_factory factory(Kind::directed_ig);
  auto made = factory.get().copy_pair(original);
  EXPECT_NE(dynamic_cast<Pair_for_ig*>(made.get()), nullptr);
  EXPECT_TRUE(made->equal(original));
}

TEST_F(PairTest, CloneMapsLabelsIntoAnotherSearchContext) {
  Pattern p{"b", "c", false, {{1, 1, 2, "z"}, {0, 3, 1, "x"}}};
  Pair_for_ig ig(ig_unit(p), &env.context);
  Pair_for_sg sg(sg_unit(p), &env.context);

  Graph_env other;
  Node_label_map node_map;
  Link_label_map link_map;
  other.node_labels.clone_from(env.node_labels, node_map);
  other.link_labels.clone_from(env.link_labels, link_map);
  Pair_for_ig ig_copy(&other.context);
  ig_copy.clone(ig, node_map, link_map);
  Pair_for_sg sg_copy(&other.context);
  sg_copy.clone(sg, node_map, link_map);

  EXPECT_EQ(ig_copy.get_node1_label(), other.nl("b"));
  EXPECT_EQ(ig_copy.get_node2_label(), other.nl("c"));
  EXPECT_EQ(print_of(ig_copy), print_of(ig));
  for (const auto& l : ig_copy.links()) EXPECT_EQ(l->get_label()->get_context(), &other.context);
  EXPECT_EQ(sg_copy.get_node1_label(), other.nl("b"));
  EXPECT_EQ(print_of(sg_copy), "b c Node.1(1)-z->Node.2(2) 0 ");
  EXPECT_EQ(sg_copy.links()[0]->get_label(), other.ll("z"));

  Pattern self{"a", "a", true, {{1, 1, 1, "y"}}};
  Pair_for_ig self_pair(ig_unit(self), &env.context);
  Pair_for_ig self_copy(&other.context);
  self_copy.clone(self_pair, node_map, link_map);
  EXPECT_EQ(self_copy.is_self(), 1);
}

TEST_F(PairTest, EmptyPairsAndSizes) {
  Pair_for_ig empty_ig(&env.context);
  Pair_for_sg empty_sg(&env.context);
  for (Pair* pair : {static_cast<Pair*>(&empty_ig), static_cast<Pair*>(&empty_sg)}) {
    EXPECT_EQ(pair->get_node1_label(), nullptr);
    EXPECT_EQ(pair->is_self(), 0);
    pair->reset_pair_links();
    EXPECT_EQ(pair->next_pair_link(), nullptr);
    EXPECT_TRUE(pair->links().empty());
  }

  // A chunk label of three inner nodes at end 1, a plain label at end 2.
  Chunk three(&env.context);
  for (std::uint32_t k = 1; k <= 3; ++k) three.add_node(k, env.nl("a"));
  Node_label* chunk_label = env.node_labels.create("00001");
  chunk_label->set_chunk(&three);

  Node* big = env.node(1, chunk_label);
  Node* plain = env.node(2, env.nl("b"));
  const struct {
    const char* name;
    Node* n1;
    Node* n2;
    std::int32_t size;
  } cases[] = {
      {"two plain ends", plain, env.node(3, env.nl("c")), 2},
      {"plain self", plain, plain, 1},
      {"chunk and plain", big, plain, 4},
      {"plain and chunk", plain, big, 4},
      {"chunk self", big, big, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Unit_for_sg unit(&env.context);
    unit.set_node1(c.n1);
    unit.set_node2(c.n2);
    unit.add_link(env.link(c.n1, c.n2, env.ll("x")));
    EXPECT_EQ(Pair_for_sg(unit, &env.context).size(), c.size);
    EXPECT_EQ(Pair_for_ig(unit, &env.context).size(), c.size);
  }
}

}  // namespace
}  // namespace murex::test
