// The data-file writer, the output folder and the conversion writer.

#include <gtest/gtest.h>

#include <sstream>

#include "convert/conversion_writer.h"
#include "convert/data_file_writer.h"
#include "convert/output_folder.h"
#include "convert_fixtures.h"

namespace murex::convert::test {
namespace {

using murex::test::PrintTo;  // parameterized cases print as their names

namespace fs = std::filesystem;
using murex::test::read_file;
using murex::test::Scratch_dir;

Converted_graph graph_of(std::vector<std::string> nodes, std::vector<Converted_link> links, std::string class_value,
                         std::size_t index, std::string id = "") {
  Converted_graph graph;
  graph.nodes = std::move(nodes);
  graph.links = std::move(links);
  graph.class_value = std::move(class_value);
  graph.source_index = index;
  graph.source_id = id.empty() ? std::to_string(index) : id;
  return graph;
}

TEST(DataFileWriter, LinksGoOnTheLineOfTheirFirstNode) {
  Warnings warnings;
  Data_file_writer writer("src", warnings.sink());
  std::ostringstream out;
  writer.write(out, graph_of({"C", "O", "N"}, {{2, 0, "single"}, {0, 1, "double"}, {2, 1, "x"}}, "a", 1));
  EXPECT_EQ(out.str(), "1 C 2(double)\n2 O\n3 N 1(single) 2(x)\n");
  EXPECT_TRUE(warnings.lines.empty());
}

struct Label_case {
  const char* name;
  const char* label;
  bool link;
  const char* written;
};

class DataFileWriterLabels : public ::testing::TestWithParam<Label_case> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFileWriterLabels,
    ::testing::Values(Label_case{"plain_node", "Cl", false, "Cl"},
                      Label_case{"node_keeps_parentheses_and_commas", "a(b),c", false, "a(b),c"},
                      Label_case{"node_blank", "a b", false, "a_b"},
                      Label_case{"node_tab_and_cr", "a\tb\r", false, "a_b_"},
                      Label_case{"node_empty", "", false, "_"},
                      Label_case{"link_parentheses", "a(b)", true, "a_b_"},
                      Label_case{"link_comma", "1,5", true, "1_5"},
                      Label_case{"link_newline", "x\ny", true, "x_y"},
                      Label_case{"link_empty", "", true, "_"},
                      Label_case{"plain_link", "-", true, "-"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(DataFileWriterLabels, AreMadeReadableByMurexAndChangesReportedOnce) {
  const Label_case& c = GetParam();
  Warnings warnings;
  Data_file_writer writer("src", warnings.sink());
  const std::string first = c.link ? writer.link_label(c.label) : writer.node_label(c.label);
  const std::string again = c.link ? writer.link_label(c.label) : writer.node_label(c.label);
  EXPECT_EQ(first, c.written);
  EXPECT_EQ(again, c.written);
  const bool changed = std::string(c.label) != c.written;
  ASSERT_EQ(warnings.lines.size(), changed ? 1u : 0u);
  if (changed) {
    EXPECT_EQ(warnings.lines[0].rfind("src: ", 0), 0u) << warnings.lines[0];
  }
}

TEST(OutputFolder, StagedFilesAppearOnlyOnCommit) {
  Scratch_dir scratch;
  const fs::path folder = scratch.path() / "a" / "b";
  {
    Output_folder output(folder);
    output.stage("x.txt", "data");
    EXPECT_FALSE(fs::exists(folder / "x.txt"));
  }
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(fs::is_empty(folder)) << "an uncommitted temporary was left";
  Output_folder output(folder);
  output.stage("x.txt", "data");
  output.commit();
  EXPECT_EQ(read_file(folder / "x.txt"), "data");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST(OutputFolder, AFileInTheWayIsAnError) {
  Scratch_dir scratch;
  scratch.write("taken", "");
  EXPECT_THROW(Output_folder(scratch.path() / "taken"), Convert_error);
}

TEST(ClassFileName, KeepsOnlyCharactersSafeForFileNamesAndTheCommaSeparatedList) {
  EXPECT_EQ(class_file_name("-1"), "class_-1.txt");
  EXPECT_EQ(class_file_name("a b,c/d"), "class_a_b_c_d.txt");
  EXPECT_EQ(class_file_name("7.5e+1"), "class_7.5e+1.txt");
  EXPECT_EQ(class_file_name(""), "class__.txt");
}

TEST(ConversionWriter, NumbersGraphsPerClassFileAndSkipsEmptyGraphs) {
  Conversion conversion;
  conversion.source = "src";
  conversion.graphs.push_back(graph_of({"a"}, {}, "y", 1, "first\tone"));
  conversion.graphs.push_back(graph_of({"b", "c"}, {{0, 1, "l"}}, "x", 2));
  conversion.graphs.push_back(graph_of({}, {}, "y", 3));
  conversion.graphs.push_back(graph_of({"d"}, {}, "y", 4));
  conversion.class_order = {"x", "y", "z"};
  Scratch_dir scratch;
  Warnings warnings;
  const Written_conversion written = write_conversion(conversion, scratch.path(), warnings.sink());

  ASSERT_EQ(written.classes.size(), 2u);  // z has no graph: no file
  EXPECT_EQ(written.classes[0].file_name, "class_x.txt");
  EXPECT_EQ(written.classes[1].graphs, 2u);
  EXPECT_EQ(written.skipped, 1u);
  EXPECT_EQ(read_file(scratch.path() / "class_x.txt"), "1 b 2(l)\n2 c\n");
  EXPECT_EQ(read_file(scratch.path() / "class_y.txt"), "1 a\n\n1 d\n");
  EXPECT_EQ(read_file(scratch.path() / "graph_map.tsv"),
            "class_file\tgraph_number\tsource_index\tsource_id\n"
            "class_x.txt\t1\t2\t2\n"
            "class_y.txt\t1\t1\tfirst one\n"
            "class_y.txt\t2\t4\t4\n");
  EXPECT_TRUE(written.wrote_ini);
  EXPECT_NE(read_file(scratch.path() / "murex.ini").find("#GEVALFUNC info_gain 0.0\n"), std::string::npos);
  ASSERT_EQ(warnings.lines.size(), 2u);
  EXPECT_EQ(warnings.lines[0], "src: graph 3 (3) has no nodes and is left out");
  EXPECT_EQ(murex_command(written, "out dir"), "cd 'out dir' && murex -c 2 -f class_x.txt,class_y.txt -d 0 -b 5");
  EXPECT_EQ(summary_line(written, "o"), "3 graphs written to o: class_x.txt 1, class_y.txt 2 (1 without nodes left out)");
}

TEST(ConversionWriter, KeepsAnExistingMurexIniAndSeparatesClashingFileNames) {
  Conversion conversion;
  conversion.source = "src";
  conversion.graphs.push_back(graph_of({"a"}, {}, "a b", 1));
  conversion.graphs.push_back(graph_of({"a"}, {}, "a_b", 2));
  conversion.class_order = {"a b", "a_b"};
  Scratch_dir scratch;
  scratch.write("murex.ini", "mine\n");
  Warnings warnings;
  const Written_conversion written = write_conversion(conversion, scratch.path(), warnings.sink());
  EXPECT_FALSE(written.wrote_ini);
  EXPECT_EQ(read_file(scratch.path() / "murex.ini"), "mine\n");
  ASSERT_EQ(written.classes.size(), 2u);
  EXPECT_EQ(written.classes[0].file_name, "class_a_b.txt");
  EXPECT_EQ(written.classes[1].file_name, "class_a_b_2.txt");
}

TEST(ConversionWriter, NothingToWriteIsAnErrorThatCreatesNothing) {
  Conversion conversion;
  conversion.source = "src";
  conversion.graphs.push_back(graph_of({}, {}, "x", 1));
  conversion.class_order = {"x"};
  Scratch_dir scratch;
  Warnings warnings;
  EXPECT_THROW(write_conversion(conversion, scratch.path() / "out", warnings.sink()), Convert_error);
  EXPECT_FALSE(fs::exists(scratch.path() / "out"));
}

TEST(AscendingClassValues, NumericWhenAllAreNumbers) {
  std::vector<Converted_graph> graphs(4);
  const char* values[] = {"10", "-1", "9", "10"};
  for (int k = 0; k < 4; ++k) graphs[k].class_value = values[k];
  EXPECT_EQ(ascending_class_values(graphs), (std::vector<std::string>{"-1", "9", "10"}));
  graphs[0].class_value = "b";
  EXPECT_EQ(ascending_class_values(graphs), (std::vector<std::string>{"-1", "10", "9", "b"}));
}

}  // namespace
}  // namespace murex::convert::test
