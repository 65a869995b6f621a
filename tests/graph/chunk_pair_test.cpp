// Rewriting a data graph for a selected pair: which node is kept, which is
// absorbed, how the links of the absorbed node move and shift, how units
// merge in induced-subgraph mode, and what is reported to the context.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "graph/unit_for_chunk.h"
#include "graph_fixture.h"

namespace murex::test {
namespace {

struct Link_in {
  std::int32_t from, to;
  const char* label;
};

class ChunkPairBase : public ::testing::TestWithParam<Kind> {
 protected:
  Kind kind() const { return GetParam(); }

  // Labels are created in the order given, before any node exists.
  void labels(std::vector<const char*> names) {
    for (const char* name : names) env.nl(name);
  }

  // Builds graph 1 like the reader: nodes, links, normalize, order.
  void build(std::vector<const char*> node_labels, std::vector<Link_in> links) {
    graph = make_graph(kind(), 1, &env.context);
    for (std::size_t k = 0; k < node_labels.size(); ++k) {
      graph->add_node(static_cast<std::uint32_t>(k + 1), env.nl(node_labels[k]));
    }
    for (const Link_in& l : links) graph->add_link(l.from, l.to, env.ll(l.label));
    graph->normalize_units();
    graph->order_units();
  }

  // The run's pair record of unit u (in list order).
  std::unique_ptr<Pair> record_of(std::size_t u) {
    const auto units = units_of(*graph);
    return factory.get().create_pair(units.at(u), &env.context);
  }

  // A new chunk label whose chunk is built from `record`, as the search makes it.
  Node_label* chunk_label_for(const Pair& record) {
    return make_chunk_label(env, chunks, record);
  }

  // Chunks the pair of unit u and returns the new label.
  Node_label* chunk_unit(std::size_t u) {
    auto record = record_of(u);
    Node_label* label = chunk_label_for(*record);
    graph->chunk_pair(0, *record, label);
    return label;
  }

  // "pattern xN" for every countable pair of one set, in set order; checks the occurrences.
  std::vector<std::string> summary(bool created) {
    std::vector<std::string> out;
    if (created) {
      env.context.reset_created();
    } else {
      env.context.reset_destroyed();
    }
    while (Countable_pair* p = created ? env.context.next_created() : env.context.next_destroyed()) {
      std::ostringstream line;
      print_pair_pattern(line, *p);
      line << 'x' << p->occurrences().size();
      out.push_back(line.str());
      for (const Occurrence& o : p->occurrences()) {
        EXPECT_EQ(o.class_index, 0);
        EXPECT_EQ(o.graph, graph.get());
      }
    }
    return out;
  }
  std::vector<std::string> destroyed() { return summary(false); }
  std::vector<std::string> created() { return summary(true); }

  static std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  }

  Scoped_factory factory{GetParam()};
  Graph_env env;
  std::vector<std::unique_ptr<Chunk>> chunks;
  std::unique_ptr<Data_graph> graph;
};

using ChunkPairAllKinds = ChunkPairBase;
using ChunkPairInduced = ChunkPairBase;
using ChunkPairSubgraph = ChunkPairBase;
using ChunkPairDirected = ChunkPairBase;

std::string kind_param_name(const ::testing::TestParamInfo<Kind>& info) { return kind_name(info.param); }

INSTANTIATE_TEST_SUITE_P(Kinds, ChunkPairAllKinds,
                         ::testing::Values(Kind::directed_ig, Kind::directed_sg, Kind::undirected_ig,
                                           Kind::undirected_sg),
                         kind_param_name);
INSTANTIATE_TEST_SUITE_P(Kinds, ChunkPairInduced, ::testing::Values(Kind::directed_ig, Kind::undirected_ig),
                         kind_param_name);
INSTANTIATE_TEST_SUITE_P(Kinds, ChunkPairSubgraph, ::testing::Values(Kind::directed_sg, Kind::undirected_sg),
                         kind_param_name);
INSTANTIATE_TEST_SUITE_P(Kinds, ChunkPairDirected, ::testing::Values(Kind::directed_ig, Kind::directed_sg),
                         kind_param_name);

TEST_P(ChunkPairAllKinds, SingleUnitIsReplacedByOneNode) {
  build({"a", "b"}, {{1, 2, "p"}});
  Node_label* label = chunk_unit(0);
  EXPECT_EQ(graph->unit_count(), 0u);
  EXPECT_EQ(graph->get_node_count(), 1);
  EXPECT_EQ(graph->node_at(1)->get_label(), label);
  EXPECT_EQ(graph->node_at(2)->get_label(), env.context.placeholder_label());
  EXPECT_EQ(destroyed(), (std::vector<std::string>{"a b Node.1(1)-p->Node.2(1) 0 x1"}));
  EXPECT_TRUE(created().empty());
  EXPECT_EQ(env.nl("a")->get_count(), 0);
  EXPECT_EQ(env.nl("b")->get_count(), 0);
  EXPECT_EQ(label->get_count(), 1);
  EXPECT_EQ(env.ll("p")->get_count(), 0) << "the replaced unit's link is destroyed";
  EXPECT_EQ(print_of(*graph), "1 1 00001\n2 2 \n");
}

TEST_P(ChunkPairAllKinds, ChainReplacesOnlyTheFirstOccurrence) {
  // a - b - a, both links into b: both units are the same pattern.
  build({"a", "b", "a"}, {{1, 2, "x"}, {3, 2, "x"}});
  Node_label* label = chunk_unit(0);
  EXPECT_EQ(graph->get_node_count(), 2);
  EXPECT_EQ(graph->node_at(1)->get_label(), label);
  EXPECT_EQ(graph->node_at(2)->get_label(), env.context.placeholder_label());
  EXPECT_EQ(graph->node_at(3)->get_label(), env.nl("a"));
  ASSERT_EQ(graph->unit_count(), 1u);
  MyCl::Unit* left = units_of(*graph)[0];
  EXPECT_EQ(left->get_node1(), graph->node_at(3));
  EXPECT_EQ(left->get_node2(), graph->node_at(1));
  EXPECT_EQ(link_prints(*graph), (std::vector<std::string>{"3(1)-x->1(2)"}));
  EXPECT_EQ(destroyed(), (std::vector<std::string>{"a b Node.1(1)-x->Node.2(1) 0 x2"}));
  EXPECT_EQ(created(), (std::vector<std::string>{"a 00001 Node.1(1)-x->Node.2(2) 0 x1"}));
}

TEST_P(ChunkPairAllKinds, LinksOfTheAbsorbedNodeShiftByTheKeptChunkSize) {
  // Node label K3 stands for a chunk of three inner nodes; label numbers follow the
  // node order, so no undirected graph turns a link around.
  labels({"K3", "a", "b", "c"});
  Chunk three(env.nl("K3"), 0.0, &env.context);
  for (std::uint32_t k = 1; k <= 3; ++k) three.add_node(k, env.nl("a"));
  env.nl("K3")->set_chunk(&three);

  build({"K3", "b", "c", "a"}, {{1, 2, "p"}, {2, 3, "q"}, {4, 2, "r"}, {1, 3, "s"}});
  Node_label* label = chunk_unit(0);
  EXPECT_EQ(graph->get_node_count(), 3);
  EXPECT_EQ(graph->node_at(1)->get_label(), label);
  EXPECT_EQ(sorted(link_prints(*graph)),
            (std::vector<std::string>{"1(1)-s->3(1)", "1(4)-q->3(1)", "4(1)-r->1(4)"}));
  // In induced-subgraph mode the two units now joining the chunk node and c become one.
  EXPECT_EQ(graph->unit_count(), is_induced(kind()) ? 2u : 3u);
  for (MyCl::Unit* u : units_of(*graph)) {
    for (Link* l : links_of(*u)) {
      EXPECT_TRUE(l->get_from() == u->get_node1() || l->get_from() == u->get_node2());
      EXPECT_TRUE(l->get_to() == u->get_node1() || l->get_to() == u->get_node2());
    }
  }
}

TEST_P(ChunkPairAllKinds, SelfPairRelabelsTheNodeOnly) {
  build({"a", "b"}, {{1, 1, "s"}, {1, 2, "p"}});
  auto record = record_of(0);
  ASSERT_EQ(record->is_self(), 1);
  Node_label* label = chunk_label_for(*record);
  graph->chunk_pair(0, *record, label);
  EXPECT_EQ(graph->get_node_count(), 2);
  EXPECT_EQ(graph->node_at(1)->get_label(), label);
  EXPECT_EQ(graph->node_at(2)->get_label(), env.nl("b"));
  EXPECT_EQ(env.context.placeholder_label()->get_count(), 0);
  EXPECT_EQ(link_prints(*graph), (std::vector<std::string>{"1(1)-p->2(1)"}));
  EXPECT_EQ(destroyed(),
            (std::vector<std::string>{"a a Node.1(1)-s->Node.2(1) 1 x1", "a b Node.1(1)-p->Node.2(1) 0 x1"}));
  EXPECT_EQ(created(), (std::vector<std::string>{is_induced(kind()) ? "b 00001 Node.2(1)-p->Node.1(1) 0 x1"
                                                                    : "00001 b Node.1(1)-p->Node.2(1) 0 x1"}));
}

TEST_P(ChunkPairAllKinds, DisjointOccurrencesAreAllReplacedInOneCall) {
  build({"a", "b", "a", "b"}, {{1, 2, "p"}, {3, 2, "q"}, {3, 4, "p"}});
  Node_label* label = chunk_unit(0);
  EXPECT_EQ(graph->get_node_count(), 2);
  for (std::int32_t k : {1, 3}) EXPECT_EQ(graph->node_at(k)->get_label(), label) << k;
  for (std::int32_t k : {2, 4}) EXPECT_EQ(graph->node_at(k)->get_label(), env.context.placeholder_label()) << k;
  EXPECT_EQ(label->get_count(), 2);
  EXPECT_EQ(link_prints(*graph), (std::vector<std::string>{"3(1)-q->1(2)"}));
  const auto gone = destroyed();
  EXPECT_NE(std::find(gone.begin(), gone.end(), "a b Node.1(1)-p->Node.2(1) 0 x2"), gone.end());
  // The unit between the two occurrences is reported once per rewrite.
  std::size_t destroyed_reports = 0;
  env.context.reset_destroyed();
  while (Countable_pair* p = env.context.next_destroyed()) destroyed_reports += p->occurrences().size();
  EXPECT_EQ(destroyed_reports, 4u);
  std::size_t created_reports = 0;
  env.context.reset_created();
  while (Countable_pair* p = env.context.next_created()) created_reports += p->occurrences().size();
  EXPECT_EQ(created_reports, 2u);
}

// A chain a-b-c written as "1 a" / "2 b 1(x) 3(y)" / "3 c": whichever way the
// first unit is stored, chunking a-b and then the chunk with c must give a
// pattern in which c hangs on b.
TEST_P(ChunkPairAllKinds, GrownPatternKeepsLinksAtTheirInnerNode) {
  build({"a", "b", "c"}, {{2, 1, "x"}, {2, 3, "y"}});
  chunk_unit(0);
  ASSERT_EQ(graph->unit_count(), 1u);
  chunk_unit(0);
  const Chunk& grown = *chunks.back();
  ASSERT_EQ(grown.get_node_count(), 3);
  std::map<std::string, std::set<std::string>> ends_by_link;
  for (MyCl::Unit* u : units_of(const_cast<Chunk&>(grown))) {
    const auto* cu = static_cast<MyCl::Unit_for_chunk*>(u);
    ends_by_link[cu->get_label()->get_name()] = {cu->get_node1()->get_label()->get_name(),
                                                 cu->get_node2()->get_label()->get_name()};
  }
  EXPECT_EQ(ends_by_link["x"], (std::set<std::string>{"a", "b"}));
  EXPECT_EQ(ends_by_link["y"], (std::set<std::string>{"b", "c"})) << print_of(grown);
  EXPECT_EQ(graph->get_node_count(), 1);
  EXPECT_EQ(graph->unit_count(), 0u);
}

TEST_P(ChunkPairSubgraph, KeptNodeIsTheOneTheLinkLeaves) {
  build({"a", "b", "c"}, {{2, 1, "x"}, {2, 3, "y"}});
  // Undirected graphs turn the b->a link into a->b; directed ones keep b->a.
  const std::int32_t leaves = is_directed(kind()) ? 2 : 1;
  const std::int32_t enters = 3 - leaves;
  auto record = record_of(0);
  EXPECT_EQ(record->get_node1_label(), graph->node_at(leaves)->get_label());
  Node_label* label = chunk_label_for(*record);
  graph->chunk_pair(0, *record, label);
  EXPECT_EQ(graph->node_at(leaves)->get_label(), label);
  EXPECT_EQ(graph->node_at(enters)->get_label(), env.context.placeholder_label());
  // b is inner node 2 of the chunk when it was absorbed, inner node 1 when it was kept.
  EXPECT_EQ(link_prints(*graph), (std::vector<std::string>{is_directed(kind()) ? "2(1)-y->3(1)" : "1(2)-y->3(1)"}));
  EXPECT_EQ(print_of(*chunks.back()).substr(print_of(*chunks.back()).find('\n') + 1),
            is_directed(kind()) ? "1 1 b\n2 2 a\n1-x->2\n" : "1 1 a\n2 2 b\n1-x->2\n");
}

TEST_P(ChunkPairInduced, TriangleMergesTheUnitsAtTheThirdNode) {
  build({"a", "b", "c"}, {{1, 2, "p"}, {1, 3, "q"}, {2, 3, "r"}});
  Node_label* label = chunk_unit(0);
  ASSERT_EQ(graph->unit_count(), 1u);
  auto* unit = dynamic_cast<MyCl::Unit_for_ig*>(units_of(*graph)[0]);
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->get_node1(), graph->node_at(3));
  EXPECT_EQ(unit->get_node2(), graph->node_at(1));
  EXPECT_EQ(graph->node_at(1)->get_label(), label);
  EXPECT_EQ(print_of(*unit), "1(1)-q->3(1) 1(2)-r->3(1) ");
  EXPECT_EQ(destroyed(), (std::vector<std::string>{"a b Node.1(1)-p->Node.2(1) 0 x1", "a c Node.1(1)-q->Node.2(1) 0 x1",
                                                   "b c Node.1(1)-r->Node.2(1) 0 x1"}));
  EXPECT_EQ(created(),
            (std::vector<std::string>{"c 00001 Node.2(1)-q->Node.1(1) 0 Node.2(2)-r->Node.1(1) 0 x1"}));
  EXPECT_EQ(env.ll("p")->get_count(), 0);
  EXPECT_EQ(env.ll("q")->get_count(), 1);
  EXPECT_EQ(env.ll("r")->get_count(), 1) << "the moved copy is counted and the original released";
  EXPECT_EQ(print_of(*graph), "1 1 00001\n2 2 \n3 3 c\n1(1)-q->3(1) 1(2)-r->3(1) \n");
}

TEST_P(ChunkPairInduced, TwoWayLinksAreChunkedAsOnePair) {
  build({"a", "b", "c"}, {{1, 2, "p"}, {2, 1, "q"}, {2, 3, "r"}});
  ASSERT_EQ(graph->unit_count(), 2u);
  auto record = record_of(0);
  // An undirected graph turns q around; it then has the key of p and only one of them stays.
  EXPECT_EQ(print_of(*record), is_directed(kind()) ? "a b Node.1(1)-p->Node.2(1) 0 Node.2(1)-q->Node.1(1) 0 "
                                                   : "a b Node.1(1)-q->Node.2(1) 0 ");
  Node_label* label = chunk_label_for(*record);
  EXPECT_EQ(print_of(*chunks.back()).substr(print_of(*chunks.back()).find('\n') + 1),
            is_directed(kind()) ? "1 1 a\n2 2 b\n1-p->2\n2-q->1\n" : "1 1 a\n2 2 b\n1-q->2\n");
  graph->chunk_pair(0, *record, label);
  EXPECT_EQ(graph->get_node_count(), 2);
  EXPECT_EQ(link_prints(*graph), (std::vector<std::string>{"1(2)-r->3(1)"}));
  EXPECT_EQ(env.ll("p")->get_count() + env.ll("q")->get_count(), 0);
}

TEST_P(ChunkPairSubgraph, ParallelLinkBecomesASelfUnit) {
  build({"a", "b"}, {{1, 2, "p"}, {1, 2, "p"}});
  Node_label* label = chunk_unit(0);
  EXPECT_EQ(graph->get_node_count(), 1);
  ASSERT_EQ(graph->unit_count(), 1u);
  MyCl::Unit* unit = units_of(*graph)[0];
  EXPECT_EQ(unit->get_node1(), graph->node_at(1));
  EXPECT_EQ(unit->get_node2(), graph->node_at(1));
  EXPECT_EQ(link_prints(*graph), (std::vector<std::string>{"1(1)-p->1(2)"}));
  EXPECT_EQ(destroyed(), (std::vector<std::string>{"a b Node.1(1)-p->Node.2(1) 0 x2"}));
  EXPECT_EQ(created(), (std::vector<std::string>{"00001 00001 Node.1(1)-p->Node.2(2) 1 x1"}));
  EXPECT_EQ(label->get_count(), 1);
  EXPECT_EQ(env.ll("p")->get_count(), 1);
}

TEST_P(ChunkPairDirected, ReverseParallelLinkBecomesASelfUnit) {
  build({"a", "b"}, {{1, 2, "p"}, {2, 1, "q"}});
  if (is_induced(kind())) {
    // Both links are one unit: the pair holds both and nothing is left.
    chunk_unit(0);
    EXPECT_EQ(graph->unit_count(), 0u);
    EXPECT_EQ(created().size(), 0u);
  } else {
    chunk_unit(0);
    EXPECT_EQ(link_prints(*graph), (std::vector<std::string>{"1(2)-q->1(1)"}));
    EXPECT_EQ(created(), (std::vector<std::string>{"00001 00001 Node.1(2)-q->Node.2(1) 1 x1"}));
  }
  EXPECT_EQ(graph->get_node_count(), 1);
}

}  // namespace
}  // namespace murex::test
