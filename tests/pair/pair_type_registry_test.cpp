// The pair-type registry: counting units into pair types keyed by canonical
// label (whatever the orientation of the pair), the good-pair reports, the
// created-then-destroyed phases of a chunking step, and cloning.

#include "pair/pair_type_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "eval/chunk_evaluation.h"
#include "eval/good_pair_list.h"
#include "graph/search_context.h"
#include "label/canonical_label_strategy.h"
#include "run/factories.h"
#include "run/murex_factory.h"
#include "run/parameter.h"
#include "run/selector.h"

namespace murex {
namespace {

// Every pair type gets the same value, so every one is offered.
class Constant_value final : public Chunk_evaluation_function {
 public:
  explicit Constant_value(double value) : value_(value) {}
  double evaluate(const Pair_binder&) const override { return value_; }

 private:
  double value_;
};

struct Link_desc {
  std::int32_t from;
  std::int32_t to;
  const char* label;
};

// Graph number -> occurrence count.
using Counts = std::map<std::int32_t, std::int32_t>;

Counts counts_of(const Pair_binder& binder, std::int32_t class_index) {
  Counts counts;
  for (const auto& [graph, count] : binder.occurrences_of(class_index)) counts[graph->get_graph_number()] = count;
  return counts;
}

// The names of a pair type's node labels, sorted.
std::vector<std::string> names_of(const Pair_binder& binder) {
  std::vector<std::string> names;
  for (const Node_label* label : binder.node_labels()) names.push_back(label->get_name());
  std::sort(names.begin(), names.end());
  return names;
}

// Undirected subgraph counting on hand-built graphs of two classes. Units are
// counted as the graph holds them, so a pair can be met in either orientation.
class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    Parameter& parameter = Parameter::instance();
    parameter.set_class_count(2);
    parameter.set_graph_count(0, 10);
    parameter.set_graph_count(1, 10);
    parameter.set_beam_width(1000);
    Canonical_label_strategy_holder::instance().set(std::make_unique<Canonical_label_strategy_for_undirected>());
    Factory_holder::instance().set(std::make_unique<Undirected_sg_factory>());
    Chunk_evaluation_holder::instance().set_function(std::make_unique<Constant_value>(1.0));
  }

  void TearDown() override {
    copy_registry_.reset();
    registry_.reset();
    copy_graphs_.clear();
    graphs_.clear();
    Good_pair_list::release();
    Chunk_evaluation_holder::release();
    Factory_holder::release();
    Canonical_label_strategy_holder::release();
    Parameter::release();
  }

  // A graph of nodes labelled `labels` (node k + 1 has labels[k]) and the links.
  Data_graph* graph(std::int32_t number, const std::vector<const char*>& labels, const std::vector<Link_desc>& links,
                    Search_context* context = nullptr, Node_label_table* nodes = nullptr,
                    Link_label_table* link_labels = nullptr) {
    if (context == nullptr) context = &context_;
    if (nodes == nullptr) nodes = &nodes_;
    if (link_labels == nullptr) link_labels = &links_;
    auto made = Factory_holder::instance().get()->create_graph(number, context);
    for (std::size_t k = 0; k < labels.size(); ++k) {
      made->add_node(static_cast<std::uint32_t>(k + 1), nodes->find_or_create(labels[k]));
    }
    for (const Link_desc& link : links) made->add_link(link.from, link.to, link_labels->find_or_create(link.label));
    made->normalize_units();
    graphs_.push_back(std::move(made));
    return graphs_.back().get();
  }

  static MyCl::Unit* unit_of(Data_graph* graph, std::size_t k) {
    graph->reset_units();
    MyCl::Unit* unit = graph->next_unit();
    for (std::size_t i = 0; i < k; ++i) unit = graph->next_unit();
    return unit;
  }

  // count_unit for every unit of the graph; the results in unit order.
  std::vector<bool> count(Data_graph* graph, std::int32_t class_index, Pair_type_registry* registry = nullptr) {
    if (registry == nullptr) registry = registry_.get();
    std::vector<MyCl::Unit*> units;
    graph->reset_units();
    while (MyCl::Unit* unit = graph->next_unit()) units.push_back(unit);
    std::vector<bool> created;
    for (MyCl::Unit* unit : units) created.push_back(registry->count_unit(unit, graph, class_index));
    return created;
  }

  // The pair types of a registry in key order (evaluating them).
  static std::vector<Pair_binder*> pair_types(Pair_type_registry& registry) {
    Selector selector;
    registry.offer(selector);
    std::vector<Pair_binder*> result;
    for (const Selector_entry& entry : selector) result.push_back(entry.binder);
    EXPECT_EQ(result.size(), registry.size());
    return result;
  }

  static std::vector<std::set<std::int32_t>> good_pair_graphs() {
    std::vector<std::set<std::int32_t>> all;
    for (const Good_pair& entry : Good_pair_list::instance().good_pairs()) {
      for (const auto& set : entry.graph_numbers()) all.push_back(set);
    }
    return all;
  }

  Search_context context_{nullptr};
  Node_label_table nodes_{&context_};
  Link_label_table links_{&context_};
  std::vector<std::unique_ptr<Data_graph>> graphs_;
  std::unique_ptr<Pair_type_registry> registry_ = std::make_unique<Pair_type_registry>(&context_);

  // A copy of the branch, as a cloned search state would hold it.
  Search_context copy_context_{nullptr};
  Node_label_table copy_nodes_{&copy_context_};
  Link_label_table copy_links_{&copy_context_};
  Node_label_map node_map_;
  Link_label_map link_map_;
  std::vector<std::unique_ptr<Data_graph>> copy_graphs_;
  std::unique_ptr<Pair_type_registry> copy_registry_;

  // Copies labels, the given graphs (with their class) and the registry.
  void clone_branch(const std::vector<std::pair<Data_graph*, std::int32_t>>& graphs, Pair_binder*& selected) {
    copy_nodes_.clone_from(nodes_, node_map_);
    copy_links_.clone_from(links_, link_map_);
    Graph_map graph_map;
    for (const auto& [source, class_index] : graphs) {
      copy_graphs_.push_back(
          Factory_holder::instance().get()->create_graph(source->get_graph_number(), &copy_context_));
      copy_graphs_.back()->clone_from(*source, node_map_, link_map_);
      graph_map.add(class_index, source, copy_graphs_.back().get());
    }
    copy_registry_ = std::make_unique<Pair_type_registry>(&copy_context_);
    copy_registry_->clone_from(*registry_, node_map_, link_map_, graph_map, selected);
  }
};

TEST_F(Registry, BothOrientationsOfAPairShareOnePairType) {
  EXPECT_EQ(count(graph(1, {"A", "B"}, {{1, 2, "p"}}), 0), std::vector<bool>{true});
  // (B, A): a different pair record, the same canonical label.
  EXPECT_EQ(count(graph(2, {"B", "A"}, {{1, 2, "p"}}), 0), std::vector<bool>{false});
  // Both orientations are known now.
  EXPECT_EQ(count(graph(3, {"A", "B"}, {{1, 2, "p"}}), 1), std::vector<bool>{false});
  EXPECT_EQ(count(graph(4, {"B", "A"}, {{1, 2, "p"}}), 1), std::vector<bool>{false});

  ASSERT_EQ(registry_->size(), 1u);
  const Pair_binder& type = *pair_types(*registry_).front();
  EXPECT_EQ(type.pair_records().size(), 2u);
  EXPECT_EQ(counts_of(type, 0), (Counts{{1, 1}, {2, 1}}));
  EXPECT_EQ(counts_of(type, 1), (Counts{{3, 1}, {4, 1}}));
  ASSERT_EQ(Good_pair_list::instance().good_pairs().size(), 1u);
  EXPECT_EQ(good_pair_graphs(), (std::vector<std::set<std::int32_t>>{{1, 2}, {3, 4}}));
}

TEST_F(Registry, TwoUnitsOfOnePatternInOneGraphCountTwice) {
  EXPECT_EQ(count(graph(7, {"A", "B", "B"}, {{1, 2, "p"}, {1, 3, "p"}}), 1), (std::vector<bool>{true, false}));
  ASSERT_EQ(registry_->size(), 1u);
  const Pair_binder& type = *pair_types(*registry_).front();
  EXPECT_EQ(counts_of(type, 0), Counts{});
  EXPECT_EQ(counts_of(type, 1), (Counts{{7, 2}}));
  EXPECT_EQ(type.pair_records().size(), 1u);
  EXPECT_EQ(good_pair_graphs(), (std::vector<std::set<std::int32_t>>{{}, {7}}));
}

TEST_F(Registry, DifferentPatternsGetPairTypesInKeyOrder) {
  EXPECT_EQ(count(graph(1, {"A", "B", "C"}, {{1, 2, "p"}, {2, 3, "p"}, {1, 2, "q"}, {3, 1, "p"}}), 0),
            (std::vector<bool>{true, true, true, true}));
  const std::vector<Pair_binder*> types = pair_types(*registry_);
  ASSERT_EQ(types.size(), 4u);
  // Node labels A = 1, B = 2, C = 3; link labels p = 1, q = 2.
  const std::vector<std::vector<std::string>> expected_names = {{"A", "B"}, {"A", "B"}, {"A", "C"}, {"B", "C"}};
  for (std::size_t k = 0; k < types.size(); ++k) {
    EXPECT_EQ(names_of(*types[k]), expected_names[k]) << "pair type " << k;
    EXPECT_EQ(counts_of(*types[k], 0), (Counts{{1, 1}})) << "pair type " << k;
  }
  EXPECT_NE(types[0]->code(), types[1]->code());
  EXPECT_EQ(Good_pair_list::instance().good_pairs().size(), 4u);
}

TEST_F(Registry, CreatedAndDestroyedInOneGraphKeepsThePairType) {
  Data_graph* g = graph(1, {"A", "B"}, {{1, 2, "p"}});
  count(g, 0);
  Chunk_evaluation_holder::instance().set_function(std::make_unique<Constant_value>(0.7));
  Pair_binder* type = pair_types(*registry_).front();

  // One chunking step loses the occurrence and gains another in the same graph.
  Data_graph* scratch = graph(99, {"B", "A"}, {{1, 2, "p"}});
  context_.record_created(0, g, unit_of(scratch, 0));
  context_.record_destroyed(0, g, unit_of(g, 0));
  registry_->apply_changes();

  ASSERT_EQ(registry_->size(), 1u);
  EXPECT_EQ(counts_of(*type, 0), (Counts{{1, 1}}));
  EXPECT_DOUBLE_EQ(type->get_chunk_evaluation(), 0.7);
  EXPECT_EQ(type->pair_records().size(), 2u);  // the (B, A) record reached it through the label
  EXPECT_EQ(context_.created_size(), 0u);
  EXPECT_EQ(context_.destroyed_size(), 0u);
  EXPECT_EQ(pair_types(*registry_).front(), type);
}

TEST_F(Registry, CreatedPairsAreCountedPerOccurrenceAndRecorded) {
  Data_graph* g1 = graph(1, {"A", "B", "C", "C"}, {{1, 2, "p"}});
  Data_graph* g2 = graph(2, {"C", "B"}, {{1, 2, "p"}});
  count(g1, 0);
  Data_graph* scratch = graph(99, {"B", "C", "C"}, {{1, 2, "q"}, {3, 1, "q"}});
  // A new pattern (B, C, q) in graph 1 twice and in graph 2 of class 1 once.
  context_.record_created(0, g1, unit_of(scratch, 0));
  context_.record_created(1, g2, unit_of(scratch, 0));
  context_.record_created(0, g1, unit_of(scratch, 1));
  // A known pattern (A, B, p) gains graph 2 of class 1.
  Data_graph* known = graph(98, {"A", "B"}, {{1, 2, "p"}});
  context_.record_created(1, g2, unit_of(known, 0));
  registry_->apply_changes();

  const std::vector<Pair_binder*> types = pair_types(*registry_);
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(names_of(*types[0]), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(counts_of(*types[0], 0), (Counts{{1, 1}}));
  EXPECT_EQ(counts_of(*types[0], 1), (Counts{{2, 1}}));
  EXPECT_EQ(names_of(*types[1]), (std::vector<std::string>{"B", "C"}));
  EXPECT_EQ(counts_of(*types[1], 0), (Counts{{1, 2}}));
  EXPECT_EQ(counts_of(*types[1], 1), (Counts{{2, 1}}));
  EXPECT_EQ(good_pair_graphs(), (std::vector<std::set<std::int32_t>>{{1}, {2}, {1}, {2}}));
}

TEST_F(Registry, DestroyingTheLastOccurrenceDeletesThePairTypeButNotItsGoodPair) {
  Data_graph* g1 = graph(1, {"A", "B", "B"}, {{1, 2, "p"}, {3, 1, "p"}});
  Data_graph* g2 = graph(2, {"A", "B"}, {{1, 2, "p"}});
  Data_graph* g3 = graph(3, {"A", "C"}, {{1, 2, "p"}});
  count(g1, 0);
  count(g2, 1);
  count(g3, 1);
  ASSERT_EQ(registry_->size(), 2u);

  // Step 1: one of two occurrences in graph 1 and the only one in graph 2 go.
  context_.record_destroyed(0, g1, unit_of(g1, 0));
  context_.record_destroyed(1, g2, unit_of(g2, 0));
  registry_->apply_changes();
  ASSERT_EQ(registry_->size(), 2u);
  const Pair_binder& survivor = *pair_types(*registry_).front();
  EXPECT_EQ(counts_of(survivor, 0), (Counts{{1, 1}}));
  EXPECT_EQ(counts_of(survivor, 1), Counts{});

  // Step 2: the last occurrence goes.
  context_.record_destroyed(0, g1, unit_of(g1, 1));
  registry_->apply_changes();
  const std::vector<Pair_binder*> left = pair_types(*registry_);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(names_of(*left[0]), (std::vector<std::string>{"A", "C"}));

  // The good-pair list still reports every graph the pattern was seen in.
  ASSERT_EQ(Good_pair_list::instance().good_pairs().size(), 2u);
  EXPECT_EQ(Good_pair_list::instance().good_pairs().begin()->graph_numbers(),
            (std::vector<std::set<std::int32_t>>{{1}, {2}}));

  // A later step that creates the pattern again starts a new pair type.
  context_.record_created(1, g3, unit_of(g2, 0));
  registry_->apply_changes();
  const std::vector<Pair_binder*> again = pair_types(*registry_);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(counts_of(*again[0], 0), Counts{});
  EXPECT_EQ(counts_of(*again[0], 1), (Counts{{3, 1}}));
  EXPECT_EQ(again[0]->pair_records().size(), 1u);
  EXPECT_EQ(Good_pair_list::instance().good_pairs().begin()->graph_numbers(),
            (std::vector<std::set<std::int32_t>>{{1}, {2, 3}}));
}

TEST_F(Registry, DestroyedPairOfAnUnknownPatternChangesNothing) {
  Data_graph* g1 = graph(1, {"A", "B"}, {{1, 2, "p"}});
  count(g1, 0);
  Data_graph* other = graph(2, {"A", "C"}, {{1, 2, "q"}});
  context_.record_destroyed(0, other, unit_of(other, 0));
  registry_->apply_changes();
  ASSERT_EQ(registry_->size(), 1u);
  EXPECT_EQ(counts_of(*pair_types(*registry_).front(), 0), (Counts{{1, 1}}));
}

TEST_F(Registry, CloneCopiesPairTypesAndMovesTheSelectedOne) {
  Data_graph* g1 = graph(1, {"A", "B", "C"}, {{1, 2, "p"}, {1, 3, "q"}, {2, 1, "p"}});
  Data_graph* g2 = graph(2, {"B", "A"}, {{1, 2, "p"}});
  count(g1, 0);
  count(g2, 1);
  Chunk_evaluation_holder::instance().set_function(std::make_unique<Constant_value>(0.375));
  const std::vector<Pair_binder*> sources = pair_types(*registry_);
  ASSERT_EQ(sources.size(), 2u);
  const Pair_binder& source = *sources[0];  // A-B p, in both orientations
  ASSERT_EQ(source.pair_records().size(), 2u);

  Pair_binder* selected = sources[0];
  clone_branch({{g1, 0}, {g2, 1}}, selected);

  ASSERT_EQ(copy_registry_->size(), 2u);
  ASSERT_NE(selected, &source);
  EXPECT_EQ(selected->get_context(), &copy_context_);
  EXPECT_DOUBLE_EQ(selected->get_chunk_evaluation(), 0.375);
  EXPECT_EQ(selected->pair_records().size(), 2u);
  ASSERT_EQ(selected->node_labels().size(), source.node_labels().size());
  for (std::size_t k = 0; k < selected->node_labels().size(); ++k) {
    EXPECT_EQ(selected->node_labels()[k], node_map_.image(source.node_labels()[k]));
  }
  EXPECT_EQ(selected->code(), source.code());
  for (std::int32_t c = 0; c < 2; ++c) {
    EXPECT_EQ(counts_of(*selected, c), counts_of(source, c));
    for (const auto& [g, n] : selected->occurrences_of(c)) EXPECT_EQ(g->get_context(), &copy_context_);
  }
  EXPECT_EQ(counts_of(source, 0), (Counts{{1, 2}}));
  EXPECT_EQ(counts_of(source, 1), (Counts{{2, 1}}));

  // The copies hold their pair records: units of known shapes take the fast path.
  Data_graph* later = graph(3, {"B", "A"}, {{1, 2, "p"}}, &copy_context_, &copy_nodes_, &copy_links_);
  EXPECT_EQ(count(later, 1, copy_registry_.get()), std::vector<bool>{false});
  EXPECT_EQ(selected->pair_records().size(), 2u);
  EXPECT_EQ(counts_of(*selected, 1), (Counts{{2, 1}, {3, 1}}));
  EXPECT_EQ(copy_registry_->size(), 2u);
  // The source registry is untouched.
  EXPECT_EQ(counts_of(source, 1), (Counts{{2, 1}}));
}

TEST_F(Registry, CloneLeavesANullSelectionNull) {
  Data_graph* g1 = graph(1, {"A", "B"}, {{1, 2, "p"}});
  count(g1, 0);
  Pair_binder* selected = nullptr;
  clone_branch({{g1, 0}}, selected);
  EXPECT_EQ(selected, nullptr);
  EXPECT_EQ(copy_registry_->size(), 1u);
}

}  // namespace
}  // namespace murex
