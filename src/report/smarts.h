#pragma once
// SMARTS for chemistry-labelled patterns.
//
// A pattern is chemistry-labelled when every node label is an element symbol
// (capitalised, "C", "Cl", ...; or aromatic lowercase c, n, o, s, p) and every
// link label names a bond: single/1/-, double/2/=, triple/3/#, aromatic/ar/:
// (the words in any case). Capitalised symbols become atomic numbers ([#6]),
// because the data's label does not say whether the atom is aromatic; the
// lowercase forms stay aromatic atoms ([c]). Bonds are always written, ring
// closures carry the bond on both ends, and disconnected parts are joined by
// '.'. Atoms are written depth first from position 1, neighbours in position
// order, so the string is the same for the same pattern.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace murex::report {

struct Named_link {
  std::size_t from = 0;  // 1-based position
  std::size_t to = 0;
  std::string label;
};

// The SMARTS of the pattern, or std::nullopt when it is not chemistry-labelled
// or cannot be written as one (a link from a node to itself, or two different
// bonds between the same two atoms).
std::optional<std::string> chemistry_smarts(const std::vector<std::string>& node_labels,
                                            const std::vector<Named_link>& links);

// The atomic number of a capitalised element symbol, 0 when it is none.
int atomic_number(const std::string& symbol);

}  // namespace murex::report
