// Units: link storage and iteration, normalize, ordering, copies and prints
// of the induced-subgraph, subgraph and chunk unit kinds.

#include <gtest/gtest.h>

#include "graph/unit_for_chunk.h"
#include "graph_fixture.h"

namespace murex::test {
namespace {

using MyCl::Unit_for_chunk;
using MyCl::Unit_for_ig;
using MyCl::Unit_for_sg;

// A link of a unit written relative to the unit's ends.
struct Link_def {
  bool from_node1;  // true: node 1 -> node 2
  std::int32_t from_attachment;
  std::int32_t to_attachment;
  const char* label;
};

class UnitTest : public ::testing::Test {
 protected:
  // Node labels a..h get numbers 1..8.
  UnitTest() {
    for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"}) env.nl(name);
    for (const char* name : {"p", "q", "r"}) env.ll(name);
  }

  Node* node(std::int32_t number, std::int32_t label_number) {
    return env.node(number, env.node_labels.label_at(label_number));
  }

  std::unique_ptr<Unit_for_ig> ig(Node* n1, Node* n2, const std::vector<Link_def>& links) {
    auto unit = std::make_unique<Unit_for_ig>(&env.context);
    unit->set_node1(n1);
    unit->set_node2(n2);
    for (const Link_def& s : links) {
      unit->add_link(s.from_node1 ? env.link(n1, n2, env.ll(s.label), s.from_attachment, s.to_attachment)
                                  : env.link(n2, n1, env.ll(s.label), s.from_attachment, s.to_attachment));
    }
    return unit;
  }

  std::unique_ptr<Unit_for_sg> sg(Node* n1, Node* n2, Node* from, Node* to, const char* label = "p") {
    auto unit = std::make_unique<Unit_for_sg>(&env.context);
    unit->set_node1(n1);
    unit->set_node2(n2);
    unit->add_link(env.link(from, to, env.ll(label)));
    return unit;
  }

  Graph_env env;
};

std::vector<std::string> prints(const Unit_for_ig::Link_set& set) {
  std::vector<std::string> out;
  for (const auto& l : set) out.push_back(print_of(*l));
  return out;
}

TEST_F(UnitTest, InducedUnitSortsLinksBySideAndKeyAndDropsDuplicateKeys) {
  Node* n1 = node(1, 1);
  Node* n2 = node(2, 2);
  Unit_for_ig unit(&env.context);
  unit.set_node1(n1);
  unit.set_node2(n2);
  EXPECT_TRUE(unit.add_link(env.link(n1, n2, env.ll("p"), 2, 1)));
  EXPECT_TRUE(unit.add_link(env.link(n2, n1, env.ll("q"), 1, 1)));
  EXPECT_TRUE(unit.add_link(env.link(n1, n2, env.ll("p"), 1, 3)));
  EXPECT_TRUE(unit.add_link(env.link(n1, n2, env.ll("p"), 1, 2)));
  EXPECT_EQ(env.ll("p")->get_count(), 3);
  // Same key as a forward link already held, even with another label: refused and destroyed.
  EXPECT_FALSE(unit.add_link(env.link(n1, n2, env.ll("r"), 1, 2)));
  EXPECT_FALSE(unit.add_link(env.link(n1, n2, env.ll("p"), 2, 1)));
  EXPECT_EQ(env.ll("r")->get_count(), 0);
  EXPECT_EQ(env.ll("p")->get_count(), 3);
  // The key is per side: the same key from node 2 is a new backward link.
  EXPECT_TRUE(unit.add_link(env.link(n2, n1, env.ll("r"), 1, 2)));

  EXPECT_EQ(prints(unit.forward()),
            (std::vector<std::string>{"1(1)-p->2(2)", "1(1)-p->2(3)", "1(2)-p->2(1)"}));
  EXPECT_EQ(prints(unit.backward()), (std::vector<std::string>{"2(1)-q->1(1)", "2(1)-r->1(2)"}));
  EXPECT_EQ(print_of(unit), "1(1)-p->2(2) 1(1)-p->2(3) 1(2)-p->2(1) 2(1)-q->1(1) 2(1)-r->1(2) ");
}

TEST_F(UnitTest, InducedUnitIteratesForwardThenBackwardThenNull) {
  Node* n1 = node(1, 1);
  Node* n2 = node(2, 2);
  const struct {
    const char* name;
    std::vector<Link_def> links;
    std::vector<std::string> expected;
  } cases[] = {
      {"both empty", {}, {}},
      {"forward only", {{true, 1, 1, "p"}, {true, 2, 1, "q"}}, {"1(1)-p->2(1)", "1(2)-q->2(1)"}},
      {"backward only", {{false, 2, 1, "p"}, {false, 1, 1, "q"}}, {"2(1)-q->1(1)", "2(2)-p->1(1)"}},
      {"both", {{false, 1, 1, "q"}, {true, 1, 1, "p"}, {false, 1, 2, "r"}},
       {"1(1)-p->2(1)", "2(1)-q->1(1)", "2(1)-r->1(2)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto unit = ig(n1, n2, c.links);
    for (int round = 0; round < 2; ++round) {
      unit->reset_links();
      std::vector<std::string> seen;
      while (Link* l = unit->next_link()) {
        seen.push_back(print_of(*l));
        ASSERT_LE(seen.size(), 10u);
      }
      EXPECT_EQ(seen, c.expected);
      EXPECT_EQ(unit->next_link(), nullptr) << "stays exhausted until reset";
      EXPECT_EQ(unit->next_link(), nullptr);
    }
  }
}

TEST_F(UnitTest, InducedNormalizePutsTheEndThatComesFirstAtNode1) {
  const struct {
    const char* name;
    std::int32_t label1, label2;
    std::vector<Link_def> links;
    bool swaps;
  } cases[] = {
      {"node 1 has the greater label", 4, 2, {{true, 1, 1, "p"}}, true},
      {"node 1 has the smaller label", 2, 4, {{false, 1, 1, "p"}}, false},
      {"greater label even with fewer forward links", 4, 2, {{false, 1, 1, "p"}}, true},
      {"equal labels, more forward links", 3, 3, {{true, 1, 1, "p"}, {true, 2, 1, "p"}, {false, 1, 1, "p"}}, true},
      {"equal labels, fewer forward links", 3, 3, {{true, 9, 9, "r"}, {false, 1, 1, "p"}, {false, 2, 1, "p"}}, false},
      {"forward from_attachment greater", 3, 3, {{true, 2, 1, "p"}, {false, 1, 5, "r"}}, true},
      {"forward from_attachment smaller", 3, 3, {{true, 1, 5, "r"}, {false, 2, 1, "p"}}, false},
      {"forward to_attachment greater", 3, 3, {{true, 1, 3, "p"}, {false, 1, 2, "r"}}, true},
      {"forward label number greater", 3, 3, {{true, 1, 1, "q"}, {false, 1, 1, "p"}}, true},
      {"forward label number smaller", 3, 3, {{true, 1, 1, "p"}, {false, 1, 1, "q"}}, false},
      {"second position decides", 3, 3,
       {{true, 1, 1, "p"}, {true, 2, 2, "q"}, {false, 1, 1, "p"}, {false, 2, 2, "p"}}, true},
      {"all equal", 3, 3, {{true, 1, 2, "p"}, {false, 1, 2, "p"}}, false},
      {"no links, equal labels", 3, 3, {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Node* n1 = node(1, c.label1);
    Node* n2 = node(2, c.label2);
    auto unit = ig(n1, n2, c.links);
    const auto forward_before = prints(unit->forward());
    const auto backward_before = prints(unit->backward());
    EXPECT_EQ(unit->is_in_order(), !c.swaps);
    unit->normalize();
    EXPECT_EQ(unit->get_node1(), c.swaps ? n2 : n1);
    EXPECT_EQ(unit->get_node2(), c.swaps ? n1 : n2);
    EXPECT_EQ(prints(unit->forward()), c.swaps ? backward_before : forward_before);
    EXPECT_EQ(prints(unit->backward()), c.swaps ? forward_before : backward_before);
    EXPECT_TRUE(unit->is_in_order());
    for (const auto& l : unit->forward()) EXPECT_EQ(l->get_from(), unit->get_node1());
    for (const auto& l : unit->backward()) EXPECT_EQ(l->get_from(), unit->get_node2());
  }
}

TEST_F(UnitTest, InducedOrderingTurnsEveryLinkOneWay) {
  const struct {
    const char* name;
    std::int32_t label1, label2;
    std::vector<Link_def> links;
    std::vector<std::string> forward, backward;
  } cases[] = {
      {"out of order: forward reversed into backward", 2, 1, {{true, 1, 3, "p"}, {true, 2, 1, "q"}},
       {}, {"2(1)-q->1(2)", "2(3)-p->1(1)"}},
      {"in order: backward reversed into forward", 1, 2, {{false, 1, 1, "p"}, {true, 1, 2, "q"}},
       {"1(1)-p->2(1)", "1(1)-q->2(2)"}, {}},
      {"reversed link meets a backward link of the same key: the backward one is dropped", 2, 1,
       {{true, 1, 2, "p"}, {false, 2, 1, "q"}}, {}, {"2(2)-p->1(1)"}},
      {"reversed link meets a forward link of the same key: the forward one is dropped", 1, 2,
       {{false, 1, 2, "p"}, {true, 2, 1, "q"}}, {"1(2)-p->2(1)"}, {}},
      {"in order, backward empty: unchanged", 1, 2, {{true, 1, 1, "p"}}, {"1(1)-p->2(1)"}, {}},
      {"out of order, forward empty: unchanged", 2, 1, {{false, 1, 1, "p"}}, {}, {"2(1)-p->1(1)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Node* n1 = node(1, c.label1);
    Node* n2 = node(2, c.label2);
    auto unit = ig(n1, n2, c.links);
    unit->ordering();
    EXPECT_EQ(unit->get_node1(), n1) << "ordering never swaps the nodes";
    EXPECT_EQ(unit->get_node2(), n2);
    EXPECT_EQ(prints(unit->forward()), c.forward);
    EXPECT_EQ(prints(unit->backward()), c.backward);
    for (const auto& l : unit->forward()) EXPECT_EQ(l->get_from(), n1);
    for (const auto& l : unit->backward()) EXPECT_EQ(l->get_from(), n2);
    EXPECT_EQ(env.ll("p")->get_count() + env.ll("q")->get_count(),
              static_cast<std::int32_t>(c.forward.size() + c.backward.size()))
        << "a dropped link gives back its label count";
  }
}

TEST_F(UnitTest, SubgraphOrderingReversesOnlyTheLink) {
  const struct {
    std::int32_t label1, label2;
    bool reversed;
  } cases[] = {{7, 3, true}, {3, 7, false}, {5, 5, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.label1 << " vs " << c.label2);
    Node* n1 = node(1, c.label1);
    Node* n2 = node(2, c.label2);
    auto unit = sg(n1, n2, n1, n2);
    unit->get_link()->set_to_attachment(4);
    unit->ordering();
    EXPECT_EQ(unit->get_node1(), n1);
    EXPECT_EQ(unit->get_node2(), n2);
    EXPECT_EQ(print_of(*unit), c.reversed ? "2(4)-p->1(1) " : "1(1)-p->2(4) ");
  }
}

TEST_F(UnitTest, SubgraphNormalizeMakesTheLinkLeaveNode1) {
  Node* n1 = node(1, 1);
  Node* n2 = node(2, 2);
  auto along = sg(n1, n2, n1, n2);
  along->normalize();
  EXPECT_EQ(along->get_node1(), n1);
  EXPECT_EQ(along->get_node2(), n2);
  auto against = sg(n1, n2, n2, n1);
  against->normalize();
  EXPECT_EQ(against->get_node1(), n2);
  EXPECT_EQ(against->get_node2(), n1);
  EXPECT_EQ(print_of(*against), "2(1)-p->1(1) ");
}

TEST_F(UnitTest, SubgraphUnitYieldsItsLinkOncePerReset) {
  Node* n1 = node(1, 1);
  Node* n2 = node(2, 2);
  auto unit = sg(n1, n2, n1, n2);
  Link* link = unit->get_link();
  EXPECT_EQ(unit->next_link(), link);
  EXPECT_EQ(unit->next_link(), nullptr);
  unit->reset_links();
  EXPECT_EQ(unit->next_link(), link);
  EXPECT_EQ(unit->next_link(), nullptr);
}

TEST_F(UnitTest, CopyRemappedKeepsSidesAttachmentsAndMapsLabels) {
  Node* n1 = node(1, 1);
  Node* n2 = node(2, 2);
  auto source_ig = ig(n1, n2, {{true, 2, 3, "p"}, {false, 1, 4, "q"}, {true, 1, 1, "r"}});
  auto source_sg = sg(n1, n2, n2, n1, "q");
  source_sg->get_link()->set_from_attachment(5);

  Graph_env other;
  Link_label_map map;
  other.link_labels.clone_from(env.link_labels, map);
  Node* m1 = other.node(7, other.nl("a"));
  Node* m2 = other.node(9, other.nl("b"));

  Unit_for_ig copy_ig(&other.context);
  copy_ig.copy_remapped(*source_ig, m1, m2, map);
  EXPECT_EQ(copy_ig.get_node1(), m1);
  EXPECT_EQ(copy_ig.get_node2(), m2);
  EXPECT_EQ(prints(copy_ig.forward()), (std::vector<std::string>{"7(1)-r->9(1)", "7(2)-p->9(3)"}));
  EXPECT_EQ(prints(copy_ig.backward()), (std::vector<std::string>{"9(1)-q->7(4)"}));
  for (Link* l : links_of(copy_ig)) EXPECT_EQ(l->get_label()->get_context(), &other.context);

  Unit_for_sg copy_sg(&other.context);
  copy_sg.copy_remapped(*source_sg, m1, m2, map);
  EXPECT_EQ(copy_sg.get_node1(), m1);
  EXPECT_EQ(copy_sg.get_node2(), m2);
  ASSERT_NE(copy_sg.get_link(), nullptr);
  EXPECT_EQ(copy_sg.get_link()->get_from(), m2) << "a link from node 2 stays a link from node 2";
  EXPECT_EQ(copy_sg.get_link()->get_to(), m1);
  EXPECT_EQ(print_of(copy_sg), "9(5)-q->7(1) ");
  EXPECT_EQ(copy_sg.get_link()->get_label(), map.image(env.ll("q")));

  for (std::int32_t k = 1; k <= other.link_labels.get_size(); ++k) {
    EXPECT_EQ(other.link_labels.label_at(k)->get_count(), 0) << "copies are not counted";
  }
}

TEST_F(UnitTest, ChunkUnitPrintsItsLabelAndCopiesThroughTheMap) {
  Chunk chunk(&env.context);
  chunk.add_node(1, env.nl("a"));
  chunk.add_node(2, env.nl("b"));
  Unit_for_chunk unit(&env.context);
  unit.set_node1(chunk.node_at(2));
  unit.set_node2(chunk.node_at(1));
  unit.set_label(env.ll("q"));
  EXPECT_EQ(print_of(unit), "2-q->1");

  Graph_env other;
  Link_label_map map;
  other.link_labels.clone_from(env.link_labels, map);
  Node* m = other.node(4, other.nl("a"));
  Unit_for_chunk copy(&other.context);
  copy.copy_remapped(unit, m, m, map);
  EXPECT_EQ(copy.get_label(), other.link_labels.label_at(2));
  EXPECT_EQ(print_of(copy), "4-q->4");
}

using UnitDeathTest = UnitTest;

TEST_F(UnitDeathTest, ChunkUnitRefusesLinkOperations) {
  Unit_for_chunk unit(&env.context);
  const std::string internal_error = "^Error: unit_for_chunk\\.cpp\\([0-9]+\\)\a\n$";
  EXPECT_EXIT(unit.add_link(std::make_unique<Link>(&env.context)), ::testing::ExitedWithCode(1), internal_error);
  EXPECT_EXIT(unit.reset_links(), ::testing::ExitedWithCode(1), internal_error);
  EXPECT_EXIT(unit.next_link(), ::testing::ExitedWithCode(1), internal_error);
}

TEST_F(UnitDeathTest, ChunkUnitOrderingAndNormalizeArePlaceholders) {
  Unit_for_chunk unit(&env.context);
  EXPECT_EXIT((stdout_to_stderr(), unit.ordering()), ::testing::ExitedWithCode(1),
              "^Mada Jissou Siteinai Unit_for_chunk::ordering\a\n$");
  EXPECT_EXIT((stdout_to_stderr(), unit.normalize()), ::testing::ExitedWithCode(1),
              "^Mada Jissou Siteinai Unit_for_chunk::normalize\a\n$");
}

}  // namespace
}  // namespace murex::test
