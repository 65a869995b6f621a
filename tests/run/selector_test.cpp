// The selector: best-first order by chunk evaluation with the canonical-label
// tie-break, uniqueness regardless of the branch, and the beam-width bound
// that the pair-type registry's offer keeps.

#include "run/selector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "eval/chunk_evaluation.h"
#include "eval/good_pair_list.h"
#include "graph/pair_binder.h"
#include "graph/search_context.h"
#include "label/canonical_label_strategy.h"
#include "pair/pair_type_registry.h"
#include "run/factories.h"
#include "run/murex_factory.h"
#include "run/parameter.h"

namespace murex {
namespace {

// Test cases print as their names.
template <class Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

// The names of a pair type's node labels, sorted and joined.
std::string names_of(const Pair_binder& binder) {
  std::vector<std::string> names;
  for (const Node_label* label : binder.node_labels()) names.push_back(label->get_name());
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const auto& name : names) joined += name;
  return joined;
}

// Gives every pair type a value chosen by its node label names.
class Value_by_names final : public Chunk_evaluation_function {
 public:
  explicit Value_by_names(std::map<std::string, double> values) : values_(std::move(values)) {}
  double evaluate(const Pair_binder& binder) const override { return values_.at(names_of(binder)); }

 private:
  std::map<std::string, double> values_;
};

class Selector_test : public ::testing::Test {
 protected:
  void SetUp() override { Parameter::instance().set_class_count(1); }
  void TearDown() override {
    binders_.clear();
    Good_pair_list::release();
    Chunk_evaluation_holder::release();
    Parameter::release();
  }

  static void install(std::map<std::string, double> values, double threshold = 0.0) {
    Chunk_evaluation_holder::instance().set_function(std::make_unique<Value_by_names>(std::move(values)));
    Chunk_evaluation_holder::instance().set_threshold(threshold);
  }

  Node_label* label(std::int32_t number, const std::string& name) {
    labels_.push_back(std::make_unique<Node_label>(number, name, &context_));
    return labels_.back().get();
  }

  // A pair type of two labels (numbers and names) with the link code {0, code, 0}.
  Pair_binder* pair_type(std::int32_t first, std::int32_t second, std::uint32_t code = 1) {
    binders_.push_back(std::make_unique<Pair_binder>(&context_));
    Pair_binder* binder = binders_.back().get();
    binder->node_labels() = {label(first, std::string(1, static_cast<char>('a' + first - 1))),
                             label(second, std::string(1, static_cast<char>('a' + second - 1)))};
    binder->code() = {0, code, 0};
    return binder;
  }

  static std::vector<Pair_binder*> binders_in(const Selector& selector) {
    std::vector<Pair_binder*> result;
    for (const Selector_entry& entry : selector) result.push_back(entry.binder);
    return result;
  }

  Search_context context_{nullptr};
  std::vector<std::unique_ptr<Node_label>> labels_;
  std::vector<std::unique_ptr<Pair_binder>> binders_;
};

// Evaluates each pair type and inserts it, in the order given.
void evaluate_into(Selector& selector, std::initializer_list<Pair_binder*> pair_types) {
  for (Pair_binder* b : pair_types) {
    b->evaluate();
    selector.insert({b, nullptr});
  }
}

TEST_F(Selector_test, HigherValueComesFirstWhateverTheLabels) {
  install({{"ab", 0.2}, {"cd", 0.6}, {"bc", 0.4}});
  Pair_binder* ab = pair_type(1, 2);
  Pair_binder* cd = pair_type(3, 4);
  Pair_binder* bc = pair_type(2, 3);
  Selector selector;
  evaluate_into(selector, {ab, cd, bc});
  EXPECT_EQ(binders_in(selector), (std::vector<Pair_binder*>{cd, bc, ab}));
}

TEST_F(Selector_test, EqualValuesAreOrderedByCanonicalLabel) {
  install({{"ab", 0.5}, {"ac", 0.5}, {"bc", 0.5}});
  Pair_binder* bc = pair_type(2, 3);
  Pair_binder* ab_code2 = pair_type(1, 2, 2);
  Pair_binder* ac = pair_type(1, 3);
  Pair_binder* ab_code1 = pair_type(1, 2, 1);
  Selector selector;
  for (Pair_binder* b : {bc, ab_code2, ac, ab_code1}) {
    b->evaluate();
    selector.insert({b, nullptr});
  }
  EXPECT_EQ(binders_in(selector), (std::vector<Pair_binder*>{ab_code1, ab_code2, ac, bc}));
}

TEST_F(Selector_test, SamePairTypeWithSameValueCountsOnceAndTheFirstStays) {
  install({{"ab", 0.5}});
  // Two branches hold the same pattern with the same value.
  Pair_binder* first_branch = pair_type(1, 2);
  Pair_binder* second_branch = pair_type(1, 2);
  first_branch->evaluate();
  second_branch->evaluate();
  Selector selector;
  selector.insert({first_branch, nullptr});
  selector.insert({second_branch, nullptr});
  selector.insert({first_branch, nullptr});
  EXPECT_EQ(binders_in(selector), (std::vector<Pair_binder*>{first_branch}));
}

TEST_F(Selector_test, SamePatternWithDifferentValuesGivesTwoEntries) {
  Pair_binder* low = pair_type(1, 2);
  Pair_binder* high = pair_type(1, 2);
  install({{"ab", 0.25}});
  low->evaluate();
  install({{"ab", 0.75}});
  high->evaluate();
  Selector selector;
  selector.insert({low, nullptr});
  selector.insert({high, nullptr});
  EXPECT_EQ(binders_in(selector), (std::vector<Pair_binder*>{high, low}));
}

TEST_F(Selector_test, RemoveLastDropsTheWorstEntry) {
  install({{"ab", 0.5}, {"ac", 0.9}, {"bc", 0.7}});
  Pair_binder* ab = pair_type(1, 2);
  Pair_binder* ac = pair_type(1, 3);
  Pair_binder* bc = pair_type(2, 3);
  Selector selector;
  evaluate_into(selector, {ab, ac, bc});
  ASSERT_EQ(selector.size(), 3u);
  selector.remove_last();
  EXPECT_EQ(binders_in(selector), (std::vector<Pair_binder*>{ac, bc}));
  selector.remove_last();
  selector.remove_last();
  EXPECT_EQ(selector.size(), 0u);
}

// ---------------------------------------------------------------------------
// Filling the selector through a branch's pair-type registry.

// A branch without a search state: labels, graphs and a registry.
struct Branch {
  Branch() {
    // The registry offers its pair types in key order: ab, ac, bc.
    auto graph = Factory_holder::instance().get()->create_graph(1, &context);
    for (std::uint32_t k = 1; k <= 3; ++k) graph->add_node(k, nodes.find_or_create(std::string(1, static_cast<char>('a' + k - 1))));
    Link_label* x = links.find_or_create("x");
    graph->add_link(1, 2, x);
    graph->add_link(1, 3, x);
    graph->add_link(2, 3, x);
    graph->normalize_units();
    graph->reset_units();
    while (MyCl::Unit* unit = graph->next_unit()) registry.count_unit(unit, graph.get(), 0);
    graphs.push_back(std::move(graph));
  }

  Search_context context{nullptr};
  Node_label_table nodes{&context};
  Link_label_table links{&context};
  std::vector<std::unique_ptr<Data_graph>> graphs;
  Pair_type_registry registry{&context};
};

class Registry_offer : public Selector_test {
 protected:
  void SetUp() override {
    Selector_test::SetUp();
    Canonical_label_strategy_holder::instance().set(std::make_unique<Canonical_label_strategy_for_directed>());
    Factory_holder::instance().set(std::make_unique<Directed_sg_factory>());
  }
  void TearDown() override {
    branches_.clear();
    Factory_holder::release();
    Canonical_label_strategy_holder::release();
    Selector_test::TearDown();
  }

  Branch& branch() {
    branches_.push_back(std::make_unique<Branch>());
    return *branches_.back();
  }

  static std::vector<std::pair<std::string, double>> contents(const Selector& selector) {
    std::vector<std::pair<std::string, double>> result;
    for (const Selector_entry& entry : selector) {
      result.emplace_back(names_of(*entry.binder), entry.binder->get_chunk_evaluation());
    }
    return result;
  }

  std::vector<std::unique_ptr<Branch>> branches_;
};

using Contents = std::vector<std::pair<std::string, double>>;

struct Beam_case {
  const char* name;
  std::uint32_t beam_width;
  double threshold;
  Contents expected;
};

const Beam_case kBeamCases[] = {
    {"WidthZeroStaysEmpty", 0, 0.0, {}},
    {"WidthOneKeepsTheBest", 1, 0.0, {{"ac", 0.9}}},
    {"WidthTwoKeepsTheTwoBest", 2, 0.0, {{"ac", 0.9}, {"bc", 0.7}}},
    {"WideBeamKeepsAll", 10, 0.0, {{"ac", 0.9}, {"bc", 0.7}, {"ab", 0.5}}},
    {"RejectedValuesAreNotOffered", 10, 0.7, {{"ac", 0.9}, {"bc", 0.7}}},
    {"NothingAccepted", 10, 0.95, {}},
};

class Registry_beam : public Registry_offer, public ::testing::WithParamInterface<Beam_case> {};

TEST_P(Registry_beam, OfferKeepsTheBestAcceptedWithinTheBeam) {
  const Beam_case& c = GetParam();
  Parameter::instance().set_beam_width(c.beam_width);
  // Offered in registry order with the values 0.5, 0.9 and 0.7.
  install({{"ab", 0.5}, {"ac", 0.9}, {"bc", 0.7}}, c.threshold);
  Branch& b = branch();
  Selector selector;
  b.registry.offer(selector);
  EXPECT_EQ(contents(selector), c.expected);
  // Every pair type was evaluated and stays in the registry, offered or not.
  EXPECT_EQ(b.registry.size(), 3u);
  std::ostringstream out;
  b.registry.print(out);
  for (const char* value : {"Eval (Chunk) = 0.5,", "Eval (Chunk) = 0.9,", "Eval (Chunk) = 0.7,"}) {
    EXPECT_NE(out.str().find(value), std::string::npos) << value;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Registry_beam, ::testing::ValuesIn(kBeamCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Registry_offer, SamePairTypeFromTwoBranchesEntersOnceForTheFirst) {
  Parameter::instance().set_beam_width(2);
  install({{"ab", 0.5}, {"ac", 0.9}, {"bc", 0.7}});
  Branch& first = branch();
  Branch& second = branch();
  Selector selector;
  first.registry.offer(selector);
  second.registry.offer(selector);
  EXPECT_EQ(contents(selector), (Contents{{"ac", 0.9}, {"bc", 0.7}}));
  for (const Selector_entry& entry : selector) EXPECT_EQ(entry.binder->get_context(), &first.context);
}

TEST_F(Registry_offer, BetterPairTypeOfALaterBranchDisplacesTheWorst) {
  Parameter::instance().set_beam_width(2);
  install({{"ab", 0.5}, {"ac", 0.9}, {"bc", 0.7}});
  Branch& first = branch();
  Selector selector;
  first.registry.offer(selector);
  install({{"ab", 0.8}, {"ac", 0.1}, {"bc", 0.1}});
  Branch& second = branch();
  second.registry.offer(selector);
  EXPECT_EQ(contents(selector), (Contents{{"ac", 0.9}, {"ab", 0.8}}));
  auto it = selector.begin();
  EXPECT_EQ(it->binder->get_context(), &first.context);
  ++it;
  EXPECT_EQ(it->binder->get_context(), &second.context);
}

}  // namespace
}  // namespace murex
