// The canonical label value: key order, code comparison, printed form and
// value semantics.

#include "label/canonical_label.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "label_test_patterns.h"

namespace murex {
namespace {

using label_test::Label_tables;

class Canonical_label_test : public ::testing::Test {
 protected:
  Canonical_label make(const std::vector<int>& node_label_numbers, const Code& code) {
    Canonical_label label;
    for (const int number : node_label_numbers) label.node_labels().push_back(tables.node_label(number));
    label.code() = code;
    return label;
  }

  Label_tables tables;
};

struct Order_case {
  const char* name;
  std::vector<int> a_labels;
  Code a_code;
  std::vector<int> b_labels;
  Code b_code;
  int expected;  // -1: a before b, 0: same key, +1: b before a
};

TEST_F(Canonical_label_test, CanonicalLessFollowsNodeCountThenNodeLabelsThenCode) {
  const std::vector<Order_case> cases = {
      {"fewer nodes first despite larger labels and code", {6}, {8}, {1, 1}, {0, 0, 0, 0}, -1},
      {"fewer nodes first, undirected code lengths", {5, 5}, {7, 7, 7}, {1, 1, 1}, {0, 0, 0, 0, 0, 0}, -1},
      {"first differing node label number decides", {1, 2}, {0, 8, 8, 0}, {1, 3}, {0, 1, 0, 0}, -1},
      {"earlier node label outranks later one", {2, 1}, {0, 0, 0, 0}, {1, 6}, {0, 8, 8, 0}, +1},
      {"code decides when node labels are equal", {1, 1}, {0, 2, 0, 0}, {1, 1}, {0, 3, 0, 0}, -1},
      {"only the last code entry differs", {1, 2, 3}, {0, 1, 0, 2, 0, 0}, {1, 2, 3}, {0, 1, 0, 2, 0, 1}, -1},
      {"first code difference wins over later ones", {1, 1}, {0, 5, 0, 0}, {1, 1}, {0, 4, 9, 9}, +1},
      {"no link sorts before any link label", {1, 1}, {0, 0, 1, 0}, {1, 1}, {0, 1, 0, 0}, -1},
      {"code entries compare as unsigned numbers", {1}, {1}, {1}, {0x80000000u}, -1},
      {"equal keys", {1, 2}, {0, 3, 1, 0}, {1, 2}, {0, 3, 1, 0}, 0},
      {"single node with and without self link", {4}, {0}, {4}, {2}, -1},
  };
  for (const Order_case& c : cases) {
    SCOPED_TRACE(c.name);
    const Canonical_label a = make(c.a_labels, c.a_code);
    const Canonical_label b = make(c.b_labels, c.b_code);
    EXPECT_EQ(canonical_less(a, b), c.expected < 0);
    EXPECT_EQ(canonical_less(b, a), c.expected > 0);
    EXPECT_FALSE(canonical_less(a, a));
    EXPECT_EQ(Canonical_less{}(a, b), c.expected < 0);
    EXPECT_EQ(Canonical_less{}(&b, &a), c.expected > 0);
  }
}

TEST_F(Canonical_label_test, CanonicalLessComparesLabelNumbersNotLabelEntries) {
  // A cloned search state holds its own label entries with the same numbers;
  // labels made of either table must be the same key.
  Search_context other_context(nullptr);
  Node_label_table other_table(&other_context);
  other_table.create("renamed");
  Node_label* other_first = other_table.create("other");
  ASSERT_EQ(other_first->get_number(), 2);

  Canonical_label a = make({2, 2}, {0, 1, 0, 0});
  Canonical_label b;
  b.node_labels() = {other_first, other_first};
  b.code() = {0, 1, 0, 0};
  EXPECT_FALSE(canonical_less(a, b));
  EXPECT_FALSE(canonical_less(b, a));
}

struct Cmp_case {
  const char* name;
  Code a;
  Code b;
  std::int32_t expected;
};

TEST(Lab_cmp, ZeroOnEqualCodesElseDifferenceAtFirstDifferingIndex) {
  const std::vector<Cmp_case> cases = {
      {"empty codes", {}, {}, 0},
      {"equal codes", {0, 3, 0, 2, 1, 0}, {0, 3, 0, 2, 1, 0}, 0},
      {"difference at the first index", {5, 0, 0}, {2, 9, 9}, 3},
      {"difference in the middle", {0, 3, 0, 1, 7, 0}, {0, 3, 0, 4, 0, 0}, -3},
      {"difference at the last index", {1, 1, 1, 1}, {1, 1, 1, 6}, -5},
      {"no link is below any link label", {0, 0, 0}, {0, 1, 0}, -1},
      {"larger label gives positive result", {0, 7, 0}, {0, 0, 0}, 7},
  };
  for (const Cmp_case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(lab_cmp(c.a, c.b), c.expected);
    EXPECT_EQ(lab_cmp(c.b, c.a), -c.expected);
    EXPECT_EQ(lab_cmp(c.a, c.a), 0);
    EXPECT_EQ(lab_cmp(c.b, c.b), 0);
  }
}

TEST(Lab_cmpDeathTest, CodesOfDifferentLengthsEndTheRun) {
  const Code three = {0, 1, 0};
  const Code four = {0, 1, 0, 0};
  EXPECT_EXIT(lab_cmp(three, four), ::testing::ExitedWithCode(1),
              ::testing::Eq(std::string("lab_cmp obj1.size()!=obj2.size()\a\n")));
  EXPECT_EXIT(lab_cmp(Code{}, Code{0}), ::testing::ExitedWithCode(1),
              ::testing::Eq(std::string("lab_cmp obj1.size()!=obj2.size()\a\n")));
}

TEST_F(Canonical_label_test, PrintWritesNodeLabelNamesThenCodeEntriesEachFollowedByABlank) {
  Node_label_table named(&tables.context);
  Node_label* x = named.create("x");
  Node_label* y = named.create("y");
  struct Print_case {
    const char* name;
    std::vector<Node_label*> labels;
    Code code;
    std::string expected;
  };
  const std::vector<Print_case> cases = {
      {"empty label", {}, {}, "\n\n"},
      {"directed link from position 1 to 2", {x, y}, {0, 2, 0, 0}, "x y \n0 2 0 0 \n"},
      {"self link on one node", {y}, {12}, "y \n12 \n"},
      {"multi-digit entries in decimal", {x, x, y}, {0, 10, 0, 255, 4294967295u, 0},
       "x x y \n0 10 0 255 4294967295 0 \n"},
  };
  for (const Print_case& c : cases) {
    SCOPED_TRACE(c.name);
    Canonical_label label;
    label.node_labels() = c.labels;
    label.code() = c.code;
    std::ostringstream out;
    label.print(out);
    EXPECT_EQ(out.str(), c.expected);
  }
}

TEST_F(Canonical_label_test, ValueSemantics) {
  const Canonical_label empty;
  EXPECT_EQ(empty.node_count(), 0u);
  EXPECT_TRUE(empty.code().empty());

  auto source = std::make_unique<Canonical_label>(make({1, 3, 3}, {0, 2, 0, 0, 1, 0}));
  EXPECT_EQ(source->node_count(), 3u);
  const Canonical_label copy(*source);
  Canonical_label assigned = make({6}, {1});
  assigned = *source;
  source->code()[1] = 7;
  source->node_labels()[0] = tables.node_label(5);
  source.reset();
  for (const Canonical_label* label : {&copy, static_cast<const Canonical_label*>(&assigned)}) {
    EXPECT_EQ(label_test::label_numbers(*label), (std::vector<int>{1, 3, 3}));
    EXPECT_EQ(label->code(), (Code{0, 2, 0, 0, 1, 0}));
    EXPECT_EQ(label->node_labels()[1], tables.node_label(3));
  }
  // The label entries outlive every label that pointed to them, untouched.
  EXPECT_EQ(tables.node_label(3)->get_name(), "n3");
  EXPECT_EQ(tables.node_label(3)->get_count(), 0);
}

struct Index_case {
  std::size_t i;
  std::size_t j;
  std::size_t directed;
  std::size_t undirected;
};

TEST(Canonical_label_layout, ShellIndexesFollowTheShellOrder) {
  // Shell k lists the links from positions 1..k-1 to k, then from k to 1..k
  // (directed), or positions 1..k paired with k (undirected).
  const std::vector<Index_case> cases = {
      {1, 1, 0, 0}, {1, 2, 1, 1}, {2, 1, 2, 1}, {2, 2, 3, 2}, {1, 3, 4, 3}, {2, 3, 5, 4},
      {3, 1, 6, 3}, {3, 2, 7, 4}, {3, 3, 8, 5}, {1, 4, 9, 6}, {4, 4, 15, 9}, {4, 2, 13, 7},
  };
  for (const Index_case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.i << "->" << c.j);
    EXPECT_EQ(directed_shell_index(c.i, c.j), c.directed);
    EXPECT_EQ(undirected_shell_index(c.i, c.j), c.undirected);
  }
}

}  // namespace
}  // namespace murex
