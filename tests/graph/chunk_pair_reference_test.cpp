// The graph kinds' chunk_pair against a plain rewrite kept here: the same
// step written the slow, literal way (a fresh pair record per unit, a full
// scan of the unit list for the units at the kept and the absorbed node, a
// pairwise search for the units to merge). Both run on twin copies of many
// random small graphs, for several chunking steps in a row, in all four graph
// kinds; the graphs, the label counts and the reported destroyed and created
// pairs must come out the same.

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "graph_fixture.h"

namespace murex::test {
namespace {

using MyCl::Unit;

// The inner nodes a node stands for.
std::int32_t inner_size(const Node* node) {
  const Chunk* chunk = node->get_label()->get_chunk();
  return chunk != nullptr ? chunk->get_node_count() : 1;
}

void move_end(Link& link, const Node* absorbed, Node* kept, std::int32_t shift) {
  if (link.get_from() == absorbed) {
    link.set_from(kept);
    link.set_from_attachment(link.get_from_attachment() + shift);
  }
  if (link.get_to() == absorbed) {
    link.set_to(kept);
    link.set_to_attachment(link.get_to_attachment() + shift);
  }
}

bool same_ends(const Unit& a, const Unit& b) {
  return (a.get_node1() == b.get_node1() && a.get_node2() == b.get_node2()) ||
         (a.get_node1() == b.get_node2() && a.get_node2() == b.get_node1());
}

// The rewrite of one graph for pair record `pair`, step by step.
void reference_chunk_pair(Data_graph& graph, bool induced, std::int32_t class_index, Pair& pair, Node_label* label,
                          const Murex_factory& factory) {
  Search_context& context = *graph.get_context();
  // The unit list; a removed unit leaves a null entry. No unit is added.
  std::vector<Unit*> list = units_of(graph);
  for (std::size_t s = 0; s < list.size(); ++s) {
    Unit* unit = list[s];
    if (unit == nullptr) continue;
    const auto record = factory.create_pair(unit, &context);
    if (!pair.equal(*record)) continue;

    list[s] = nullptr;
    const auto replaced = graph.take_unit(unit);
    context.record_destroyed(class_index, &graph, unit);

    // The pair's end 1 is kept: node 1 of an induced-subgraph unit, the node
    // its link leaves for a subgraph unit.
    Node* kept = unit->get_node1();
    Node* absorbed = unit->get_node2();
    if (!induced) {
      unit->reset_links();
      const Link* link = unit->next_link();
      kept = link->get_from();
      absorbed = link->get_to();
    }
    if (pair.is_self() == 1) absorbed = nullptr;

    std::vector<Unit*> touched;
    for (Unit* w : list) {
      if (w == nullptr) continue;
      bool marked = false;
      if (w->get_node1() == kept || w->get_node2() == kept) {
        marked = true;
        context.record_destroyed(class_index, &graph, w);
        touched.push_back(w);
      }
      if (absorbed != nullptr && (w->get_node1() == absorbed || w->get_node2() == absorbed)) {
        if (!marked) {
          context.record_destroyed(class_index, &graph, w);
          touched.push_back(w);
        }
        if (w->get_node1() == absorbed) w->set_node1(kept);
        if (w->get_node2() == absorbed) w->set_node2(kept);
        const std::int32_t shift = inner_size(kept);
        w->reset_links();
        if (induced) {
          while (Link* link = w->next_link()) move_end(*link, absorbed, kept, shift);
        } else if (Link* link = w->next_link()) {
          move_end(*link, absorbed, kept, shift);
        }
      }
    }

    kept->set_label(label);
    if (absorbed != nullptr) {
      absorbed->set_label(context.placeholder_label());
      graph.decrease_node_count();
    }

    if (induced) {
      for (Unit* w : touched) w->normalize();
      for (std::size_t o = 0; o < touched.size(); ++o) {
        for (std::size_t t = o + 1; t < touched.size(); ++t) {
          if (!same_ends(*touched[o], *touched[t])) continue;
          Unit* duplicate = touched[t];
          for (Link* link : links_of(*duplicate)) touched[o]->add_link(std::make_unique<Link>(*link));
          for (Unit*& entry : list) {
            if (entry == duplicate) entry = nullptr;
          }
          graph.take_unit(duplicate);
          touched.erase(touched.begin() + static_cast<std::ptrdiff_t>(t));
          break;
        }
      }
      for (Unit* w : touched) context.record_created(class_index, &graph, w);
    } else {
      for (Unit* w : touched) {
        w->normalize();
        context.record_created(class_index, &graph, w);
      }
    }
  }
  graph.compact_units();
}

struct Random_link {
  std::int32_t from, to;
  std::string label;
};

struct Random_graph {
  std::vector<std::string> node_labels;
  std::vector<Random_link> links;
};

Random_graph random_graph(std::mt19937& random) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  Random_graph g;
  const int nodes = pick(2, 9);
  for (int k = 0; k < nodes; ++k) g.node_labels.push_back(std::string(1, static_cast<char>('a' + pick(0, 2))));
  const int links = pick(1, 14);
  for (int k = 0; k < links; ++k) {
    // Mostly links between distinct nodes, some loops.
    const int from = pick(1, nodes);
    const int to = pick(0, 9) == 0 ? from : pick(1, nodes);
    g.links.push_back({from, to, std::string(1, static_cast<char>('p' + pick(0, 1)))});
  }
  return g;
}

// One side of the comparison: its own context, labels, chunks and graph.
struct Side {
  Graph_env env;
  std::vector<std::unique_ptr<Chunk>> chunks;
  std::unique_ptr<Data_graph> graph;

  void build(Kind kind, const Random_graph& g) {
    // Every label first, in one order, so both sides number them alike.
    for (const char* name : {"a", "b", "c"}) env.nl(name);
    for (const char* name : {"p", "q"}) env.ll(name);
    graph = make_graph(kind, 7, &env.context);
    for (std::size_t k = 0; k < g.node_labels.size(); ++k) {
      graph->add_node(static_cast<std::uint32_t>(k + 1), env.nl(g.node_labels[k]));
    }
    for (const Random_link& l : g.links) graph->add_link(l.from, l.to, env.ll(l.label));
    graph->normalize_units();
    graph->order_units();
  }

  Node_label* chunk_label_for(const Pair& record) {
    return make_chunk_label(env, chunks, record);
  }

  // Every countable pair the step reported, with its occurrences, then clears them.
  std::string reported() {
    std::ostringstream out;
    out << "destroyed:\n";
    env.context.reset_destroyed();
    while (Countable_pair* p = env.context.next_destroyed()) {
      p->print(out);
      out << '\n';
    }
    out << "created:\n";
    env.context.reset_created();
    while (Countable_pair* p = env.context.next_created()) {
      p->print(out);
      out << '\n';
    }
    env.context.clear_changes();
    return out.str();
  }

  // The graph with its node count, and every label with its count.
  std::string state() {
    std::ostringstream out;
    out << "node_count " << graph->get_node_count() << " units " << graph->unit_count() << '\n';
    graph->print(out);
    env.node_labels.print(out);
    env.link_labels.print(out);
    return out.str();
  }
};

class ChunkPairReference : public ::testing::TestWithParam<Kind> {};

TEST_P(ChunkPairReference, AgreesWithThePlainRewriteOnRandomGraphs) {
  const Kind kind = GetParam();
  Scoped_factory factory{kind};
  std::mt19937 random(20240611u + static_cast<unsigned>(kind));
  int rewrites_with_changes = 0;
  for (int round = 0; round < 400; ++round) {
    const Random_graph g = random_graph(random);
    Side fast;
    Side plain;
    fast.build(kind, g);
    plain.build(kind, g);
    ASSERT_EQ(fast.state(), plain.state());

    // Up to three chunking steps in a row, so that chunk nodes (of more than
    // one inner node) take part in the later ones.
    for (int step = 0; step < 3 && fast.graph->unit_count() > 0; ++step) {
      const auto units = units_of(*fast.graph);
      const std::size_t u = std::uniform_int_distribution<std::size_t>(0, units.size() - 1)(random);
      auto fast_record = factory.get().create_pair(units[u], &fast.env.context);
      auto plain_record = factory.get().create_pair(units_of(*plain.graph).at(u), &plain.env.context);
      Node_label* fast_label = fast.chunk_label_for(*fast_record);
      Node_label* plain_label = plain.chunk_label_for(*plain_record);

      fast.graph->chunk_pair(0, *fast_record, fast_label);
      reference_chunk_pair(*plain.graph, is_induced(kind), 0, *plain_record, plain_label, factory.get());

      const std::string fast_reported = fast.reported();
      ASSERT_EQ(fast_reported, plain.reported()) << "round " << round << " step " << step;
      ASSERT_EQ(fast.state(), plain.state()) << "round " << round << " step " << step;
      if (fast_reported != "destroyed:\ncreated:\n") ++rewrites_with_changes;
    }
  }
  // The record always comes from a unit of the graph, so every step rewrites something.
  EXPECT_GT(rewrites_with_changes, 400);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ChunkPairReference,
                         ::testing::Values(Kind::directed_ig, Kind::directed_sg, Kind::undirected_ig,
                                           Kind::undirected_sg),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(kind_name(info.param)); });

}  // namespace
}  // namespace murex::test
