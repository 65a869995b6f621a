#include "report/link_code.h"

#include <gtest/gtest.h>

#include "label/canonical_label.h"

namespace murex::report {
namespace {

struct Decode_case {
  const char* name;
  std::size_t nodes;
  Code_layout layout;
  std::vector<std::int64_t> code;
  std::vector<Coded_link> links;
};

TEST(Link_code, DecodesEveryLayout) {
  const std::vector<Decode_case> cases = {
      {"undirected chain", 3, Code_layout::undirected, {0, 1, 0, 0, 2, 0}, {{1, 2, 1}, {2, 3, 2}}},
      {"undirected triangle", 3, Code_layout::undirected, {0, 3, 0, 2, 1, 0}, {{1, 2, 3}, {1, 3, 2}, {2, 3, 1}}},
      {"directed both ways", 3, Code_layout::directed_shell, {0, 2, 2, 0, 1, 0, 1, 0, 0},
       {{1, 2, 2}, {2, 1, 2}, {1, 3, 1}, {3, 1, 1}}},
      {"directed backwards only", 2, Code_layout::directed_shell, {0, 0, 4, 0}, {{2, 1, 4}}},
      {"self link", 1, Code_layout::directed_shell, {5}, {{1, 1, 5}}},
      {"undirected self link", 2, Code_layout::undirected, {0, 1, 3}, {{1, 2, 1}, {2, 2, 3}}},
      {"directed node order", 3, Code_layout::directed_node_order, {0, 0, 0, 1, 0, 0, 2, 0, 0},
       {{1, 2, 1}, {1, 3, 2}}},
      {"directed node order backwards", 2, Code_layout::directed_node_order, {0, 0, 7, 0}, {{1, 2, 7}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto links = decode_links(c.nodes, c.code, c.layout);
    ASSERT_TRUE(links.has_value());
    EXPECT_EQ(*links, c.links);
  }
}

TEST(Link_code, RejectsCodesOfTheWrongLength) {
  EXPECT_FALSE(decode_links(2, {0, 1, 0}, Code_layout::directed_shell).has_value());
  EXPECT_FALSE(decode_links(2, {0, 1, 0, 0}, Code_layout::undirected).has_value());
  EXPECT_FALSE(decode_links(3, {0, 1, 0, 0, 2}, Code_layout::undirected).has_value());
}

// The decoder must invert murex's own index formulas for every pair of positions.
TEST(Link_code, InvertsTheShellIndexOfEveryPair) {
  constexpr std::size_t n = 5;
  for (std::size_t i = 1; i <= n; ++i) {
    for (std::size_t j = 1; j <= n; ++j) {
      SCOPED_TRACE(std::to_string(i) + "->" + std::to_string(j));
      std::vector<std::int64_t> directed(n * n, 0);
      directed[directed_shell_index(i, j)] = 9;
      EXPECT_EQ(*decode_links(n, directed, Code_layout::directed_shell), (std::vector<Coded_link>{{i, j, 9}}));
      std::vector<std::int64_t> undirected(n * (n + 1) / 2, 0);
      undirected[undirected_shell_index(i, j)] = 9;
      EXPECT_EQ(*decode_links(n, undirected, Code_layout::undirected),
                (std::vector<Coded_link>{{std::min(i, j), std::max(i, j), 9}}));
    }
  }
}

}  // namespace
}  // namespace murex::report
