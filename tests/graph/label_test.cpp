// Labels, label tables, nodes and links: numbering, counts and print-outs.

#include <gtest/gtest.h>

#include "graph_fixture.h"

namespace murex::test {
namespace {

TEST(LabelTable, FindOrCreateNumbersNamesInOrderOfFirstAppearance) {
  Graph_env env;
  // name looked up, expected number, expected size afterwards
  const struct {
    const char* name;
    std::int32_t number;
    std::int32_t size;
  } steps[] = {
      {"C", 1, 1}, {"O", 2, 2}, {"C", 1, 2}, {"c", 3, 3}, {"C ", 4, 4}, {"O", 2, 4}, {"", 5, 5}, {"", 5, 5},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(std::string("name '") + step.name + "'");
    Link_label* label = env.link_labels.find_or_create(step.name);
    EXPECT_EQ(label->get_number(), step.number);
    EXPECT_EQ(label->get_name(), step.name);
    EXPECT_EQ(env.link_labels.get_size(), step.size);
    EXPECT_EQ(env.link_labels.label_at(step.number), label);
  }
}

TEST(LabelTable, CreateAlwaysAddsAnEntryAndFindKeepsTheFirst) {
  Graph_env env;
  Node_label* first = env.node_labels.find_or_create("x");
  Node_label* again = env.node_labels.create("x");
  EXPECT_NE(again, first);
  EXPECT_EQ(again->get_number(), 2);
  EXPECT_EQ(env.node_labels.get_size(), 2);
  EXPECT_EQ(again->get_count(), 0);
  EXPECT_EQ(again->get_chunk(), nullptr);
  EXPECT_EQ(env.node_labels.find_or_create("x"), first);
  EXPECT_EQ(env.node_labels.create("00001")->get_number(), 3);
  EXPECT_EQ(env.node_labels.get_size(), 3);
}

TEST(LabelTable, PrintWritesEveryEntryThenABlankLine) {
  Graph_env env;
  EXPECT_EQ(print_of(env.node_labels), "\n");
  env.nl("x")->increase_count(12);
  env.nl("y")->increase_count(3);
  EXPECT_EQ(print_of(env.node_labels), " 1 x 12\n 2 y 3\n\n");
  EXPECT_EQ(print_of(*env.nl("x")), "1 x 12");
  env.nl("y")->decrease_count(5);
  EXPECT_EQ(print_of(*env.nl("y")), "2 y -2");
}

TEST(LabelTable, CloneCopiesNumbersNamesAndChunksWithZeroCounts) {
  Graph_env source;
  Node_label* x = source.nl("x");
  Node_label* y = source.nl("y");
  x->increase_count(4);
  Chunk chunk(&source.context);
  y->set_chunk(&chunk);

  Graph_env copy;
  Node_label_map map;
  copy.node_labels.clone_from(source.node_labels, map);
  ASSERT_EQ(copy.node_labels.get_size(), 2);
  for (std::int32_t k = 1; k <= 2; ++k) {
    const Node_label* original = source.node_labels.label_at(k);
    Node_label* image = map.image(original);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(image, original);
    EXPECT_EQ(image, copy.node_labels.label_at(k));
    EXPECT_EQ(image->get_number(), k);
    EXPECT_EQ(image->get_name(), original->get_name());
    EXPECT_EQ(image->get_count(), 0);
    EXPECT_EQ(image->get_chunk(), original->get_chunk());
    EXPECT_EQ(image->get_context(), &copy.context);
  }
  EXPECT_EQ(copy.node_labels.find_or_create("y"), map.image(y));
  EXPECT_EQ(copy.node_labels.get_size(), 2);
  EXPECT_EQ(map.image(nullptr), nullptr);
}

TEST(SearchContext, PlaceholderLabelIsNumberZeroWithEmptyName) {
  Graph_env env;
  const Node_label* placeholder = env.context.placeholder_label();
  ASSERT_NE(placeholder, nullptr);
  EXPECT_EQ(placeholder->get_number(), 0);
  EXPECT_EQ(placeholder->get_name(), "");
  EXPECT_EQ(placeholder->get_chunk(), nullptr);
  EXPECT_EQ(env.context.get_owner(), nullptr);
  EXPECT_EQ(env.context.get_total_node_number(), 0);
  EXPECT_EQ(env.context.get_total_unit_number(), 0);
  EXPECT_EQ(env.node_labels.get_size(), 0);
}

TEST(NodeLabelCount, SetLabelMovesOneCountFromTheOldLabelToTheNew) {
  Graph_env env;
  Node_label* a = env.nl("a");
  Node_label* b = env.nl("b");
  Node node(&env.context);
  EXPECT_EQ(node.get_label(), nullptr);
  node.set_label(a);
  EXPECT_EQ(a->get_count(), 1);
  node.set_label(b);
  EXPECT_EQ(a->get_count(), 0);
  EXPECT_EQ(b->get_count(), 1);
  node.set_label(b);
  EXPECT_EQ(b->get_count(), 1);
  {
    Node other(&env.context);
    other.set_label(b);
    EXPECT_EQ(b->get_count(), 2);
  }
  EXPECT_EQ(b->get_count(), 2) << "destroying a node leaves its label's count alone";
  node.set_number(7);
  EXPECT_EQ(print_of(node), "7 b");
}

TEST(NodeLabelCount, ChunkNodesNeverCount) {
  Graph_env env;
  Node_label* a = env.nl("a");
  Node_label* b = env.nl("b");
  Node_for_chunk node(3, a, &env.context);
  EXPECT_EQ(node.get_number(), 3);
  EXPECT_EQ(node.get_label(), a);
  node.set_label(b);
  EXPECT_EQ(node.get_label(), b);
  EXPECT_EQ(a->get_count(), 0);
  EXPECT_EQ(b->get_count(), 0);
}

TEST(LinkLabelCount, SetLabelCopyAndDestroyKeepTheCount) {
  Graph_env env;
  Link_label* x = env.ll("x");
  Link_label* y = env.ll("y");
  Node* n1 = env.node(1, env.nl("a"));
  Node* n2 = env.node(2, env.nl("b"));
  auto link = env.link(n1, n2, x, 2, 3);
  EXPECT_EQ(x->get_count(), 1);
  {
    Link copy(*link);
    EXPECT_EQ(x->get_count(), 2);
    EXPECT_EQ(copy.get_from(), n1);
    EXPECT_EQ(copy.get_to(), n2);
    EXPECT_EQ(copy.get_from_attachment(), 2);
    EXPECT_EQ(copy.get_to_attachment(), 3);
    EXPECT_EQ(copy.get_label(), x);
  }
  EXPECT_EQ(x->get_count(), 1);
  link->set_label(y);
  EXPECT_EQ(x->get_count(), 0);
  EXPECT_EQ(y->get_count(), 1);
  link->set_label(nullptr);
  EXPECT_EQ(y->get_count(), 0);
  link->set_label(y);
  link.reset();
  EXPECT_EQ(y->get_count(), 0);
  {
    Link unlabelled(&env.context);  // destroying a link without a label is harmless
    EXPECT_EQ(unlabelled.get_label(), nullptr);
    EXPECT_EQ(unlabelled.get_from_attachment(), 1);
    EXPECT_EQ(unlabelled.get_to_attachment(), 1);
  }
}

TEST(Link, PrintReverseAndCopyRemapped) {
  Graph_env env;
  Node* n3 = env.node(3, env.nl("a"));
  Node* n5 = env.node(5, env.nl("b"));
  Link_label* bond = env.ll("bond");
  auto link = env.link(n3, n5, bond);
  EXPECT_EQ(print_of(*link), "3(1)-bond->5(1)");
  link->set_to_attachment(2);
  EXPECT_EQ(print_of(*link), "3(1)-bond->5(2)");
  link->reverse();
  EXPECT_EQ(print_of(*link), "5(2)-bond->3(1)");
  EXPECT_EQ(link->get_from(), n5);
  EXPECT_EQ(link->get_to(), n3);
  EXPECT_EQ(bond->get_count(), 1);

  Graph_env other;
  Link_label_map map;
  other.link_labels.clone_from(env.link_labels, map);
  Node* m1 = other.node(11, other.nl("a"));
  Node* m2 = other.node(12, other.nl("b"));
  {
    Link copy(&other.context);
    copy.copy_remapped(*link, m1, m2, map);
    EXPECT_EQ(copy.get_label(), other.link_labels.label_at(1));
    EXPECT_EQ(print_of(copy), "11(2)-bond->12(1)");
    EXPECT_EQ(copy.get_label()->get_count(), 0) << "copy_remapped does not count";
    copy.get_label()->increase_count(1);  // what the destructor will take back
  }
  EXPECT_EQ(other.link_labels.label_at(1)->get_count(), 0);
  EXPECT_EQ(bond->get_count(), 1);
}

}  // namespace
}  // namespace murex::test
