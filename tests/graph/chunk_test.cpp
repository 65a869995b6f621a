// Chunks: the pattern built from a pair (plain ends, chunk ends, self
// pairs), its print-out, its copy into another search context, and the
// operations a chunk refuses.

#include <gtest/gtest.h>

#include "graph/unit_for_chunk.h"
#include "graph_fixture.h"

namespace murex::test {
namespace {

struct Link_def {
  int direction;  // 1: from end 1 to end 2
  std::int32_t from_attachment;
  std::int32_t to_attachment;
  const char* label;
};

class ChunkTest : public ::testing::Test {
 protected:
  ChunkTest() {
    for (const char* name : {"a", "b", "x", "y"}) env.nl(name);
    for (const char* name : {"z", "p", "q", "w"}) env.ll(name);
    // 00001: x - y - x, links 1-p->2 and 2-q->3.
    three_label = env.node_labels.create("00001");
    three = std::make_unique<Chunk>(three_label, 0.5, &env.context);
    add_pattern(*three, {"x", "y", "x"}, {{1, 2, "p"}, {2, 3, "q"}});
    three_label->set_chunk(three.get());
    // 00002: y - x, link 2-w->1.
    two_label = env.node_labels.create("00002");
    two = std::make_unique<Chunk>(two_label, 2.0, &env.context);
    add_pattern(*two, {"y", "x"}, {{2, 1, "w"}});
    two_label->set_chunk(two.get());
  }

  struct Chunk_link {
    std::int32_t from, to;
    const char* label;
  };

  void add_pattern(Chunk& chunk, std::vector<const char*> nodes, std::vector<Chunk_link> links) {
    for (std::size_t k = 0; k < nodes.size(); ++k) chunk.add_node(static_cast<std::uint32_t>(k + 1), env.nl(nodes[k]));
    for (const Chunk_link& l : links) {
      auto unit = chunk.create_unit();
      unit->set_node1(chunk.node_at(l.from));
      unit->set_node2(chunk.node_at(l.to));
      static_cast<MyCl::Unit_for_chunk&>(*unit).set_label(env.ll(l.label));
      chunk.add_unit(std::move(unit));
    }
  }

  // A pair record with the given end labels and links (an induced-subgraph record).
  std::unique_ptr<Pair> pair(Node_label* end1, Node_label* end2, bool self, std::vector<Link_def> links) {
    Node* n1 = env.node(1, end1);
    Node* n2 = self ? n1 : env.node(2, end2);
    MyCl::Unit_for_ig unit(&env.context);
    unit.set_node1(n1);
    unit.set_node2(n2);
    for (const Link_def& l : links) {
      unit.add_link(l.direction == 1 ? env.link(n1, n2, env.ll(l.label), l.from_attachment, l.to_attachment)
                                     : env.link(n2, n1, env.ll(l.label), l.from_attachment, l.to_attachment));
    }
    return std::make_unique<Pair_for_ig>(unit, &env.context);
  }

  // The graph part of a chunk's print: node lines and link lines.
  static std::string body(const Chunk& chunk) {
    const std::string all = print_of(chunk);
    return all.substr(all.find('\n') + 1);
  }

  Graph_env env;
  Node_label* three_label = nullptr;
  std::unique_ptr<Chunk> three;
  Node_label* two_label = nullptr;
  std::unique_ptr<Chunk> two;
};

TEST_F(ChunkTest, BuildFromPairLaysOutEndsThenPairLinks) {
  const struct {
    const char* name;
    const char* end1;
    const char* end2;
    bool self;
    std::vector<Link_def> links;
    const char* expected;
  } cases[] = {
      {"plain ends, link from end 1", "a", "b", false, {{1, 1, 1, "z"}}, "1 1 a\n2 2 b\n1-z->2\n"},
      {"plain ends, link from end 2", "a", "b", false, {{0, 1, 1, "z"}}, "1 1 a\n2 2 b\n2-z->1\n"},
      {"plain ends, links both ways", "a", "b", false, {{0, 1, 1, "w"}, {1, 1, 1, "z"}},
       "1 1 a\n2 2 b\n1-z->2\n2-w->1\n"},
      {"chunk end 1, link from it", "00001", "b", false, {{1, 2, 1, "z"}},
       "1 1 x\n2 2 y\n3 3 x\n4 4 b\n1-p->2\n2-q->3\n2-z->4\n"},
      {"chunk end 1, link into it", "00001", "b", false, {{0, 1, 3, "z"}},
       "1 1 x\n2 2 y\n3 3 x\n4 4 b\n1-p->2\n2-q->3\n4-z->3\n"},
      {"chunk end 2", "a", "00002", false, {{1, 1, 2, "z"}, {0, 1, 1, "p"}},
       "1 1 a\n2 2 y\n3 3 x\n3-w->2\n1-z->3\n2-p->1\n"},
      {"chunk at both ends", "00002", "00001", false, {{1, 2, 3, "z"}},
       "1 1 y\n2 2 x\n3 3 x\n4 4 y\n5 5 x\n2-w->1\n3-p->4\n4-q->5\n2-z->5\n"},
      {"plain self pair", "a", "a", true, {{1, 1, 1, "z"}}, "1 1 a\n1-z->1\n"},
      {"chunk self pair: no offset", "00001", "00001", true, {{1, 1, 3, "z"}, {1, 3, 2, "w"}},
       "1 1 x\n2 2 y\n3 3 x\n1-p->2\n2-q->3\n1-z->3\n3-w->2\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto record = pair(env.nl(c.end1), env.nl(c.end2), c.self, c.links);
    std::vector<std::int32_t> counts_before;
    for (const char* name : {"a", "b", "x", "y"}) counts_before.push_back(env.nl(name)->get_count());
    Chunk chunk(&env.context);
    chunk.build_from_pair(*record);
    EXPECT_EQ(body(chunk), c.expected);
    std::vector<std::int32_t> counts_after;
    for (const char* name : {"a", "b", "x", "y"}) counts_after.push_back(env.nl(name)->get_count());
    EXPECT_EQ(counts_after, counts_before) << "chunk nodes are not counted";
    EXPECT_EQ(chunk.get_node_count(), record->size());
    for (std::int32_t k = 1; k <= chunk.get_node_count(); ++k) {
      EXPECT_NE(dynamic_cast<Node_for_chunk*>(chunk.node_at(k)), nullptr);
    }
    for (MyCl::Unit* u : units_of(chunk)) EXPECT_NE(dynamic_cast<MyCl::Unit_for_chunk*>(u), nullptr);
  }
  EXPECT_EQ(three->get_node_count(), 3) << "the inner chunk is only read";
}

TEST_F(ChunkTest, PrintWritesHeadingNodesAndLinks) {
  EXPECT_EQ(print_of(*three), "  Chunk 00001 Evaluation_= 0.5\n1 1 x\n2 2 y\n3 3 x\n1-p->2\n2-q->3\n");
  EXPECT_EQ(print_of(*two), "  Chunk 00002 Evaluation_= 2\n1 1 y\n2 2 x\n2-w->1\n");
  Chunk odd(env.node_labels.create("00003"), 0.125, &env.context);
  EXPECT_EQ(print_of(odd), "  Chunk 00003 Evaluation_= 0.125\n");
  Chunk temporary(&env.context);
  EXPECT_EQ(temporary.get_label(), nullptr);
  EXPECT_EQ(temporary.get_evaluation(), 0.0);

  Chunk_list list(&env.context);
  auto first = std::make_unique<Chunk>(env.nl("a"), 1.5, &env.context);
  first->add_node(1, env.nl("a"));
  list.add(std::move(first));
  list.add(std::make_unique<Chunk>(env.nl("b"), 0.0, &env.context));
  EXPECT_EQ(list.get_size(), 2u);
  EXPECT_EQ(print_of(list), "  Chunk a Evaluation_= 1.5\n1 1 a\n\n  Chunk b Evaluation_= 0\n\n");
}

TEST_F(ChunkTest, ListCloneMakesNewChunksAndPointsTheCopiedLabelsAtThem) {
  Chunk_list list(&env.context);
  list.add(std::move(three));
  list.add(std::move(two));

  Graph_env other;
  Node_label_map node_map;
  Link_label_map link_map;
  other.node_labels.clone_from(env.node_labels, node_map);
  other.link_labels.clone_from(env.link_labels, link_map);
  Node_label* copied_three = node_map.image(three_label);
  Node_label* copied_two = node_map.image(two_label);
  EXPECT_EQ(copied_three->get_chunk(), three_label->get_chunk()) << "the table copy keeps the old chunk until the list is cloned";

  Chunk_list copy(&other.context);
  copy.clone_from(list, node_map, link_map);
  ASSERT_EQ(copy.get_size(), 2u);
  EXPECT_EQ(print_of(copy), print_of(list));
  for (auto [original, image] : {std::pair{three_label, copied_three}, std::pair{two_label, copied_two}}) {
    SCOPED_TRACE(original->get_name());
    const Chunk* chunk = image->get_chunk();
    ASSERT_NE(chunk, nullptr);
    EXPECT_NE(chunk, original->get_chunk());
    EXPECT_EQ(chunk->get_label(), image);
    EXPECT_EQ(chunk->get_evaluation(), original->get_chunk()->get_evaluation());
    EXPECT_EQ(chunk->get_context(), &other.context);
    EXPECT_EQ(chunk->node_at(1)->get_label()->get_context(), &other.context);
    EXPECT_EQ(original->get_chunk()->get_label(), original) << "the source is untouched";
  }
  EXPECT_EQ(other.nl("x")->get_count(), 0);
}

using ChunkDeathTest = ChunkTest;

TEST_F(ChunkDeathTest, RefusesCountingRewritingAndOrdering) {
  const std::string internal_error = "^Error: chunk\\.cpp\\([0-9]+\\)\a\n$";
  const auto record = pair(env.nl("a"), env.nl("b"), false, {{1, 1, 1, "z"}});
  EXPECT_EXIT(three->count_pairs(0), ::testing::ExitedWithCode(1), internal_error);
  EXPECT_EXIT(three->chunk_pair(0, *record, env.nl("a")), ::testing::ExitedWithCode(1), internal_error);
  EXPECT_EXIT(three->order_units(), ::testing::ExitedWithCode(1), internal_error);
}

}  // namespace
}  // namespace murex::test
