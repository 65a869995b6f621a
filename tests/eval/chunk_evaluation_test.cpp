// Chunk evaluation functions: the count-based formulas, the unsigned 32-bit
// Gini arithmetic, acceptance against the threshold, the holder, the link
// weights of the "regarding_link" functions and the reading of efrl.ini.

#include "eval/chunk_evaluation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "eval/good_pair_list.h"
#include "graph/pair_binder.h"
#include "graph/search_context.h"
#include "input/search_state.h"
#include "label/canonical_label_strategy.h"
#include "run/factories.h"
#include "run/murex_factory.h"
#include "run/parameter.h"
#include "run/selector.h"
#include "support/run_murex.h"

namespace murex {
namespace {

using test::PrintTo;  // cases print as their names

using test::exactly;

// Occurrence counts of a pair type: entry [i][k] is its count in the k-th
// graph of class i that contains it.
using Occurrences = std::vector<std::vector<std::int32_t>>;

// Pair types with chosen occurrence counts over classes of chosen sizes.
class Counted_pair_types : public ::testing::Test {
 protected:
  void TearDown() override {
    binders_.clear();
    graphs_.clear();
    Chunk_evaluation_holder::release();
    Parameter::release();
  }

  static void set_class_sizes(const std::vector<std::uint32_t>& sizes) {
    Parameter& parameter = Parameter::instance();
    parameter.set_class_count(static_cast<std::uint32_t>(sizes.size()));
    for (std::uint32_t i = 0; i < sizes.size(); ++i) parameter.set_graph_count(i, sizes[i]);
  }

  Pair_binder& pair_type(const Occurrences& occurrences, Search_context* context = nullptr) {
    if (context == nullptr) context = &context_;
    binders_.push_back(std::make_unique<Pair_binder>(context));
    Pair_binder& binder = *binders_.back();
    for (std::size_t i = 0; i < occurrences.size(); ++i) {
      for (std::size_t k = 0; k < occurrences[i].size(); ++k) {
        graphs_.push_back(Directed_sg_factory().create_graph(static_cast<std::int32_t>(k + 1), context));
        auto [entry, inserted] = binder.add_occurrence(graphs_.back().get(), static_cast<std::int32_t>(i));
        EXPECT_TRUE(inserted);
        entry->second = occurrences[i][k];
      }
    }
    return binder;
  }

  Search_context context_{nullptr};
  std::vector<std::unique_ptr<Data_graph>> graphs_;
  std::vector<std::unique_ptr<Pair_binder>> binders_;
};

struct Formula_case {
  const char* name;
  std::vector<std::uint32_t> class_sizes;
  Occurrences occurrences;
  double frequency;
  double frequency_2;
  double frequency_3;
  double gini;
};

const Formula_case kFormulaCases[] = {
    // n = 5 graphs, o = 6 occurrences, N = 20 graphs.
    {"FourGraphsOfClass0AndOneOfClass1", {10, 10}, {{2, 1, 1, 1}, {1}}, 0.25, 0.3, (5.0 + 5.0 / 6.0) / 20.0,
     1.0 - 200.0 / 400.0 - 8.0 / 100.0 - 108.0 / 300.0},
    {"EveryGraphOfClass0Once", {10, 10}, {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {}}, 0.5, 0.5, (10.0 + 9.0 / 10.0) / 20.0,
     0.5},
    {"EveryGraphOfEveryClass", {2, 2}, {{1, 1}, {1, 3}}, 1.0, 1.5, (4.0 + 5.0 / 6.0) / 4.0, 0.0},
    {"OneClassOnly", {5}, {{1, 2}}, 0.4, 0.6, (2.0 + 2.0 / 3.0) / 5.0, 0.0},
    // A single occurrence: (o - 1) / o is 0; both sides of the split are pure.
    {"SingleOccurrence", {3, 1}, {{}, {1}}, 0.25, 0.25, 0.25, 1.0 - 10.0 / 16.0},
    {"ThreeClasses", {4, 4, 2}, {{1}, {1, 1}, {3, 1}}, 0.5, 0.7, (5.0 + 6.0 / 7.0) / 10.0,
     1.0 - 36.0 / 100.0 - 16.0 / 50.0 - 12.0 / 50.0},
};

class Chunk_formula : public Counted_pair_types, public ::testing::WithParamInterface<Formula_case> {};

TEST_P(Chunk_formula, EveryPlainFunctionGivesItsValue) {
  const Formula_case& c = GetParam();
  set_class_sizes(c.class_sizes);
  const Pair_binder& binder = pair_type(c.occurrences);
  EXPECT_DOUBLE_EQ(Frequency().evaluate(binder), c.frequency);
  EXPECT_DOUBLE_EQ(Frequency_2().evaluate(binder), c.frequency_2);
  EXPECT_DOUBLE_EQ(Frequency_3().evaluate(binder), c.frequency_3);
  EXPECT_NEAR(Gini().evaluate(binder), c.gini, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, Chunk_formula, ::testing::ValuesIn(kFormulaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Counted_pair_types, FrequencyThreeRanksMoreGraphsAboveMoreOccurrences) {
  set_class_sizes({10, 10});
  const Pair_binder& three_graphs = pair_type({{1, 1, 1}, {}});
  const Pair_binder& two_graphs_many = pair_type({{50, 50}, {}});
  const Pair_binder& two_graphs_few = pair_type({{1, 2}, {}});
  const Frequency_3 f;
  EXPECT_GT(f.evaluate(three_graphs), f.evaluate(two_graphs_many));
  EXPECT_GT(f.evaluate(two_graphs_many), f.evaluate(two_graphs_few));
}

// The Gini gain keeps every sum and product in unsigned 32-bit arithmetic:
// with 100000 graphs, N x N and several sums wrap around.
TEST(Gini_gain, SumsAndProductsWrapAsUnsigned32Bit) {
  const std::vector<std::uint32_t> sizes = {70000, 30000};
  const std::vector<std::uint32_t> containing = {50000, 1};
  const double value =
      gini_gain(2, [&](std::size_t i) { return sizes[i]; }, [&](std::size_t i) { return containing[i]; });
  // S1 = 1505032704, S2 = 100000, S3 = 1199960000, N x N = 1410065408,
  // N x n = 705132704, N x (N - n) = 704932704 after wrapping.
  const double expected = 1.0 - 1505032704.0 / 1410065408.0 - 100000.0 / 705132704.0 - 1199960000.0 / 704932704.0;
  EXPECT_DOUBLE_EQ(value, expected);
  EXPECT_NEAR(value, -1.769724794439031, 1e-12);
}

TEST(Gini_gain, EveryGraphContainingGivesZeroWithoutDividing) {
  const std::vector<std::uint32_t> sizes = {3, 4};
  EXPECT_EQ(gini_gain(2, [&](std::size_t i) { return sizes[i]; }, [&](std::size_t i) { return sizes[i]; }), 0.0);
}

struct Accept_case {
  const char* name;
  double threshold;
  double value;
  bool accepted;
};

const Accept_case kAcceptCases[] = {
    {"EqualToThreshold", 0.25, 0.25, true},
    {"JustBelow", 0.25, std::nextafter(0.25, 0.0), false},
    {"Above", 0.25, 0.9, true},
    {"NegativeZeroAtZero", 0.0, -0.0, true},
    {"NegativeValue", 0.0, -0.01, false},
    {"Infinity", 0.5, std::numeric_limits<double>::infinity(), true},
    {"NotANumber", 0.0, std::numeric_limits<double>::quiet_NaN(), false},
    {"NotANumberBelowLowestThreshold", -std::numeric_limits<double>::infinity(),
     std::numeric_limits<double>::quiet_NaN(), false},
};

class Chunk_accept : public ::testing::TestWithParam<Accept_case> {};

TEST_P(Chunk_accept, ValueAtLeastThresholdIsAccepted) {
  const Accept_case& c = GetParam();
  std::vector<std::unique_ptr<Chunk_evaluation_function>> functions;
  functions.push_back(std::make_unique<Frequency>());
  functions.push_back(std::make_unique<Frequency_2>());
  functions.push_back(std::make_unique<Frequency_3>());
  functions.push_back(std::make_unique<Frequency_regarding_link>(Link_weights{}));
  functions.push_back(std::make_unique<Frequency_regarding_link_2>(Link_weights{}));
  functions.push_back(std::make_unique<Frequency_regarding_link_3>(Link_weights{}));
  functions.push_back(std::make_unique<Gini>());
  for (const auto& f : functions) {
    f->set_threshold(c.threshold);
    EXPECT_EQ(f->accept(c.value), c.accepted);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Chunk_accept, ::testing::ValuesIn(kAcceptCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Chunk_evaluation_function, ThresholdStartsAtZero) {
  const Gini gini;
  EXPECT_EQ(gini.get_threshold(), 0.0);
  EXPECT_TRUE(gini.accept(0.0));
  EXPECT_FALSE(gini.accept(-1e-300));
}

TEST_F(Counted_pair_types, HolderEvaluatesWithInstalledFunctionAndItsThreshold) {
  set_class_sizes({10, 10});
  Pair_binder& binder = pair_type({{2, 1, 1, 1}, {1}});
  Chunk_evaluation_holder& holder = Chunk_evaluation_holder::instance();
  EXPECT_EQ(holder.get(), nullptr);

  holder.set_function(std::make_unique<Frequency>());
  holder.set_threshold(0.25);
  binder.evaluate();
  EXPECT_DOUBLE_EQ(binder.get_chunk_evaluation(), 0.25);
  EXPECT_TRUE(binder.is_candidate());

  // A later function replaces the earlier one and starts with threshold 0.
  holder.set_function(std::make_unique<Frequency_2>());
  EXPECT_EQ(holder.get()->get_threshold(), 0.0);
  holder.set_threshold(0.31);
  EXPECT_DOUBLE_EQ(holder.evaluate(binder), 0.3);
  binder.evaluate();
  EXPECT_DOUBLE_EQ(binder.get_chunk_evaluation(), 0.3);
  EXPECT_FALSE(binder.is_candidate());
  EXPECT_TRUE(holder.accept(0.31));

  Chunk_evaluation_holder::release();
  EXPECT_EQ(Chunk_evaluation_holder::instance().get(), nullptr);
}

// ---------------------------------------------------------------------------
// Link weights. The link labels of a pattern's code are looked up in the
// link-label table of its search state, so these tests read a tiny database.

class Link_weighted : public Counted_pair_types {
 protected:
  void SetUp() override {
    // Link labels are numbered by first appearance: x = 1, y = 2, z = 3.
    std::string class0 = "1 a 2(x) 3(y)\n2 b\n3 c 1(z)\n";
    std::string class1;
    for (int g = 1; g < 10; ++g) class0 += "\n1 a 2(x)\n2 b\n";
    for (int g = 0; g < 10; ++g) class1 += (g == 0 ? "" : "\n") + std::string("1 a 2(x)\n2 b\n");
    dir_.write("class0.txt", class0);
    dir_.write("class1.txt", class1);

    Parameter& parameter = Parameter::instance();
    parameter.set_class_count(2);
    parameter.set_beam_width(100);
    parameter.initialize();
    parameter.set_class_file_name(0, (dir_.path() / "class0.txt").string());
    parameter.set_class_file_name(1, (dir_.path() / "class1.txt").string());
    parameter.lock();
    install_factory_and_strategy();
    state_ = std::make_unique<Search_state>();
  }

  void TearDown() override {
    binders_.clear();
    graphs_.clear();
    state_.reset();
    Good_pair_list::release();
    Chunk_evaluation_holder::release();
    Factory_holder::release();
    Canonical_label_strategy_holder::release();
    Parameter::release();
  }

  Pair_binder& with_code(const Code& code, const Occurrences& occurrences = {{1}, {}}) {
    Pair_binder& binder = pair_type(occurrences, &state_->context());
    binder.code() = code;
    return binder;
  }

  test::Scratch_dir dir_;
  std::unique_ptr<Search_state> state_;
};

struct Weight_case {
  const char* name;
  Link_weights weights;
  Code code;
  double expected;
};

const Link_weights kXY = {{"x", 0.5}, {"y", 2.0}};

const Weight_case kWeightCases[] = {
    {"ThreeEntriesOfOneLabelCountThreeTimes", kXY, {1, 1, 1}, 2.5},
    {"ZeroEntriesAddNothing", kXY, {0, 0, 0, 0}, 1.0},
    {"UnknownLabelAddsNothing", kXY, {3, 0}, 1.0},
    {"MixedLabels", kXY, {1, 0, 2, 0, 3, 1}, 4.0},
    {"EmptyCode", kXY, {}, 1.0},
    {"EmptyTable", {}, {1, 2, 3}, 1.0},
    {"NegativeWeight", {{"z", -0.75}}, {3, 3}, -0.5},
    {"NamesCompareExactly", {{"X", 9.0}, {"x ", 9.0}}, {1}, 1.0},
};

class Link_weight_of_code : public Link_weighted, public ::testing::WithParamInterface<Weight_case> {};

TEST_P(Link_weight_of_code, CountsEveryNonZeroEntryWithAWeight) {
  const Weight_case& c = GetParam();
  const Pair_binder& binder = with_code(c.code);
  EXPECT_DOUBLE_EQ(Frequency_regarding_link(c.weights).link_weight(binder), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Link_weight_of_code, ::testing::ValuesIn(kWeightCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Link_weighted, CodeResolvesToLinkLabelsOfTheSearchState) {
  const Pair_binder& binder = with_code({0, 2, 1, 0, 3});
  const Resolved_code resolved = binder.link_labels_of_code();
  ASSERT_EQ(resolved.link_labels.size(), 5u);
  EXPECT_EQ(resolved.link_labels[0], nullptr);
  ASSERT_NE(resolved.link_labels[1], nullptr);
  EXPECT_EQ(resolved.link_labels[1]->get_name(), "y");
  ASSERT_NE(resolved.link_labels[2], nullptr);
  EXPECT_EQ(resolved.link_labels[2]->get_name(), "x");
  EXPECT_EQ(resolved.link_labels[3], nullptr);
  ASSERT_NE(resolved.link_labels[4], nullptr);
  EXPECT_EQ(resolved.link_labels[4]->get_name(), "z");
}

TEST_F(Link_weighted, FunctionsScaleTheirPlainTwinsByTheWeight) {
  // n = 5, o = 6, N = 20 (ten graphs per class read from the files), W = 2.5.
  const Pair_binder& binder = with_code({1, 1, 1}, {{2, 1, 1, 1}, {1}});
  EXPECT_DOUBLE_EQ(Frequency_regarding_link(kXY).evaluate(binder), 0.25 * 2.5);
  EXPECT_DOUBLE_EQ(Frequency_regarding_link_2(kXY).evaluate(binder), 0.3 * 2.5);
  EXPECT_DOUBLE_EQ(Frequency_regarding_link_3(kXY).evaluate(binder), (5.0 * 2.5 + 5.0 / 6.0) / 20.0);

  EXPECT_DOUBLE_EQ(Frequency_regarding_link(Link_weights{}).evaluate(binder), Frequency().evaluate(binder));
  EXPECT_DOUBLE_EQ(Frequency_regarding_link_2(Link_weights{}).evaluate(binder), Frequency_2().evaluate(binder));
  EXPECT_DOUBLE_EQ(Frequency_regarding_link_3(Link_weights{}).evaluate(binder), Frequency_3().evaluate(binder));
}

TEST_F(Link_weighted, CountedPairTypesAreWeightedByTheirLinkLabels) {
  state_->count_pairs();
  auto& holder = Chunk_evaluation_holder::instance();
  holder.set_function(std::make_unique<Frequency_regarding_link>(kXY));
  holder.set_threshold(0.0);
  Selector selector;
  state_->offer(selector);

  // a-x->b: 20 of 20 graphs, W 1.5; a-y->c and c-z->a: 1 of 20 graphs, W 3 and 1.
  std::vector<std::pair<std::string, double>> seen;
  for (const Selector_entry& entry : selector) {
    std::string labels;
    for (const Link_label* label : entry.binder->link_labels_of_code().link_labels) {
      if (label != nullptr) labels += label->get_name();
    }
    seen.emplace_back(labels, entry.binder->get_chunk_evaluation());
    EXPECT_EQ(entry.branch, state_.get());
  }
  const std::vector<std::pair<std::string, double>> expected = {{"x", 1.5}, {"y", 0.15}, {"z", 0.05}};
  ASSERT_EQ(seen.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(seen[k].first, expected[k].first);
    EXPECT_DOUBLE_EQ(seen[k].second, expected[k].second);
  }
}

// ---------------------------------------------------------------------------
// efrl.ini

struct Weight_file_case {
  const char* name;
  std::string content;
  Link_weights expected;
};

const Weight_file_case kWeightFileCases[] = {
    {"OneLine", "single,0.5\n", {{"single", 0.5}}},
    {"FinalLineWithoutNewlineIgnored", "a,1\nb,2", {{"a", 1.0}}},
    {"OnlyLineWithoutNewlineIgnored", "a,1", {}},
    {"ZeroBytes", "", {}},
    {"LaterLineReplacesEarlier", "a,1\nb,4\na,3\n", {{"a", 3.0}, {"b", 4.0}}},
    {"NumberPrefixUsed", "a, 2x\n", {{"a", 2.0}}},
    {"NoNumberGivesZero", "a,abc\n", {{"a", 0.0}}},
    {"EmptySecondFieldGivesZero", "a,\n", {{"a", 0.0}}},
    {"EmptyName", ",4\n", {{"", 4.0}}},
    {"BlanksBelongToTheName", " a b ,1.5\n", {{" a b ", 1.5}}},
    {"Exponent", "x,1e-1\n", {{"x", 0.1}}},
    {"NegativeWeight", "x,-2.5\n", {{"x", -2.5}}},
    {"LongLineReadWhole", std::string(3000, 'n') + ",7\n", {{std::string(3000, 'n'), 7.0}}},
    {"LineOfExactlyOnePiece", std::string(1021, 'p') + ",1\n", {{std::string(1021, 'p'), 1.0}}},
};

class Weight_file : public ::testing::TestWithParam<Weight_file_case> {};

TEST_P(Weight_file, ReadsOneWeightPerLine) {
  const Weight_file_case& c = GetParam();
  test::Scratch_dir dir;
  dir.write("efrl.ini", c.content);
  EXPECT_EQ(read_link_weights((dir.path() / "efrl.ini").string()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Weight_file, ::testing::ValuesIn(kWeightFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct Bad_weight_file_case {
  const char* name;
  std::string content;
};

const Bad_weight_file_case kBadWeightFileCases[] = {
    {"BlankFirstLine", "\nx,1\n"},
    {"BlankLineInTheMiddle", "x,1\n\ny,2\n"},
    {"BlankLastLine", "x,1\n\n"},
    {"TwoCommas", "x,1,2\n"},
    {"NoComma", "x 1\n"},
    {"OnlyBlanks", "   \n"},
    {"CarriageReturnOnly", "\r\n"},
};

class Weight_file_DeathTest : public ::testing::TestWithParam<Bad_weight_file_case> {};

TEST_P(Weight_file_DeathTest, MalformedLineEndsRunWithoutBell) {
  test::Scratch_dir dir;
  dir.write("efrl.ini", GetParam().content);
  const std::string path = (dir.path() / "efrl.ini").string();
  EXPECT_EXIT(read_link_weights(path), ::testing::ExitedWithCode(1), exactly("Error : efrl.ini\n"));
}

INSTANTIATE_TEST_SUITE_P(Cases, Weight_file_DeathTest, ::testing::ValuesIn(kBadWeightFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Weight_file_missing_DeathTest, MissingFileEndsRunWithTheSameMessage) {
  test::Scratch_dir dir;
  const std::string path = (dir.path() / "efrl.ini").string();
  EXPECT_EXIT(read_link_weights(path), ::testing::ExitedWithCode(1), exactly("Error : efrl.ini\n"));
}

}  // namespace
}  // namespace murex
