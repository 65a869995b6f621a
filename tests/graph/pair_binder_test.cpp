// Pair types: pair records, occurrence counts per class and graph, the
// print-out and the copy into another search context.

#include <gtest/gtest.h>

#include <random>

#include "graph/pair_binder.h"
#include "graph_fixture.h"
#include "pair/countable_pair.h"

namespace murex::test {
namespace {

class PairBinderTest : public ::testing::Test {
 protected:
  PairBinderTest() {
    reset_parameters(2);
    // Allocated in descending graph number, so allocation order is not number order.
    for (std::int32_t number : {9, 7, 3, 1}) graphs.push_back(make_graph(Kind::directed_sg, number, &env.context));
  }
  ~PairBinderTest() override { Parameter::release(); }

  Data_graph* graph(std::int32_t number) {
    for (auto& g : graphs) {
      if (g->get_graph_number() == number) return g.get();
    }
    return nullptr;
  }

  // What the registry does when it counts one occurrence.
  static void count(Pair_binder& binder, Data_graph* g, std::int32_t class_index) {
    auto [at, inserted] = binder.add_occurrence(g, class_index);
    if (!inserted) ++at->second;
  }

  static std::vector<std::pair<std::int32_t, std::int32_t>> entries(const Pair_binder& binder, std::int32_t c) {
    std::vector<std::pair<std::int32_t, std::int32_t>> out;
    for (const auto& [g, n] : binder.occurrences_of(c)) out.emplace_back(g->get_graph_number(), n);
    return out;
  }

  // A subgraph pair record x -z-> y.
  std::unique_ptr<Pair> record() {
    Node* n1 = env.node(1, env.nl("x"));
    Node* n2 = env.node(2, env.nl("y"));
    MyCl::Unit_for_sg unit(&env.context);
    unit.set_node1(n1);
    unit.set_node2(n2);
    unit.add_link(env.link(n1, n2, env.ll("z")));
    return std::make_unique<Pair_for_sg>(unit, &env.context);
  }

  Graph_env env;
  std::vector<std::unique_ptr<Data_graph>> graphs;
};

TEST_F(PairBinderTest, AddOccurrenceInsertsOnceAndReportsTheEntryAfterwards) {
  Pair_binder binder(&env.context);
  EXPECT_EQ(binder.class_count(), 2u);
  auto [first, inserted] = binder.add_occurrence(graph(3), 0);
  EXPECT_TRUE(inserted);
  EXPECT_EQ(first->first, graph(3));
  EXPECT_EQ(first->second, 1);
  auto [second, again] = binder.add_occurrence(graph(3), 0);
  EXPECT_FALSE(again);
  EXPECT_EQ(second, first);
  EXPECT_EQ(second->second, 1) << "the caller raises the count";
  ++second->second;
  EXPECT_EQ(entries(binder, 0), (std::vector<std::pair<std::int32_t, std::int32_t>>{{3, 2}}));
  EXPECT_TRUE(binder.occurrences_of(1).empty());
  EXPECT_TRUE(binder.add_occurrence(graph(3), 1).second) << "classes are counted apart";
}

TEST_F(PairBinderTest, RemoveOccurrenceTellsWhenThePairTypeOccursNowhere) {
  Pair_binder binder(&env.context);
  count(binder, graph(3), 0);
  count(binder, graph(3), 0);
  count(binder, graph(7), 0);
  count(binder, graph(1), 1);
  const struct {
    std::int32_t number, class_index;
    bool nowhere;
    std::vector<std::pair<std::int32_t, std::int32_t>> class0, class1;
  } steps[] = {
      {3, 0, false, {{3, 1}, {7, 1}}, {{1, 1}}},
      {3, 0, false, {{7, 1}}, {{1, 1}}},
      {1, 1, false, {{7, 1}}, {}},
      {7, 0, true, {}, {}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(::testing::Message() << "remove graph " << step.number << " of class " << step.class_index);
    EXPECT_EQ(binder.remove_occurrence(graph(step.number), step.class_index), step.nowhere);
    EXPECT_EQ(entries(binder, 0), step.class0);
    EXPECT_EQ(entries(binder, 1), step.class1);
  }
  // Occurring again and vanishing again is reported again.
  count(binder, graph(9), 1);
  EXPECT_TRUE(binder.remove_occurrence(graph(9), 1));
}

TEST_F(PairBinderTest, RemovingABatchMatchesRemovingOneAtATime) {
  // Random counts and random batches (repeats, absent graphs, both classes):
  // the batch leaves the same entries and tells "nowhere" exactly when one
  // removal at a time would have told it somewhere in the batch.
  std::mt19937 random(3);
  const std::int32_t numbers[] = {1, 3, 7, 9};
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    Pair_binder batch(&env.context);
    Pair_binder single(&env.context);
    for (int k = 0; k < 6; ++k) {
      Data_graph* g = graph(numbers[random() % 4]);
      const auto c = static_cast<std::int32_t>(random() % 2);
      count(batch, g, c);
      count(single, g, c);
    }
    std::vector<Occurrence> removals;
    const int n = 1 + static_cast<int>(random() % 8);
    for (int k = 0; k < n; ++k) {
      removals.push_back({static_cast<std::int32_t>(random() % 2), graph(numbers[random() % 4])});
    }
    bool nowhere = false;
    for (const Occurrence& o : removals) {
      if (single.remove_occurrence(o.graph, o.class_index)) {
        nowhere = true;
        break;
      }
    }
    EXPECT_EQ(batch.remove_occurrences(removals), nowhere);
    EXPECT_EQ(entries(batch, 0), entries(single, 0));
    EXPECT_EQ(entries(batch, 1), entries(single, 1));
  }
}

TEST_F(PairBinderTest, OccurrencesIterateByAscendingGraphNumber) {
  Pair_binder binder(&env.context);
  for (std::int32_t number : {7, 1, 9, 3}) count(binder, graph(number), 0);
  count(binder, graph(9), 0);
  EXPECT_EQ(entries(binder, 0), (std::vector<std::pair<std::int32_t, std::int32_t>>{{1, 1}, {3, 1}, {7, 1}, {9, 2}}));
}

TEST_F(PairBinderTest, PairRecordsAreKeptInOrder) {
  Pair_binder binder(&env.context);
  binder.reset_pair_records();
  EXPECT_EQ(binder.next_pair_record(), nullptr);
  auto one = record();
  auto two = record();
  Pair* first = one.get();
  Pair* second = two.get();
  binder.add_pair_record(std::move(one));
  binder.add_pair_record(std::move(two));
  binder.reset_pair_records();
  EXPECT_EQ(binder.next_pair_record(), first);
  EXPECT_EQ(binder.next_pair_record(), second);
  EXPECT_EQ(binder.next_pair_record(), nullptr);
  binder.reset_pair_records();
  EXPECT_EQ(binder.next_pair_record(), first);
}

TEST_F(PairBinderTest, PrintWritesLabelCodeRecordsOccurrencesAndValues) {
  Pair_binder fresh(&env.context);
  EXPECT_EQ(print_of(fresh),
            "\n\n    \n    \nClass 0 = 0 graphs, Class 1 = 0 graphs\nEval (Chunk) = 0,  Eval (Good_pair) = 0\n");

  Pair_binder binder(&env.context);
  Canonical_label label;
  label.node_labels() = {env.nl("x"), env.nl("y")};
  label.code() = {1};
  binder.set_canonical_label(label);
  binder.add_pair_record(record());
  count(binder, graph(7), 0);
  count(binder, graph(3), 0);
  count(binder, graph(3), 0);
  EXPECT_EQ(print_of(binder),
            "x y \n"
            "1 \n"
            "x y Node.1(1)-z->Node.2(1) 0 \n"
            "    3(2) 7(1) \n"
            "    \n"
            "Class 0 = 2 graphs, Class 1 = 0 graphs\n"
            "Eval (Chunk) = 0,  Eval (Good_pair) = 0\n");
}

TEST_F(PairBinderTest, CloneMapsLabelsRecordsAndGraphs) {
  Scoped_factory factory(Kind::directed_sg);
  Pair_binder source(&env.context);
  Canonical_label label;
  label.node_labels() = {env.nl("y"), env.nl("x")};
  label.code() = {0, 1};
  source.set_canonical_label(label);
  source.add_pair_record(record());
  count(source, graph(7), 0);
  count(source, graph(7), 0);
  count(source, graph(1), 1);

  Graph_env other;
  Node_label_map node_map;
  Link_label_map link_map;
  other.node_labels.clone_from(env.node_labels, node_map);
  other.link_labels.clone_from(env.link_labels, link_map);
  Graph_map graph_map;
  std::vector<std::unique_ptr<Data_graph>> copies;
  for (std::int32_t c = 0; c < 2; ++c) {
    for (auto& g : graphs) {
      copies.push_back(make_graph(Kind::directed_sg, g->get_graph_number(), &other.context));
      graph_map.add(c, g.get(), copies.back().get());
    }
  }

  Pair_binder copy(&other.context);
  copy.clone_from(source, node_map, link_map, graph_map);
  EXPECT_EQ(copy.node_labels(), (std::vector<Node_label*>{other.nl("y"), other.nl("x")}));
  EXPECT_EQ(copy.code(), label.code());
  ASSERT_EQ(copy.pair_records().size(), 1u);
  EXPECT_NE(copy.pair_records()[0].get(), source.pair_records()[0].get());
  EXPECT_EQ(copy.pair_records()[0]->get_node1_label(), other.nl("x"));
  EXPECT_EQ(copy.pair_records()[0]->links()[0]->get_label(), other.ll("z"));
  EXPECT_EQ(print_of(copy), print_of(source));
  for (std::int32_t c = 0; c < 2; ++c) {
    EXPECT_EQ(entries(copy, c), entries(source, c));
    for (const auto& [g, n] : copy.occurrences_of(c)) EXPECT_EQ(g->get_context(), &other.context);
  }
  // The copy keeps track of its own classes: it occurs nowhere once both are gone.
  EXPECT_FALSE(copy.remove_occurrence(graph_map.image(0, graph(7)), 0));
  EXPECT_FALSE(copy.remove_occurrence(graph_map.image(0, graph(7)), 0));
  EXPECT_TRUE(copy.remove_occurrence(graph_map.image(1, graph(1)), 1));
  EXPECT_EQ(entries(source, 0), (std::vector<std::pair<std::int32_t, std::int32_t>>{{7, 2}}));
}

}  // namespace
}  // namespace murex::test
