// Good-pair evaluation functions: frequency, Gini gain, information gain and
// normalised probability over the graphs of each class that contain a
// pattern; acceptance against the threshold; the holder.

#include "eval/good_pair_evaluation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "eval/good_pair_list.h"
#include "graph/pair_binder.h"
#include "graph/search_context.h"
#include "run/factories.h"
#include "run/parameter.h"

namespace murex {
namespace {

// Test cases print as their names.
template <class Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class Good_pair_scores : public ::testing::Test {
 protected:
  void TearDown() override {
    binders_.clear();
    graphs_.clear();
    Good_pair_evaluation_holder::release();
    Parameter::release();
  }

  static void set_class_sizes(const std::vector<std::uint32_t>& sizes) {
    Parameter& parameter = Parameter::instance();
    parameter.set_class_count(static_cast<std::uint32_t>(sizes.size()));
    for (std::uint32_t i = 0; i < sizes.size(); ++i) parameter.set_graph_count(i, sizes[i]);
  }

  // A pair type (labels 1 and 2, code 0 1 0) seen in graphs 1 .. containing[i]
  // of every class i, three times in each.
  Pair_binder& pair_type(const std::vector<std::uint32_t>& containing) {
    binders_.push_back(std::make_unique<Pair_binder>(&context_));
    Pair_binder& binder = *binders_.back();
    binder.node_labels() = {&label1_, &label2_};
    binder.code() = {0, 1, 0};
    for (std::size_t i = 0; i < containing.size(); ++i) {
      for (std::uint32_t g = 1; g <= containing[i]; ++g) {
        graphs_.push_back(Directed_sg_factory().create_graph(static_cast<std::int32_t>(g), &context_));
        binder.add_occurrence(graphs_.back().get(), static_cast<std::int32_t>(i)).first->second = 3;
      }
    }
    return binder;
  }

  Search_context context_{nullptr};
  Node_label label1_{1, "a", &context_};
  Node_label label2_{2, "b", &context_};
  std::vector<std::unique_ptr<Data_graph>> graphs_;
  std::vector<std::unique_ptr<Pair_binder>> binders_;
};

struct Score_case {
  const char* name;
  std::vector<std::uint32_t> class_sizes;
  std::vector<std::uint32_t> containing;
  double frequency;
  double gini;
  double info_gain;
  double norm_prb;
};

const Score_case kScoreCases[] = {
    {"FourOfClass0OneOfClass1", {10, 10}, {4, 1}, 0.25, 0.06, 0.0913050304371581, 0.8},
    {"EveryGraphOfClass0Only", {10, 10}, {10, 0}, 0.5, 0.5, 1.0, 1.0},
    {"EveryGraphOfBothClasses", {10, 10}, {10, 10}, 1.0, 0.0, 0.0, 0.5},
    {"OneClass", {7}, {3}, 3.0 / 7.0, 0.0, 0.0, 1.0},
    {"ThreeClasses", {4, 4, 2}, {1, 2, 2}, 0.5, 0.08, 0.2754887502163468, 1.0 / 1.75},
    {"ClassesOfDifferentSizes", {10, 30}, {5, 5}, 0.25, 1.0 - 1000.0 / 1600.0 - 50.0 / 400.0 - 250.0 / 1200.0,
     0.07376130822286725, 0.75},
};

class Good_pair_score : public Good_pair_scores, public ::testing::WithParamInterface<Score_case> {};

TEST_P(Good_pair_score, EveryFunctionGivesItsValue) {
  const Score_case& c = GetParam();
  set_class_sizes(c.class_sizes);
  const Pair_binder& binder = pair_type(c.containing);
  const Good_pair entry(binder);

  const Good_pair_frequency frequency;
  const Good_pair_gini gini;
  const Info_gain info_gain;
  const Norm_prb norm_prb;
  const struct {
    const Good_pair_evaluation_function& function;
    double expected;
  } rows[] = {{frequency, c.frequency}, {gini, c.gini}, {info_gain, c.info_gain}, {norm_prb, c.norm_prb}};
  for (const auto& row : rows) {
    EXPECT_NEAR(row.function.value(c.containing), row.expected, 1e-12);
    // A good-pair entry and a pair type are scored by their graphs per class, not occurrences.
    EXPECT_NEAR(row.function.evaluate(entry), row.expected, 1e-12);
    EXPECT_NEAR(row.function.evaluate(binder), row.expected, 1e-12);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Good_pair_score, ::testing::ValuesIn(kScoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Good_pair_scores, ValuesPrintInDefaultStreamFormat) {
  set_class_sizes({10, 10});
  const struct {
    double value;
    const char* printed;
  } rows[] = {
      {Info_gain().value({4, 1}), "0.091305"},
      {Norm_prb().value({4, 1}), "0.8"},
      {Good_pair_gini().value({4, 1}), "0.06"},
      {Good_pair_frequency().value({4, 1}), "0.25"},
      {Info_gain().value({10, 0}), "1"},
  };
  for (const auto& row : rows) {
    std::ostringstream out;
    out << row.value;
    EXPECT_EQ(out.str(), row.printed);
  }
}

// The Gini gain keeps its sums and products in unsigned 32-bit arithmetic.
TEST_F(Good_pair_scores, GiniWrapsAsUnsigned32Bit) {
  set_class_sizes({70000, 30000});
  EXPECT_NEAR(Good_pair_gini().value({50000, 1}), -1.769724794439031, 1e-12);
}

TEST_F(Good_pair_scores, NormPrbOfNoGraphsIsNotANumberAndNeverAccepted) {
  set_class_sizes({10, 10});
  Norm_prb norm_prb;
  const double value = norm_prb.value({0, 0});
  EXPECT_TRUE(std::isnan(value));
  norm_prb.set_threshold(-std::numeric_limits<double>::infinity());
  EXPECT_FALSE(norm_prb.accept(value));
}

struct Threshold_case {
  const char* name;
  double threshold;
  double value;
  bool accepted;
};

const Threshold_case kThresholdCases[] = {
    {"Equal", 0.8, 0.8, true},
    {"Below", 0.8, std::nextafter(0.8, 0.0), false},
    {"Above", 0.0, 0.091305, true},
    {"ZeroAtZero", 0.0, 0.0, true},
    {"NegativeBelowZero", 0.0, -0.5, false},
    {"NotANumber", 0.0, std::numeric_limits<double>::quiet_NaN(), false},
};

class Good_pair_threshold : public ::testing::TestWithParam<Threshold_case> {};

TEST_P(Good_pair_threshold, ValueAtLeastThresholdIsAccepted) {
  const Threshold_case& c = GetParam();
  std::vector<std::unique_ptr<Good_pair_evaluation_function>> functions;
  functions.push_back(std::make_unique<Good_pair_frequency>());
  functions.push_back(std::make_unique<Good_pair_gini>());
  functions.push_back(std::make_unique<Info_gain>());
  functions.push_back(std::make_unique<Norm_prb>());
  for (const auto& f : functions) {
    EXPECT_EQ(f->get_threshold(), 0.0);
    f->set_threshold(c.threshold);
    EXPECT_EQ(f->accept(c.value), c.accepted);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Good_pair_threshold, ::testing::ValuesIn(kThresholdCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Good_pair_scores, HolderUsesTheLastInstalledFunction) {
  set_class_sizes({10, 10});
  const Good_pair entry(pair_type({4, 1}));
  Good_pair_evaluation_holder& holder = Good_pair_evaluation_holder::instance();
  EXPECT_EQ(holder.get(), nullptr);

  holder.set_function(std::make_unique<Norm_prb>());
  holder.set_threshold(0.8);
  EXPECT_DOUBLE_EQ(holder.evaluate(entry), 0.8);
  EXPECT_TRUE(holder.accept(holder.evaluate(entry)));

  holder.set_function(std::make_unique<Info_gain>());
  EXPECT_EQ(holder.get()->get_threshold(), 0.0);
  EXPECT_NEAR(holder.evaluate(entry), 0.0913050304371581, 1e-12);
  holder.set_threshold(0.1);
  EXPECT_FALSE(holder.accept(holder.evaluate(entry)));

  Good_pair_evaluation_holder::release();
  EXPECT_EQ(Good_pair_evaluation_holder::instance().get(), nullptr);
}

}  // namespace
}  // namespace murex
