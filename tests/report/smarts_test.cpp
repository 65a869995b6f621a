#include "report/smarts.h"

#include <gtest/gtest.h>

namespace murex::report {
namespace {

struct Smarts_case {
  const char* name;
  std::vector<std::string> nodes;
  std::vector<Named_link> links;
  std::optional<std::string> smarts;
};

std::vector<Named_link> ring(std::size_t first, std::size_t size, const std::string& bond) {
  std::vector<Named_link> links;
  for (std::size_t k = 0; k < size; ++k) {
    links.push_back({first + k, first + (k + 1) % size, bond});
  }
  return links;
}

std::vector<Named_link> plus(std::vector<Named_link> a, const std::vector<Named_link>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(Smarts, WritesMoleculeLikePatterns) {
  const std::vector<std::string> six_c(6, "c");
  const std::vector<std::string> twelve_c(12, "c");
  const std::vector<Smarts_case> cases = {
      {"benzene ring of aromatic bonds", six_c, ring(1, 6, "aromatic"), "[c]:1:[c]:[c]:[c]:[c]:[c]:1"},
      {"nitro group on a carbon",
       {"C", "N", "O", "O"},
       {{1, 2, "single"}, {2, 3, "double"}, {2, 4, "single"}},
       "[#6]-[#7](=[#8])-[#8]"},
      {"nitro group from the nitrogen", {"N", "O", "O"}, {{1, 2, "double"}, {1, 3, "single"}}, "[#7](=[#8])-[#8]"},
      {"naphthalene: two rings open at once",
       std::vector<std::string>(10, "c"),
       {{1, 2, ":"}, {2, 3, ":"}, {3, 4, ":"}, {4, 5, ":"}, {5, 6, ":"}, {1, 6, ":"}, {5, 7, ":"}, {7, 8, ":"},
        {8, 9, ":"}, {9, 10, ":"}, {6, 10, ":"}},
       "[c]:1:[c]:[c]:[c]:[c]:2:[c]:1:[c]:[c]:[c]:[c]:2"},
      {"biphenyl reuses the closed ring digit", twelve_c,
       plus(plus(ring(1, 6, "ar"), {{6, 7, "1"}}), std::vector<Named_link>{{7, 8, "ar"}, {8, 9, "ar"}, {9, 10, "ar"},
                                                                            {10, 11, "ar"}, {11, 12, "ar"},
                                                                            {12, 7, "ar"}}),
       "[c]:1:[c]:[c]:[c]:[c]:[c]:1-[c]:1:[c]:[c]:[c]:[c]:[c]:1"},
      {"two-letter symbols and other bond notations",
       {"Cl", "C", "N"},
       {{1, 2, "-"}, {2, 3, "#"}},
       "[#17]-[#6]#[#7]"},
      {"bond words in any case", {"C", "O"}, {{1, 2, "Double"}}, "[#6]=[#8]"},
      {"numbers as bonds", {"n", "c", "C"}, {{1, 2, "ar"}, {2, 3, "2"}}, "[n]:[c]=[#6]"},
      {"disconnected parts", {"C", "O", "N"}, {{1, 3, "single"}}, "[#6]-[#7].[#8]"},
      {"one bond listed both ways (directed run)", {"C", "O"}, {{1, 2, "double"}, {2, 1, "double"}}, "[#6]=[#8]"},
      {"different bonds each way", {"C", "O"}, {{1, 2, "double"}, {2, 1, "single"}}, std::nullopt},
      {"a link from an atom to itself", {"C"}, {{1, 1, "single"}}, std::nullopt},
      {"a node label that is no element", {"C", "X"}, {{1, 2, "single"}}, std::nullopt},
      {"a lowercase label that is not aromatic", {"C", "cl"}, {{1, 2, "single"}}, std::nullopt},
      {"a link label that is no bond", {"C", "O"}, {{1, 2, "s"}}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(chemistry_smarts(c.nodes, c.links), c.smarts);
  }
}

TEST(Smarts, AtomicNumbers) {
  EXPECT_EQ(atomic_number("H"), 1);
  EXPECT_EQ(atomic_number("C"), 6);
  EXPECT_EQ(atomic_number("Cl"), 17);
  EXPECT_EQ(atomic_number("Og"), 118);
  EXPECT_EQ(atomic_number("CL"), 0);
  EXPECT_EQ(atomic_number("c"), 0);
  EXPECT_EQ(atomic_number(""), 0);
}

}  // namespace
}  // namespace murex::report
