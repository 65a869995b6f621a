// Molecules read through Open Babel.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "convert/molecule_reader.h"
#include "convert_fixtures.h"

namespace murex::convert::test {
namespace {

using murex::test::PrintTo;  // parameterized cases print as their names

std::string lines_of(const Converted_graph& graph) {
  std::string text;
  for (std::size_t k = 0; k < graph.nodes.size(); ++k) {
    text += graph.nodes[k];
    for (const auto& link : graph.links) {
      if (link.from == k) text += " " + std::to_string(link.to + 1) + "(" + link.label + ")";
    }
    text += "\n";
  }
  return text;
}

std::vector<Converted_graph> smiles(const std::string& text, bool keep_hydrogens = false) {
  std::istringstream in(text);
  Warnings warnings;
  return read_molecules(in, "m.smi", {"smi", keep_hydrogens, std::nullopt}, warnings.sink());
}

TEST(MoleculeReader, BondWordsAndElementSymbols) {
  const auto molecules = smiles("C=CC#N acrylonitrile\nc1ccccc1Cl\n");
  ASSERT_EQ(molecules.size(), 2u);
  EXPECT_EQ(lines_of(molecules[0]), "C 2(double)\nC 3(single)\nC 4(triple)\nN\n");
  EXPECT_EQ(molecules[0].source_id, "acrylonitrile");
  EXPECT_EQ(molecules[1].source_index, 2u);
  EXPECT_EQ(molecules[1].nodes.back(), "Cl");
  for (std::size_t k = 0; k + 1 < molecules[1].links.size(); ++k) EXPECT_EQ(molecules[1].links[k].label, "aromatic");
  EXPECT_EQ(molecules[1].links.back().label, "single");
}

TEST(MoleculeReader, KekuleInputIsPerceivedAromatic) {
  const auto molecules = smiles("C1=CC=CC=C1\n");
  ASSERT_EQ(molecules[0].links.size(), 6u);
  for (const auto& link : molecules[0].links) EXPECT_EQ(link.label, "aromatic");
}

TEST(MoleculeReader, HydrogensAreDroppedUnlessKept) {
  EXPECT_EQ(lines_of(smiles("[H]OC\n")[0]), "O 2(single)\nC\n");
  const auto kept = smiles("OC\n", true)[0];
  EXPECT_EQ(kept.nodes.size(), 6u);  // O, C and the four implicit hydrogens
  EXPECT_EQ(std::count(kept.nodes.begin(), kept.nodes.end(), "H"), 4);
  EXPECT_TRUE(smiles("[H][H]\n")[0].nodes.empty());
}

TEST(MoleculeReader, BlankLinesBetweenSmilesAreSkipped) {
  EXPECT_EQ(smiles("CC a\n\n\nCCO b\n\n").size(), 2u);
}

TEST(MoleculeReader, SdfFieldGivesTheClass) {
  std::ifstream in(fixture("tiny.sdf"));
  Warnings warnings;
  const auto molecules = read_molecules(in, "tiny.sdf", {"sdf", false, "kind"}, warnings.sink());
  ASSERT_EQ(molecules.size(), 3u);
  EXPECT_EQ(lines_of(molecules[0]), "C 2(single)\nC 3(single)\nO\n");
  EXPECT_EQ(molecules[0].class_value, "alcohol");
  EXPECT_EQ(molecules[2].class_value, "ion");
  EXPECT_EQ(molecules[2].source_id, "sodium");
}

struct Molecule_error_case {
  const char* name;
  const char* format;
  const char* text;
  std::optional<std::string> field;
  std::size_t line;
  const char* words;
};

class MoleculeReaderErrors : public ::testing::TestWithParam<Molecule_error_case> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, MoleculeReaderErrors,
    ::testing::Values(
        Molecule_error_case{"bad_smiles", "smi", "CC a\nC%%x b\nCC c\n", std::nullopt, 2, "molecule 2 cannot be read"},
        Molecule_error_case{"malformed_chiral_atom", "smi", "CC a\n[C@[H] b\n", std::nullopt, 2,
                            "molecule 2 cannot be read"},
        Molecule_error_case{"bad_sdf_counts", "sdf", "t\n\n\nxx\n", std::nullopt, 1, "molecule 1 cannot be read"},
        Molecule_error_case{"missing_field", "smi", "CC a\nCCC b\n", std::string("activity"), 1,
                            "no field \"activity\""},
        Molecule_error_case{"nothing", "smi", "\n\n", std::nullopt, 0, "no molecules"},
        Molecule_error_case{"unknown_format", "nonesuch", "CC\n", std::nullopt, 0, "format"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(MoleculeReaderErrors, NameTheMoleculeAndLine) {
  const Molecule_error_case& c = GetParam();
  std::istringstream in(c.text);
  Warnings warnings;
  try {
    read_molecules(in, "m", {c.format, false, c.field}, warnings.sink());
    FAIL() << "no error";
  } catch (const Convert_error& error) {
    EXPECT_EQ(error.source(), "m");
    EXPECT_EQ(error.line(), c.line) << error.what();
    EXPECT_NE(error.detail().find(c.words), std::string::npos) << error.what();
  }
}

// Open Babel throws std::bad_array_new_length from its symmetry perception on
// this malformed SDF record (saved by the fuzzer); a good molecule before it
// shows that the error names the failing molecule and its first line.
TEST(MoleculeReader, AnExceptionInsideOpenBabelNamesTheMolecule) {
  const std::string saved = murex::test::read_file(std::filesystem::path(MUREX_E2E_DIR).parent_path() /
                                                   "fuzz_regressions/convert_chem/sdf_counts_beyond_atoms_open_babel_throws");
  const std::string good = "water\n\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
                           "    0.0000    0.0000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\nM  END\n$$$$\n";
  std::istringstream in(good + saved.substr(1));
  Warnings warnings;
  try {
    read_molecules(in, "m.sdf", {"sdf", true, std::nullopt}, warnings.sink());
    FAIL() << "no error";
  } catch (const Convert_error& error) {
    EXPECT_EQ(error.line(), 8u) << error.what();
    EXPECT_NE(error.detail().find("molecule 2 cannot be read: Open Babel failed"), std::string::npos) << error.what();
  }
}

TEST(MoleculeFormat, ComesFromTheExtension) {
  EXPECT_EQ(molecule_format_of("a/b.sdf"), "sdf");
  EXPECT_TRUE(is_molecule_format(molecule_format_of("b.smi")));
  EXPECT_EQ(molecule_format_of("b.unknown_extension"), "");
  EXPECT_TRUE(is_molecule_format("mol"));
  EXPECT_FALSE(is_molecule_format("nonesuch"));
}

}  // namespace
}  // namespace murex::convert::test
