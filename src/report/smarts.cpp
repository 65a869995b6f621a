#include "report/smarts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <map>
#include <set>
#include <string_view>

namespace murex::report {
namespace {

constexpr std::array<std::string_view, 118> element_symbols = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",  "S",  "Cl", "Ar",
    "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr",
    "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe",
    "Cs", "Ba", "La", "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf",
    "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr", "Rf", "Db", "Sg", "Bh", "Hs",
    "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og"};

std::optional<std::string> atom_text(const std::string& label) {
  if (label == "c" || label == "n" || label == "o" || label == "s" || label == "p") return "[" + label + "]";
  const int z = atomic_number(label);
  if (z == 0) return std::nullopt;
  return "[#" + std::to_string(z) + "]";
}

std::optional<char> bond_symbol(const std::string& label) {
  std::string word = label;
  std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
  if (word == "single" || word == "1" || word == "-") return '-';
  if (word == "double" || word == "2" || word == "=") return '=';
  if (word == "triple" || word == "3" || word == "#") return '#';
  if (word == "aromatic" || word == "ar" || word == ":") return ':';
  return std::nullopt;
}

std::string ring_digit(int digit) { return digit < 10 ? std::to_string(digit) : "%" + std::to_string(digit); }

class Smarts_writer {
 public:
  Smarts_writer(std::vector<std::string> atoms, std::vector<std::map<std::size_t, char>> bonds)
      : atoms_(std::move(atoms)), bonds_(std::move(bonds)), parent_(atoms_.size(), none), children_(atoms_.size()),
        rings_(atoms_.size()), ring_digit_of_(atoms_.size()) {}

  std::string write() {
    std::string text;
    for (std::size_t start = 0; start < atoms_.size(); ++start) {
      if (seen_.count(start) != 0) continue;
      discover(start);
      if (!text.empty()) text += '.';
      emit(start, text);
    }
    return text;
  }

 private:
  static constexpr std::size_t none = static_cast<std::size_t>(-1);

  // Depth first, neighbours in position order: tree edges and ring closures.
  void discover(std::size_t atom) {
    seen_.insert(atom);
    for (const auto& [next, bond] : bonds_[atom]) {
      if (next == parent_[atom]) continue;
      if (seen_.count(next) == 0) {
        parent_[next] = atom;
        children_[atom].push_back(next);
        discover(next);
      } else if (closed_.insert({std::min(atom, next), std::max(atom, next)}).second) {
        // Seen already and not the tree edge: a ring closure between an
        // ancestor and this descendant.
        rings_[atom].push_back(next);
        rings_[next].push_back(atom);
      }
    }
  }

  void emit(std::size_t atom, std::string& text) {
    text += atoms_[atom];
    std::vector<std::size_t> ring = rings_[atom];
    std::sort(ring.begin(), ring.end());
    std::vector<int> freed;
    // Close the rings opened earlier first, then open new ones.
    for (const std::size_t other : ring) {
      const auto open = ring_digit_of_[other].find(atom);
      if (open == ring_digit_of_[other].end()) continue;
      text += bonds_[atom].at(other) + ring_digit(open->second);
      freed.push_back(open->second);
      ring_digit_of_[other].erase(open);
    }
    for (const std::size_t other : ring) {
      if (written_.count(other) != 0) continue;
      int digit = 1;
      while (used_digits_.count(digit) != 0) ++digit;
      used_digits_.insert(digit);
      ring_digit_of_[atom][other] = digit;
      text += bonds_[atom].at(other) + ring_digit(digit);
    }
    for (const int digit : freed) used_digits_.erase(digit);
    written_.insert(atom);
    const auto& children = children_[atom];
    for (std::size_t k = 0; k < children.size(); ++k) {
      const bool branch = k + 1 < children.size();
      if (branch) text += '(';
      text += bonds_[atom].at(children[k]);
      emit(children[k], text);
      if (branch) text += ')';
    }
  }

  std::vector<std::string> atoms_;
  std::vector<std::map<std::size_t, char>> bonds_;  // neighbour -> bond symbol, per atom
  std::vector<std::size_t> parent_;
  std::vector<std::vector<std::size_t>> children_;
  std::vector<std::vector<std::size_t>> rings_;
  std::vector<std::map<std::size_t, int>> ring_digit_of_;  // opened at this atom, towards the neighbour
  std::set<std::size_t> seen_;
  std::set<std::size_t> written_;
  std::set<std::pair<std::size_t, std::size_t>> closed_;
  std::set<int> used_digits_;
};

}  // namespace

int atomic_number(const std::string& symbol) {
  for (std::size_t k = 0; k < element_symbols.size(); ++k) {
    if (element_symbols[k] == symbol) return static_cast<int>(k + 1);
  }
  return 0;
}

std::optional<std::string> chemistry_smarts(const std::vector<std::string>& node_labels,
                                            const std::vector<Named_link>& links) {
  if (node_labels.empty()) return std::nullopt;
  std::vector<std::string> atoms;
  for (const std::string& label : node_labels) {
    auto atom = atom_text(label);
    if (!atom) return std::nullopt;
    atoms.push_back(*atom);
  }
  std::vector<std::map<std::size_t, char>> bonds(atoms.size());
  for (const Named_link& link : links) {
    const auto bond = bond_symbol(link.label);
    if (!bond || link.from == link.to || link.from == 0 || link.to == 0 || link.from > atoms.size() ||
        link.to > atoms.size()) {
      return std::nullopt;
    }
    const std::size_t a = link.from - 1;
    const std::size_t b = link.to - 1;
    // A directed run may list a bond once each way; the same bond both ways is one bond.
    const auto [at, added] = bonds[a].emplace(b, *bond);
    if (!added && at->second != *bond) return std::nullopt;
    bonds[b].emplace(a, *bond);
  }
  return Smarts_writer(std::move(atoms), std::move(bonds)).write();
}

}  // namespace murex::report
