// murex-convert as a program: exact outputs on the fixtures, bad input, a
// murex run on a converted dataset, and the real datasets when present.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "convert_fixtures.h"

namespace murex::convert::test {
namespace {

using murex::test::PrintTo;  // parameterized cases print as their names

namespace fs = std::filesystem;
using murex::test::lines_of;
using murex::test::read_file;
using murex::test::Run_result;
using murex::test::Scratch_dir;

// The files a conversion left in `folder`, name -> content.
std::map<std::string, std::string> files_in(const fs::path& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = read_file(entry.path());
  }
  return files;
}

std::size_t graphs_in_map(const fs::path& folder) { return lines_of(read_file(folder / "graph_map.tsv")).size() - 1; }

constexpr const char* map_heading = "class_file\tgraph_number\tsource_index\tsource_id\n";

struct Fixture_case {
  const char* name;
  std::vector<std::string> args;  // before -o out; fixture names are resolved
  std::map<std::string, std::string> expected;  // output files other than murex.ini
  std::string command;  // the murex command line printed
};

class ConvertFixture : public ::testing::TestWithParam<Fixture_case> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertFixture,
    ::testing::Values(
        Fixture_case{"tu_with_readme_names",
                     {"tu", "@TINY", "--names", "@tiny_README.txt"},
                     {{"class_-1.txt", "1 O 2(aromatic)\n2 C\n"},
                      {"class_1.txt", "1 C 2(single)\n2 N 3(double)\n3 C\n\n1 N\n"},
                      {"graph_map.tsv", std::string(map_heading) +
                                            "class_-1.txt\t1\t2\t2\nclass_1.txt\t1\t1\t1\nclass_1.txt\t2\t3\t3\n"}},
                     "cd out && murex -c 2 -f class_-1.txt,class_1.txt -d 0 -b 5"},
        Fixture_case{"tu_numbers_kept",
                     {"tu", "@TINY"},
                     {{"class_-1.txt", "1 2 2(0)\n2 0\n"},
                      {"class_1.txt", "1 0 2(1)\n2 1 3(2)\n3 0\n\n1 1\n"},
                      {"graph_map.tsv", std::string(map_heading) +
                                            "class_-1.txt\t1\t2\t2\nclass_1.txt\t1\t1\t1\nclass_1.txt\t2\t3\t3\n"}},
                     "cd out && murex -c 2 -f class_-1.txt,class_1.txt -d 0 -b 5"},
        Fixture_case{"gspan_class_per_line",
                     {"gspan", "@tiny.gspan", "--classes", "@tiny.classes"},
                     {{"class_a.txt", "1 C 2(double)\n2 O\n"},
                      {"class_b.txt", "1 N 3(triple)\n2 C 3(single)\n3 C\n\n1 C\n"},
                      {"graph_map.tsv",
                       std::string(map_heading) + "class_a.txt\t1\t1\t10\nclass_b.txt\t1\t2\t11\nclass_b.txt\t2\t4\t13\n"}},
                     "cd out && murex -c 2 -f class_a.txt,class_b.txt -d 0 -b 5"},
        Fixture_case{"gspan_class_by_id",
                     {"gspan", "@tiny.gspan", "--classes", "@tiny_ids.tsv"},
                     {{"class_a.txt", "1 N 3(triple)\n2 C 3(single)\n3 C\n\n1 C\n"},
                      {"class_b.txt", "1 C 2(double)\n2 O\n"},
                      {"graph_map.tsv",
                       std::string(map_heading) + "class_a.txt\t1\t2\t11\nclass_a.txt\t2\t4\t13\nclass_b.txt\t1\t1\t10\n"}},
                     "cd out && murex -c 2 -f class_a.txt,class_b.txt -d 0 -b 5"},
        Fixture_case{"gspan_one_class",
                     {"gspan", "@tiny.gspan", "--class", "all"},
                     {{"class_all.txt", "1 C 2(double)\n2 O\n\n1 N 3(triple)\n2 C 3(single)\n3 C\n\n1 C\n"},
                      {"graph_map.tsv", std::string(map_heading) +
                                            "class_all.txt\t1\t1\t10\nclass_all.txt\t2\t2\t11\nclass_all.txt\t3\t4\t13\n"}},
                     "cd out && murex -c 1 -f class_all.txt -d 0 -b 5"},
        Fixture_case{"sdf_threshold",
                     {"chem", "@tiny.sdf", "--class-field", "activity", "--threshold", "7"},
                     {{"class_below_7.txt", "1 C 2(single)\n2 C 3(single)\n3 O\n"},
                      {"class_atleast_7.txt", "1 C 2(single)\n2 C 3(double)\n3 O\n\n1 Na\n"},
                      {"graph_map.tsv", std::string(map_heading) +
                                            "class_below_7.txt\t1\t1\tethanol\nclass_atleast_7.txt\t1\t2\tacetaldehyde\n"
                                            "class_atleast_7.txt\t2\t3\tsodium\n"}},
                     "cd out && murex -c 2 -f class_below_7.txt,class_atleast_7.txt -d 0 -b 5"},
        Fixture_case{"sdf_field_values",
                     {"chem", "@tiny.sdf", "--class-field", "kind"},
                     {{"class_alcohol.txt", "1 C 2(single)\n2 C 3(single)\n3 O\n"},
                      {"class_aldehyde.txt", "1 C 2(single)\n2 C 3(double)\n3 O\n"},
                      {"class_ion.txt", "1 Na\n"},
                      {"graph_map.tsv", std::string(map_heading) +
                                            "class_alcohol.txt\t1\t1\tethanol\nclass_aldehyde.txt\t1\t2\tacetaldehyde\n"
                                            "class_ion.txt\t1\t3\tsodium\n"}},
                     "cd out && murex -c 3 -f class_alcohol.txt,class_aldehyde.txt,class_ion.txt -d 0 -b 5"},
        Fixture_case{"smiles_one_class_per_file",
                     {"chem", "@tiny.smi", "@other.smi"},
                     {{"class_tiny.txt",
                       "1 C 2(double)\n2 C 3(single)\n3 C 4(triple)\n4 N\n\n"
                       "1 C 2(aromatic) 6(aromatic)\n2 C 3(aromatic)\n3 C 4(aromatic)\n4 C 5(aromatic)\n"
                       "5 C 6(aromatic)\n6 C 7(single)\n7 O\n"},
                      {"class_other.txt", "1 C 2(single)\n2 O\n"},
                      {"graph_map.tsv", std::string(map_heading) +
                                            "class_tiny.txt\t1\t1\tacrylonitrile\nclass_tiny.txt\t2\t2\tphenol\n"
                                            "class_other.txt\t1\t1\tmethanol\n"}},
                     "cd out && murex -c 2 -f class_tiny.txt,class_other.txt -d 0 -b 5"}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> resolved(const std::vector<std::string>& args) {
  std::vector<std::string> out;
  for (const auto& arg : args) out.push_back(arg[0] == '@' ? fixture(arg.substr(1)).string() : arg);
  return out;
}

TEST_P(ConvertFixture, WritesExactlyTheExpectedFiles) {
  const Fixture_case& c = GetParam();
  Scratch_dir scratch;
  auto args = resolved(c.args);
  args.insert(args.end(), {"-o", "out"});
  const Run_result run = run_convert(scratch.path(), args);
  ASSERT_EQ(run.status, 0) << run.err;
  auto files = files_in(scratch.path() / "out");
  ASSERT_EQ(files.count("murex.ini"), 1u);
  files.erase("murex.ini");
  EXPECT_EQ(files, c.expected);
  const auto out = lines_of(run.out);
  ASSERT_EQ(out.size(), 2u) << run.out;
  EXPECT_EQ(out[0].rfind("murex-convert: ", 0), 0u);
  EXPECT_EQ(out[1], c.command);
}

TEST(ConvertProgram, WarnsAboutSkippedGraphsAndPrintsUsage) {
  Scratch_dir scratch;
  const Run_result run = run_convert(scratch.path(), resolved({"tu", "@TINY", "-o", "out"}));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("warning: " + fixture("TINY").string() + "/TINY_A.txt: graph 4 (4) has no nodes"),
            std::string::npos)
      << run.err;
  const Run_result help = run_convert(scratch.path(), {"-h"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("murex-convert tu FOLDER -o OUT"), std::string::npos);
  const Run_result wrong = run_convert(scratch.path(), {"tu", "x"});
  EXPECT_EQ(wrong.status, 1);
  EXPECT_NE(wrong.err.find("-o OUT"), std::string::npos) << wrong.err;
}

TEST(ConvertProgram, OpenBabelWarningsAreSilenced) {
  // Open Babel warns that it cannot kekulize this ring, and reads it anyway.
  Scratch_dir scratch;
  scratch.write("m.smi", "c1cccc1 odd\nCC\n");
  const Run_result run = run_convert(scratch.path(), {"chem", "m.smi", "-o", "out"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(graphs_in_map(scratch.path() / "out"), 2u);
}

// ------------------------------------------------------------------ bad input

struct Error_case {
  const char* name;
  std::map<std::string, std::string> files;  // written into the scratch folder
  std::vector<std::string> args;             // "-o out" is added
  const char* located;                       // "file:line" the message must name
  const char* words;
};

const std::map<std::string, std::string> tu_files = {{"D/D_A.txt", "1, 2\n2, 1\n"},
                                                      {"D/D_graph_indicator.txt", "1\n1\n2\n"},
                                                      {"D/D_graph_labels.txt", "0\n1\n"},
                                                      {"D/D_node_labels.txt", "5\n6\n7\n"}};

std::map<std::string, std::string> tu_with(const std::string& name, const std::string& content) {
  auto files = tu_files;
  if (content.empty()) {
    files.erase(name);
  } else {
    files[name] = content;
  }
  return files;
}

const char* const two_graphs = "t # 0\nv 0 a\nv 1 b\ne 0 1 x\nt # 1\nv 0 a\n";

class ConvertErrors : public ::testing::TestWithParam<Error_case> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertErrors,
    ::testing::Values(
        Error_case{"tu_missing_file", tu_with("D/D_node_labels.txt", ""), {"tu", "D"}, "D/D_node_labels.txt:",
                   "cannot open"},
        Error_case{"tu_unknown_node", tu_with("D/D_A.txt", "1, 2\n2, 4\n"), {"tu", "D"}, "D/D_A.txt:2:", "node 4"},
        Error_case{"tu_edge_between_graphs", tu_with("D/D_A.txt", "1, 2\n2, 3\n"), {"tu", "D"}, "D/D_A.txt:2:",
                   "between"},
        Error_case{"tu_count_mismatch", tu_with("D/D_node_labels.txt", "5\n6\n7\n8\n"), {"tu", "D"},
                   "D/D_node_labels.txt:4:", "more node labels"},
        Error_case{"tu_line_does_not_parse", tu_with("D/D_A.txt", "1, 2\n2; 1\n"), {"tu", "D"}, "D/D_A.txt:2:",
                   "expected"},
        Error_case{"tu_label_without_name", tu_with("names.txt", "5 C\n6 N\n"),
                   {"tu", "D", "--node-names", "names.txt"}, "D/D_node_labels.txt:3:", "no name"},
        Error_case{"gspan_line_does_not_parse", {{"g.txt", "t # 0\nv 0 a\nedge 0 1\n"}, {"c.txt", "x\n"}},
                   {"gspan", "g.txt", "--classes", "c.txt"}, "g.txt:3:", "does not parse"},
        Error_case{"gspan_unknown_node", {{"g.txt", "t # 0\nv 0 a\ne 0 3 x\n"}, {"c.txt", "x\n"}},
                   {"gspan", "g.txt", "--classes", "c.txt"}, "g.txt:3:", "unknown node 3"},
        Error_case{"gspan_fewer_class_lines", {{"g.txt", two_graphs}, {"c.txt", "x\n"}},
                   {"gspan", "g.txt", "--classes", "c.txt"}, "c.txt:2:", "1 class lines for 2 graphs"},
        Error_case{"gspan_unknown_class",
                   {{"g.txt", two_graphs}, {"c.txt", "0\n2\n"}, {"n.txt", "0 inactive\n1 active\n"}},
                   {"gspan", "g.txt", "--classes", "c.txt", "--class-names", "n.txt"}, "c.txt:2:",
                   "class 2 has no name"},
        Error_case{"gspan_unknown_graph_id", {{"g.txt", two_graphs}, {"c.txt", "x\t0\ny\t5\n"}},
                   {"gspan", "g.txt", "--classes", "c.txt"}, "c.txt:2:", "unknown graph id 5"},
        Error_case{"gspan_missing_class_file", {{"g.txt", two_graphs}}, {"gspan", "g.txt", "--classes", "c.txt"},
                   "c.txt:", "cannot open"},
        Error_case{"chem_bad_molecule", {{"m.smi", "CC a\nCC b\nC1CC c\n"}}, {"chem", "m.smi"}, "m.smi:3:",
                   "molecule 3 cannot be read"},
        Error_case{"chem_malformed_chiral_atom", {{"m.smi", "CC a\n[C@[H] b\n"}}, {"chem", "m.smi"}, "m.smi:2:",
                   "molecule 2 cannot be read"},
        Error_case{"chem_missing_field", {{"m.smi", "CC a\n"}}, {"chem", "m.smi", "--class-field", "act"}, "m.smi:1:",
                   "no field"},
        Error_case{"chem_two_files_one_name", {{"a/m.smi", "CC a\n"}, {"b/m.smi", "CCC b\n"}},
                   {"chem", "a/m.smi", "b/m.smi"}, "b/m.smi:", "already gives the class \"m\""},
        Error_case{"chem_unknown_extension", {{"m.xyzzy", "CC a\n"}}, {"chem", "m.xyzzy"}, "m.xyzzy:",
                   "--format"},
        Error_case{"output_is_a_file", {{"g.txt", two_graphs}, {"taken/out", ""}},
                   {"gspan", "g.txt", "--class", "x", "-o", "taken/out"}, "taken/out:", "output folder"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(ConvertErrors, NameFileAndLineAndLeaveNoResult) {
  const Error_case& c = GetParam();
  Scratch_dir scratch;
  for (const auto& [name, content] : c.files) {
    fs::create_directories((scratch.path() / name).parent_path());
    scratch.write(name, content);
  }
  auto args = c.args;
  if (std::find(args.begin(), args.end(), "-o") == args.end()) args.insert(args.end(), {"-o", "out"});
  const Run_result run = run_convert(scratch.path(), args);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("murex-convert: error: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(c.located), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(c.words), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;
  EXPECT_TRUE(files_in(scratch.path() / "out").empty()) << "the output folder holds files";
}

TEST(ConvertProgram, FailureKeepsAnEarlierResultAndAddsNothing) {
  Scratch_dir scratch;
  scratch.write("g.txt", two_graphs);
  ASSERT_EQ(run_convert(scratch.path(), {"gspan", "g.txt", "--class", "x", "-o", "out"}).status, 0);
  const auto before = files_in(scratch.path() / "out");
  scratch.write("g.txt", "t # 0\nv 0 a\ne 0 9 x\n");
  EXPECT_EQ(run_convert(scratch.path(), {"gspan", "g.txt", "--class", "y", "-o", "out"}).status, 1);
  EXPECT_EQ(files_in(scratch.path() / "out"), before);
}

// ------------------------------------------------------------ murex on a result

// The link label numbers of initial_status.out: name -> number.
std::map<std::string, std::string> link_label_numbers(const std::string& status) {
  std::map<std::string, std::string> numbers;
  const auto lines = lines_of(status);
  auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("Link_label", 0) == 0; });
  if (line == lines.end()) return numbers;
  for (++line; line != lines.end() && !line->empty(); ++line) {
    std::istringstream fields(*line);
    std::string number, name;
    fields >> number >> name;
    numbers[name] = number;
  }
  return numbers;
}

// The graph sets of every one-link pattern of good_pair.out, by its link code
// ("0 L 0"): code -> per class the graph numbers.
std::map<std::string, std::vector<std::string>> one_link_patterns(const std::string& report, std::size_t classes) {
  std::map<std::string, std::vector<std::string>> patterns;
  const auto lines = lines_of(report);
  for (std::size_t k = 1; k + classes + 2 < lines.size() + 1;) {
    if (lines[k].empty()) {
      ++k;
      continue;
    }
    const std::string code = lines[k + 1];
    std::vector<std::string> sets;
    for (std::size_t c = 0; c < classes; ++c) sets.push_back(lines[k + 2 + c]);
    if (std::count(lines[k].begin(), lines[k].end(), ' ') == 2) patterns[code] = sets;
    k += classes + 3;  // labels, code, class lines, evaluation
  }
  return patterns;
}

TEST(ConvertThenMurex, GraphMapNumbersAreThoseOfGoodPairOut) {
  // Every graph holds one link whose label no other graph has; the classes
  // interleave and an empty graph is left out, so murex's numbers differ
  // from the source positions.
  Scratch_dir scratch;
  std::string gspan;
  const int graphs = 7;
  for (int g = 1; g <= graphs; ++g) {
    gspan += "t # id" + std::to_string(g) + "\n";
    if (g == 3) continue;
    gspan += "v 0 C\nv 1 C\nv 2 O\ne 0 1 u" + std::to_string(g) + "\ne 1 2 shared\n";
  }
  scratch.write("g.txt", gspan);
  scratch.write("c.txt", "q\np\nq\np\nq\nq\np\n");
  const Run_result convert = run_convert(scratch.path(), {"gspan", "g.txt", "--classes", "c.txt", "-o", "out"});
  ASSERT_EQ(convert.status, 0) << convert.err;
  const std::string command = lines_of(convert.out).back();
  const std::string prefix = "cd out && murex ";
  ASSERT_EQ(command.rfind(prefix, 0), 0u) << command;
  const auto murex_args = murex::test::split_args(command.substr(prefix.size()));
  const Run_result murex_run = murex::test::run_in(scratch.path() / "out", murex_args);
  ASSERT_EQ(murex_run.status, 0) << murex_run.err;

  const auto labels = link_label_numbers(read_file(scratch.path() / "out" / "initial_status.out"));
  const auto patterns = one_link_patterns(read_file(scratch.path() / "out" / "good_pair.out"), 2);
  const std::vector<std::string> class_files = {"class_p.txt", "class_q.txt"};
  const auto rows = lines_of(read_file(scratch.path() / "out" / "graph_map.tsv"));
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(graphs));  // heading + 6 graphs
  for (std::size_t r = 1; r < rows.size(); ++r) {
    std::istringstream fields(rows[r]);
    std::string file, number, index, id;
    std::getline(fields, file, '\t');
    std::getline(fields, number, '\t');
    std::getline(fields, index, '\t');
    std::getline(fields, id, '\t');
    EXPECT_EQ(id, "id" + index);
    ASSERT_EQ(labels.count("u" + index), 1u) << rows[r];
    const auto pattern = patterns.find("0 " + labels.at("u" + index) + " 0 ");
    ASSERT_NE(pattern, patterns.end()) << "no pattern for u" << index;
    for (std::size_t c = 0; c < class_files.size(); ++c) {
      EXPECT_EQ(pattern->second[c], file == class_files[c] ? "    " + number + " " : "    ") << rows[r];
    }
  }
}

// ------------------------------------------------------------------ real data

std::map<std::string, std::size_t> graphs_per_class_file(const fs::path& folder) {
  std::map<std::string, std::size_t> counts;
  const auto rows = lines_of(read_file(folder / "graph_map.tsv"));
  for (std::size_t r = 1; r < rows.size(); ++r) ++counts[rows[r].substr(0, rows[r].find('\t'))];
  return counts;
}

fs::path raw(const std::string& name) { return fs::path(MUREX_SHARED_DIR) / "data" / "raw" / name; }

TEST(RealData, MutagTu) {
  if (!fs::exists(raw("MUTAG/MUTAG_A.txt"))) GTEST_SKIP() << "MUTAG is not present";
  Scratch_dir scratch;
  const Run_result run = run_convert(
      scratch.path(), {"tu", raw("MUTAG").string(), "--names", raw("MUTAG/README.txt").string(), "-o", "out"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(graphs_per_class_file(scratch.path() / "out"),
            (std::map<std::string, std::size_t>{{"class_-1.txt", 63}, {"class_1.txt", 125}}));
  // The first mutagenic compound: a nitro group on fused aromatic rings.
  const auto first = lines_of(read_file(scratch.path() / "out" / "class_1.txt"));
  EXPECT_EQ(first[0], "1 C 2(aromatic) 6(aromatic)");
  EXPECT_NE(std::find(first.begin(), first.end(), "15 N 16(double) 17(single)"), first.end());
  const Run_result murex_run =
      murex::test::run_in(scratch.path() / "out", {"-c", "2", "-f", "class_-1.txt,class_1.txt", "-d", "0", "-b", "0"});
  EXPECT_EQ(murex_run.status, 0) << murex_run.err;
}

TEST(RealData, Chemical340Gspan) {
  if (!fs::exists(raw("Chemical_340/Chemical_340"))) GTEST_SKIP() << "Chemical_340 is not present";
  Scratch_dir scratch;
  const Run_result run =
      run_convert(scratch.path(), {"gspan", raw("Chemical_340/Chemical_340").string(), "--classes",
                                   raw("Chemical_340/Chemical_340_class").string(), "-o", "out"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(graphs_per_class_file(scratch.path() / "out"),
            (std::map<std::string, std::size_t>{{"class_0.txt", 240}, {"class_1.txt", 100}}));
}

TEST(RealData, MutagGspanWithClassesById) {
  if (!fs::exists(raw("gspan_mutag/mutag_graph.txt"))) GTEST_SKIP() << "gspan_mutag is not present";
  Scratch_dir scratch;
  const Run_result run =
      run_convert(scratch.path(), {"gspan", raw("gspan_mutag/mutag_graph.txt").string(), "--classes",
                                   raw("gspan_mutag/mutag_label.txt").string(), "-o", "out"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(graphs_per_class_file(scratch.path() / "out"),
            (std::map<std::string, std::size_t>{{"class_0.txt", 125}, {"class_1.txt", 63}}));
  // Every row names the class its id has in the label file.
  std::map<std::string, std::string> class_of;
  for (const auto& line : lines_of(read_file(raw("gspan_mutag/mutag_label.txt")))) {
    class_of[line.substr(line.find('\t') + 1)] = line.substr(0, line.find('\t'));
  }
  const auto rows = lines_of(read_file(scratch.path() / "out" / "graph_map.tsv"));
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const std::string id = rows[r].substr(rows[r].rfind('\t') + 1);
    EXPECT_EQ(rows[r].substr(0, rows[r].find('\t')), "class_" + class_of[id] + ".txt") << rows[r];
  }
}

TEST(RealData, BenzodiazepineSdf) {
  const fs::path sdf = "/usr/share/RDKit/Projects/DbCLI/testData/bzr.sdf";
  if (!fs::exists(sdf)) GTEST_SKIP() << "rdkit-data is not installed";
  Scratch_dir scratch;
  const Run_result run = run_convert(
      scratch.path(), {"chem", sdf.string(), "--class-field", "ACTIVITY", "--threshold", "7", "-o", "out"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto counts = graphs_per_class_file(scratch.path() / "out");
  ASSERT_EQ(counts.size(), 2u);
  EXPECT_EQ(counts.at("class_below_7.txt") + counts.at("class_atleast_7.txt"), 163u);
  const auto first = lines_of(read_file(scratch.path() / "out" / "graph_map.tsv"))[1];
  EXPECT_EQ(first, "class_below_7.txt\t1\t1\tAdinazolam");  // ACTIVITY 6.87
}

}  // namespace
}  // namespace murex::convert::test
