// The good-pair list: entries made from pair types, merging of graph sets
// across records (and branches), the key order, and the exact bytes of
// good_pair.out.

#include "eval/good_pair_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "eval/good_pair_evaluation.h"
#include "graph/pair_binder.h"
#include "graph/search_context.h"
#include "run/factories.h"
#include "run/parameter.h"

namespace murex {
namespace {

// A pattern and the graphs it was seen in: graphs[i] lists (graph number,
// occurrence count) for class i.
struct Pattern {
  std::vector<std::int32_t> labels;
  Code code;
  std::vector<std::vector<std::pair<std::int32_t, std::int32_t>>> graphs;
};

class Good_pairs : public ::testing::Test {
 protected:
  void SetUp() override {
    Parameter& parameter = Parameter::instance();
    parameter.set_class_count(2);
    parameter.set_graph_count(0, 10);
    parameter.set_graph_count(1, 10);
  }

  void TearDown() override {
    binders_.clear();
    graphs_.clear();
    labels_.clear();
    Good_pair_list::release();
    Good_pair_evaluation_holder::release();
    Parameter::release();
  }

  // Every call builds its own labels and graphs, as a separate branch would.
  Pair_binder& pair_type(const Pattern& pattern) {
    binders_.push_back(std::make_unique<Pair_binder>(&context_));
    Pair_binder& binder = *binders_.back();
    for (const std::int32_t number : pattern.labels) {
      labels_.push_back(std::make_unique<Node_label>(number, "n" + std::to_string(number), &context_));
      binder.node_labels().push_back(labels_.back().get());
    }
    binder.code() = pattern.code;
    for (std::size_t i = 0; i < pattern.graphs.size(); ++i) {
      for (const auto& [number, count] : pattern.graphs[i]) {
        graphs_.push_back(Directed_sg_factory().create_graph(number, &context_));
        binder.add_occurrence(graphs_.back().get(), static_cast<std::int32_t>(i)).first->second = count;
      }
    }
    return binder;
  }

  static void install(std::unique_ptr<Good_pair_evaluation_function> function, double threshold) {
    Good_pair_evaluation_holder::instance().set_function(std::move(function));
    Good_pair_evaluation_holder::instance().set_threshold(threshold);
  }

  static std::string written() {
    std::ostringstream out;
    Good_pair_list::instance().write(out);
    return out.str();
  }

  Search_context context_{nullptr};
  std::vector<std::unique_ptr<Node_label>> labels_;
  std::vector<std::unique_ptr<Data_graph>> graphs_;
  std::vector<std::unique_ptr<Pair_binder>> binders_;
};

using Graph_sets = std::vector<std::set<std::int32_t>>;

TEST_F(Good_pairs, EntryKeepsLabelNumbersCodeAndGraphNumbersButNotCounts) {
  const Good_pair entry(pair_type({{3, 5}, {0, 2, 0}, {{{7, 2}, {1, 1}, {4, 9}}, {}}}));
  EXPECT_EQ(entry.node_labels(), (std::vector<std::int32_t>{3, 5}));
  EXPECT_EQ(entry.code(), (Code{0, 2, 0}));
  EXPECT_EQ(entry.graph_numbers(), (Graph_sets{{1, 4, 7}, {}}));
}

TEST_F(Good_pairs, RecordsOfOnePatternMergeTheirGraphs) {
  const Pattern first = {{3, 5}, {0, 2, 0}, {{{3, 1}}, {}}};
  const Pattern later = {{3, 5}, {0, 2, 0}, {{{5, 1}}, {{2, 4}}}};
  const Pattern again = {{3, 5}, {0, 2, 0}, {{{3, 2}, {5, 1}}, {{2, 1}}}};
  Good_pair_list& list = Good_pair_list::instance();
  list.record(pair_type(first));
  list.record(pair_type(later));
  list.record(pair_type(again));
  ASSERT_EQ(list.good_pairs().size(), 1u);
  EXPECT_EQ(list.good_pairs().begin()->graph_numbers(), (Graph_sets{{3, 5}, {2}}));
}

TEST_F(Good_pairs, RecordingOneGainedGraphMergesLikeAWholeRecord) {
  Good_pair_list& list = Good_pair_list::instance();
  Pair_binder& one_graph = pair_type({{3, 5}, {0, 2, 0}, {{{3, 1}}, {}}});
  list.record(one_graph, 0, 3);
  Pair_binder& two_graphs = pair_type({{3, 5}, {0, 2, 0}, {{{3, 1}}, {{2, 1}}}});
  list.record(two_graphs, 1, 2);
  list.record(two_graphs, 1, 2);
  list.record(pair_type({{3, 5}, {0, 2, 0}, {{{5, 1}}, {}}}));
  ASSERT_EQ(list.good_pairs().size(), 1u);
  EXPECT_EQ(list.good_pairs().begin()->graph_numbers(), (Graph_sets{{3, 5}, {2}}));
}

TEST_F(Good_pairs, EntriesAreKeptInKeyOrder) {
  const Pattern e_placeholder = {{0, 4}, {0, 1, 0}, {{{1, 1}}, {}}};
  const Pattern e_high_code = {{1, 2}, {0x80000000u, 0, 0}, {{{1, 1}}, {}}};  // negative as a signed entry
  const Pattern e_code1 = {{1, 2}, {0, 1, 0}, {{{1, 1}}, {}}};
  const Pattern e_code2 = {{1, 2}, {0, 2, 0}, {{{1, 1}}, {}}};
  const Pattern e_label3 = {{1, 3}, {0, 0, 0}, {{{1, 1}}, {}}};
  const Pattern e_big_labels = {{9, 9}, {0, 5, 0}, {{{1, 1}}, {}}};
  const Pattern e_three_nodes = {{1, 1, 1}, {1, 0, 0, 1, 0, 0}, {{{1, 1}}, {}}};
  for (const Pattern* p : {&e_three_nodes, &e_big_labels, &e_code2, &e_label3, &e_code1, &e_placeholder, &e_high_code}) {
    Good_pair_list::instance().record(pair_type(*p));
  }
  std::vector<const Pattern*> expected = {&e_placeholder, &e_high_code, &e_code1,      &e_code2,
                                          &e_label3,      &e_big_labels, &e_three_nodes};
  const auto& entries = Good_pair_list::instance().good_pairs();
  ASSERT_EQ(entries.size(), expected.size());
  std::size_t k = 0;
  for (const Good_pair& entry : entries) {
    EXPECT_EQ(entry.node_labels(), expected[k]->labels) << "entry " << k;
    EXPECT_EQ(entry.code(), expected[k]->code) << "entry " << k;
    ++k;
  }
}

TEST_F(Good_pairs, WriteGivesAcceptedEntriesInKeyOrder) {
  // norm_prb: 0.4 / 0.5 = 0.8 (equal to the threshold), 0.5 and 1.
  install(std::make_unique<Norm_prb>(), 0.8);
  Good_pair_list& list = Good_pair_list::instance();
  list.record(pair_type({{2, 2, 3}, {1, 0, 0, 2, 0, 0}, {{}, {{4, 1}}}}));
  list.record(pair_type({{3, 6}, {0, 1, 0}, {{{1, 1}}, {{1, 1}}}}));
  list.record(pair_type({{3, 5}, {0, 2, 0}, {{{7, 1}, {1, 3}, {4, 1}, {9, 1}}, {{2, 1}}}}));
  EXPECT_EQ(written(),
            "Good_pairs \n"
            "3 5 \n"
            "0 2 0 \n"
            "    1 4 7 9 \n"
            "    2 \n"
            "evaluation= 0.8\n"
            "\n"
            "2 2 3 \n"
            "1 0 0 2 0 0 \n"
            "    \n"
            "    4 \n"
            "evaluation= 1\n"
            "\n");
}

TEST_F(Good_pairs, WritePrintsValuesWithSixSignificantDigits) {
  install(std::make_unique<Info_gain>(), 0.0);
  Good_pair_list::instance().record(pair_type({{1, 2}, {0, 1, 0}, {{{1, 1}, {2, 1}, {3, 1}, {4, 1}}, {{10, 1}}}}));
  EXPECT_EQ(written(), "Good_pairs \n1 2 \n0 1 0 \n    1 2 3 4 \n    10 \nevaluation= 0.091305\n\n");
}

TEST_F(Good_pairs, WriteGivesOnlyTheHeadingWhenNothingIsAccepted) {
  install(std::make_unique<Good_pair_frequency>(), 0.5);
  EXPECT_EQ(written(), "Good_pairs \n");
  Good_pair_list::instance().record(pair_type({{1, 2}, {0, 1, 0}, {{{1, 1}}, {{1, 1}}}}));
  Good_pair_list::instance().record(pair_type({{1, 3}, {0, 1, 0}, {{{1, 1}, {2, 1}}, {{3, 1}}}}));
  EXPECT_EQ(written(), "Good_pairs \n");
}

TEST_F(Good_pairs, ReleaseStartsAnEmptyList) {
  Good_pair_list::instance().record(pair_type({{1, 2}, {0, 1, 0}, {{{1, 1}}, {}}}));
  ASSERT_EQ(Good_pair_list::instance().good_pairs().size(), 1u);
  Good_pair_list::release();
  EXPECT_TRUE(Good_pair_list::instance().good_pairs().empty());
}

}  // namespace
}  // namespace murex
