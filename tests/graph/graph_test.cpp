// Graphs: node slots and node count, links and units per graph kind, unit
// orientation, print-out and cloning into another search context.

#include <gtest/gtest.h>

#include <typeinfo>

#include "graph_fixture.h"

namespace murex::test {
namespace {

const Kind all_kinds[] = {Kind::directed_ig, Kind::directed_sg, Kind::undirected_ig, Kind::undirected_sg};

TEST(GraphNodes, AddNodeGrowsTheSlotsAndSetsTheNodeCount) {
  Graph_env env;
  Directed_graph_for_sg graph(1, &env.context);
  EXPECT_EQ(graph.get_node_count(), 0);
  EXPECT_EQ(graph.node_slots(), 0u);
  const struct {
    std::uint32_t k;
    const char* label;  // null: no label
    std::int32_t node_count;
    std::size_t slots;
  } steps[] = {
      {5, "a", 5, 6}, {3, "b", 5, 6}, {5, "c", 5, 6}, {7, nullptr, 7, 8}, {1, "a", 7, 8}, {7, "d", 7, 8},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(::testing::Message() << "add_node " << step.k);
    graph.add_node(step.k, step.label != nullptr ? env.nl(step.label) : nullptr);
    EXPECT_EQ(graph.get_node_count(), step.node_count);
    EXPECT_EQ(graph.node_slots(), step.slots);
    ASSERT_NE(graph.node_at(static_cast<std::int32_t>(step.k)), nullptr);
    EXPECT_EQ(graph.node_at(static_cast<std::int32_t>(step.k))->get_number(), static_cast<std::int32_t>(step.k));
  }
  for (std::int32_t k : {0, 2, 4, 6}) EXPECT_EQ(graph.node_at(k), nullptr) << k;
  // Node 5 kept its first label; node 7, created unlabelled, took the later one.
  EXPECT_EQ(graph.node_at(5)->get_label(), env.nl("a"));
  EXPECT_EQ(graph.node_at(3)->get_label(), env.nl("b"));
  EXPECT_EQ(graph.node_at(7)->get_label(), env.nl("d"));
  EXPECT_EQ(env.nl("a")->get_count(), 2);
  EXPECT_EQ(env.nl("c")->get_count(), 0);
  EXPECT_EQ(env.nl("d")->get_count(), 1);
}

TEST(GraphNodes, EachKindCreatesItsUnitKind) {
  Graph_env env;
  for (Kind kind : all_kinds) {
    SCOPED_TRACE(kind_name(kind));
    auto graph = make_graph(kind, 4, &env.context);
    EXPECT_EQ(graph->get_graph_number(), 4);
    EXPECT_EQ(graph->get_context(), &env.context);
    auto unit = graph->create_unit();
    EXPECT_EQ(unit->get_context(), &env.context);
    EXPECT_EQ(dynamic_cast<MyCl::Unit_for_ig*>(unit.get()) != nullptr, is_induced(kind));
    EXPECT_EQ(dynamic_cast<MyCl::Unit_for_sg*>(unit.get()) != nullptr, !is_induced(kind));
    EXPECT_EQ(unit->get_node1(), nullptr);
    auto node = graph->create_node(9, env.nl("a"));
    EXPECT_EQ(node->get_number(), 9);
    EXPECT_EQ(node->get_label(), env.nl("a"));
    auto bare = graph->create_node(2, nullptr);
    EXPECT_EQ(bare->get_label(), nullptr);
  }
  EXPECT_EQ(env.nl("a")->get_count(), 4);
}

// Links read between the same nodes: one unit per link in subgraph mode; in
// induced-subgraph mode one unit per node pair, refusing a parallel link.
TEST(GraphLinks, AddLinkGroupsLinksByCountingMode) {
  for (Kind kind : all_kinds) {
    SCOPED_TRACE(kind_name(kind));
    Graph_env env;
    auto graph = make_graph(kind, 1, &env.context);
    for (std::uint32_t k = 1; k <= 3; ++k) graph->add_node(k, env.nl(std::string(1, static_cast<char>('a' + k - 1))));
    const bool ig = is_induced(kind);
    const struct {
      std::int32_t i, j;
      const char* label;
      bool added_ig;
    } links[] = {
        {1, 2, "p", true}, {2, 1, "q", true}, {1, 2, "r", false}, {2, 1, "q", false},
        {1, 3, "p", true}, {3, 3, "s", true}, {3, 3, "s", false},
    };
    for (const auto& l : links) {
      SCOPED_TRACE(::testing::Message() << l.i << "->" << l.j << " " << l.label);
      EXPECT_EQ(graph->add_link(l.i, l.j, env.ll(l.label)), ig ? l.added_ig : true);
    }
    std::vector<std::string> units;
    for (MyCl::Unit* u : units_of(*graph)) units.push_back(print_of(*u));
    if (ig) {
      EXPECT_EQ(graph->unit_count(), 3u);
      EXPECT_EQ(units, (std::vector<std::string>{"1(1)-p->2(1) 2(1)-q->1(1) ", "1(1)-p->3(1) ", "3(1)-s->3(1) "}));
      EXPECT_EQ(env.ll("r")->get_count(), 0) << "a refused link is destroyed";
      EXPECT_EQ(env.ll("q")->get_count(), 1);
      EXPECT_EQ(env.ll("s")->get_count(), 1);
    } else {
      EXPECT_EQ(graph->unit_count(), 7u);
      EXPECT_EQ(units, (std::vector<std::string>{"1(1)-p->2(1) ", "2(1)-q->1(1) ", "1(1)-r->2(1) ", "2(1)-q->1(1) ",
                                                 "1(1)-p->3(1) ", "3(1)-s->3(1) ", "3(1)-s->3(1) "}));
      EXPECT_EQ(env.ll("q")->get_count(), 2);
      EXPECT_EQ(env.ll("s")->get_count(), 2);
    }
    for (MyCl::Unit* u : units_of(*graph)) {
      for (Link* l : links_of(*u)) {
        EXPECT_TRUE((l->get_from() == u->get_node1() && l->get_to() == u->get_node2()) ||
                    (l->get_from() == u->get_node2() && l->get_to() == u->get_node1()));
      }
    }
  }
}

TEST(GraphLinks, LinksBothWaysFormOneTwoLinkUnitInInducedMode) {
  for (Kind kind : {Kind::directed_ig, Kind::undirected_ig}) {
    SCOPED_TRACE(kind_name(kind));
    Graph_env env;
    auto graph = make_graph(kind, 1, &env.context);
    graph->add_node(1, env.nl("a"));
    graph->add_node(2, env.nl("b"));
    EXPECT_TRUE(graph->add_link(2, 1, env.ll("x")));
    EXPECT_TRUE(graph->add_link(1, 2, env.ll("y")));
    graph->normalize_units();
    auto units = units_of(*graph);
    ASSERT_EQ(units.size(), 1u);
    auto* unit = dynamic_cast<MyCl::Unit_for_ig*>(units[0]);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->get_node1(), graph->node_at(1));
    EXPECT_EQ(unit->forward().size(), 1u);
    EXPECT_EQ(unit->backward().size(), 1u);
    EXPECT_EQ(print_of(*unit), "1(1)-y->2(1) 2(1)-x->1(1) ");
  }
}

TEST(GraphUnits, NormalizeUnitsAndOrderUnitsPerKind) {
  for (Kind kind : all_kinds) {
    SCOPED_TRACE(kind_name(kind));
    Graph_env env;
    auto graph = make_graph(kind, 1, &env.context);
    graph->add_node(1, env.nl("a"));
    graph->add_node(2, env.nl("b"));
    graph->add_node(3, env.nl("c"));
    graph->add_link(2, 1, env.ll("x"));
    graph->add_link(2, 3, env.ll("y"));
    graph->normalize_units();
    auto units = units_of(*graph);
    ASSERT_EQ(units.size(), 2u);
    // Induced-subgraph units put the smaller label at node 1; subgraph units the node their link leaves.
    EXPECT_EQ(units[0]->get_node1(), graph->node_at(is_induced(kind) ? 1 : 2));
    EXPECT_EQ(units[1]->get_node1(), graph->node_at(2));
    graph->order_units();
    // Undirected graphs run every link from the smaller to the greater label; directed ones keep it.
    EXPECT_EQ(link_prints(*graph),
              (std::vector<std::string>{is_directed(kind) ? "2(1)-x->1(1)" : "1(1)-x->2(1)", "2(1)-y->3(1)"}));
  }
}

TEST(GraphPrint, WritesNodeLinesThenUnitLines) {
  Graph_env env;
  Directed_graph_for_sg sg(1, &env.context);
  sg.add_node(1, env.nl("x"));
  sg.add_node(2, env.nl("y"));
  sg.add_link(1, 2, env.ll("z"));
  EXPECT_EQ(print_of(sg), "1 1 x\n2 2 y\n1(1)-z->2(1) \n");

  Directed_graph_for_ig ig(2, &env.context);
  ig.add_node(1, env.nl("x"));
  ig.add_node(2, env.nl("y"));
  ig.add_node(3, env.nl("x"));
  ig.add_link(2, 1, env.ll("w"));
  ig.add_link(1, 2, env.ll("z"));
  ig.add_link(3, 1, env.ll("z"));
  ig.normalize_units();
  EXPECT_EQ(print_of(ig), "1 1 x\n2 2 y\n3 3 x\n1(1)-z->2(1) 2(1)-w->1(1) \n3(1)-z->1(1) \n");
}

// Builds a graph, chunks one pair so that a node is gone and links carry
// shifted attachment numbers, and checks that a clone into another context
// reproduces it exactly with that context's labels.
TEST(GraphClone, KeepsNumbersUnitOrderAttachmentsAndNodeCount) {
  for (Kind kind : all_kinds) {
    SCOPED_TRACE(kind_name(kind));
    Scoped_factory factory(kind);
    Graph_env source_env;
    auto source = make_graph(kind, 6, &source_env.context);
    const char* labels[] = {"a", "b", "c", "d"};
    for (std::uint32_t k = 1; k <= 4; ++k) source->add_node(k, source_env.nl(labels[k - 1]));
    source->add_link(1, 2, source_env.ll("p"));
    source->add_link(2, 3, source_env.ll("q"));
    source->add_link(4, 3, source_env.ll("r"));
    source->add_link(3, 4, source_env.ll("s"));
    source->normalize_units();
    source->order_units();
    auto record = factory.get().create_pair(units_of(*source)[0], &source_env.context);
    source->chunk_pair(0, *record, source_env.node_labels.create("00001"));
    source_env.context.clear_changes();
    ASSERT_EQ(source->get_node_count(), 3);

    Graph_env copy_env;
    Node_label_map node_map;
    copy_env.node_labels.clone_from(source_env.node_labels, node_map);
    node_map.add(source_env.context.placeholder_label(), copy_env.context.placeholder_label());
    Link_label_map link_map;
    copy_env.link_labels.clone_from(source_env.link_labels, link_map);
    auto copy = make_graph(kind, 6, &copy_env.context);
    copy->clone_from(*source, node_map, link_map);

    EXPECT_EQ(copy->get_node_count(), 3);
    EXPECT_EQ(copy->node_slots(), source->node_slots());
    EXPECT_EQ(print_of(*copy), print_of(*source));
    EXPECT_EQ(link_prints(*copy), link_prints(*source));
    for (std::int32_t k = 1; k <= 4; ++k) {
      ASSERT_NE(copy->node_at(k), nullptr);
      EXPECT_NE(copy->node_at(k), source->node_at(k));
      EXPECT_EQ(copy->node_at(k)->get_number(), k);
      EXPECT_EQ(copy->node_at(k)->get_label(), node_map.image(source->node_at(k)->get_label()));
    }
    const auto source_units = units_of(*source);
    const auto copy_units = units_of(*copy);
    ASSERT_EQ(copy_units.size(), source_units.size());
    for (std::size_t u = 0; u < copy_units.size(); ++u) {
      EXPECT_EQ(copy_units[u]->get_node1()->get_number(), source_units[u]->get_node1()->get_number());
      EXPECT_EQ(copy_units[u]->get_node2()->get_number(), source_units[u]->get_node2()->get_number());
      EXPECT_EQ(copy_units[u]->get_node1(), copy->node_at(copy_units[u]->get_node1()->get_number()));
      EXPECT_EQ(typeid(*copy_units[u]), typeid(*source_units[u]));
      for (Link* l : links_of(*copy_units[u])) {
        EXPECT_EQ(l->get_label()->get_context(), &copy_env.context);
        EXPECT_TRUE(l->get_from() == copy_units[u]->get_node1() || l->get_from() == copy_units[u]->get_node2());
      }
    }
    // Node labels of the copy are counted once per node; links copied by clone are not counted.
    EXPECT_EQ(node_map.image(source_env.nl("c"))->get_count(), 1);
    EXPECT_EQ(link_map.image(source_env.ll("q"))->get_count(), 0);
    EXPECT_EQ(source_env.ll("q")->get_count(), 1);
  }
}

}  // namespace
}  // namespace murex::test
