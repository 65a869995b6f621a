// The TU and gSpan readers and the label-name files, on in-memory inputs.

#include <gtest/gtest.h>

#include <sstream>

#include "convert/gspan_reader.h"
#include "convert/label_names.h"
#include "convert/tu_reader.h"
#include "convert_fixtures.h"

namespace murex::convert::test {
namespace {

using murex::test::PrintTo;  // parameterized cases print as their names

// The text of a graph as "label label ... | a-b:label ...", for compact expectations.
std::string shape(const Converted_graph& graph) {
  std::string text;
  for (const auto& node : graph.nodes) text += node + " ";
  text += "|";
  for (const auto& link : graph.links) {
    text += " " + std::to_string(link.from + 1) + "-" + std::to_string(link.to + 1) + ":" + link.label;
  }
  return text;
}

struct Tu_text {
  std::string a = "1, 2\n2, 1\n2, 3\n3, 2\n4, 5\n5, 4\n";
  std::string indicator = "1\n1\n1\n2\n2\n";
  std::string graph_labels = "1\n-1\n";
  std::string node_labels = "0\n1\n0\n2\n0\n";
  std::string edge_labels = "1\n1\n2\n2\n0\n0\n";
  bool with_edge_labels = true;
};

Conversion read_tu_text(const Tu_text& text, const Label_name_set& names = {}, Warnings* warnings = nullptr) {
  std::istringstream a(text.a), indicator(text.indicator), graph_labels(text.graph_labels),
      node_labels(text.node_labels), edge_labels(text.edge_labels);
  Tu_files files{{&a, "A"}, {&indicator, "indicator"}, {&graph_labels, "graph_labels"}, {&node_labels, "node_labels"},
                 std::nullopt};
  if (text.with_edge_labels) files.edge_labels = Named_stream{&edge_labels, "edge_labels"};
  Warnings ignored;
  return read_tu(files, names, (warnings != nullptr ? *warnings : ignored).sink());
}

TEST(TuReader, BothDirectionsOfAnEdgeGiveOneLinkAndNodesAreNumberedPerGraph) {
  const Conversion conversion = read_tu_text({});
  ASSERT_EQ(conversion.graphs.size(), 2u);
  EXPECT_EQ(shape(conversion.graphs[0]), "0 1 0 | 1-2:1 2-3:2");
  EXPECT_EQ(shape(conversion.graphs[1]), "2 0 | 1-2:0");
  EXPECT_EQ(conversion.graphs[1].class_value, "-1");
  EXPECT_EQ(conversion.graphs[1].source_index, 2u);
  EXPECT_EQ(conversion.graphs[1].source_id, "2");
  EXPECT_EQ(conversion.class_order, (std::vector<std::string>{"-1", "1"}));
}

TEST(TuReader, EdgeListedOnceStillGivesOneLinkAndNoLabelsGiveDash) {
  Tu_text text;
  text.a = "2, 1\n2, 3\n3, 2\n4, 5\n";
  text.with_edge_labels = false;
  const Conversion conversion = read_tu_text(text);
  EXPECT_EQ(shape(conversion.graphs[0]), "0 1 0 | 1-2:- 2-3:-");
  EXPECT_EQ(shape(conversion.graphs[1]), "2 0 | 1-2:-");
}

TEST(TuReader, SelfLoopIsDroppedWithAWarning) {
  Tu_text text;
  text.a = "1, 1\n1, 2\n2, 1\n";
  text.with_edge_labels = false;
  Warnings warnings;
  const Conversion conversion = read_tu_text(text, {}, &warnings);
  EXPECT_EQ(shape(conversion.graphs[0]), "0 1 0 | 1-2:-");
  ASSERT_EQ(warnings.lines.size(), 1u);
  EXPECT_NE(warnings.lines[0].find("self-loop"), std::string::npos);
}

TEST(TuReader, NamesReplaceLabelNumbers) {
  std::istringstream node_text("0 C\n1 N\n2 O\n"), edge_text("0 aromatic\n1 single\n2 double\n"),
      class_text("1 active\n-1 inactive\n");
  const auto node = Label_names::read(node_text, "nodes", Label_names::Section::node);
  const auto edge = Label_names::read(edge_text, "edges", Label_names::Section::edge);
  const auto graph_class = Label_names::read(class_text, "classes", Label_names::Section::graph_class);
  const Conversion conversion = read_tu_text({}, {&node, &edge, &graph_class});
  EXPECT_EQ(shape(conversion.graphs[0]), "C N C | 1-2:single 2-3:double");
  EXPECT_EQ(conversion.graphs[0].class_value, "active");
  // The order follows the class numbers (-1 before 1), not the names.
  EXPECT_EQ(conversion.class_order, (std::vector<std::string>{"inactive", "active"}));
}

struct Tu_error_case {
  const char* name;
  Tu_text text;
  const char* source;
  std::size_t line;
  const char* words;
};

class TuReaderErrors : public ::testing::TestWithParam<Tu_error_case> {};

Tu_text with(std::string Tu_text::*field, std::string value) {
  Tu_text text;
  text.*field = std::move(value);
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TuReaderErrors,
    ::testing::Values(
        Tu_error_case{"unknown_node", with(&Tu_text::a, "1, 2\n2, 1\n2, 9\n3, 2\n4, 5\n5, 4\n"), "A", 3, "node 9"},
        Tu_error_case{"node_zero", with(&Tu_text::a, "0, 2\n2, 1\n2, 3\n3, 2\n4, 5\n5, 4\n"), "A", 1, "node 0"},
        Tu_error_case{"edge_between_graphs", with(&Tu_text::a, "1, 2\n2, 1\n3, 4\n3, 2\n4, 5\n5, 4\n"), "A", 3,
                      "between"},
        Tu_error_case{"line_without_comma", with(&Tu_text::a, "1, 2\n2 1\n"), "A", 2, "expected"},
        Tu_error_case{"text_instead_of_node", with(&Tu_text::a, "1, x\n"), "A", 1, "expected node"},
        Tu_error_case{"blank_line_inside", with(&Tu_text::a, "1, 2\n\n2, 1\n"), "A", 2, "empty line"},
        Tu_error_case{"more_node_labels", with(&Tu_text::node_labels, "0\n1\n0\n2\n0\n7\n"), "node_labels", 6,
                      "more node labels"},
        Tu_error_case{"fewer_node_labels", with(&Tu_text::node_labels, "0\n1\n0\n2\n"), "node_labels", 0,
                      "4 node labels for the 5 nodes"},
        Tu_error_case{"graph_id_out_of_range", with(&Tu_text::indicator, "1\n1\n1\n2\n3\n"), "indicator", 5,
                      "graph id 3"},
        Tu_error_case{"more_edge_labels", with(&Tu_text::edge_labels, "1\n1\n2\n2\n0\n0\n1\n"), "edge_labels", 7,
                      "more edge labels"},
        Tu_error_case{"fewer_edge_labels", with(&Tu_text::edge_labels, "1\n1\n2\n2\n0\n"), "edge_labels", 0,
                      "line 6"},
        Tu_error_case{"no_graphs", with(&Tu_text::graph_labels, ""), "graph_labels", 0, "no graphs"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(TuReaderErrors, NameTheFileAndLine) {
  const Tu_error_case& c = GetParam();
  try {
    read_tu_text(c.text);
    FAIL() << "no error";
  } catch (const Convert_error& error) {
    EXPECT_EQ(error.source(), c.source) << error.what();
    EXPECT_EQ(error.line(), c.line) << error.what();
    EXPECT_NE(error.detail().find(c.words), std::string::npos) << error.what();
  }
}

TEST(TuReader, LabelWithoutNameIsAnErrorAtItsLine) {
  std::istringstream node_text("0 C\n1 N\n");
  const auto node = Label_names::read(node_text, "nodes", Label_names::Section::node);
  try {
    read_tu_text({}, {&node, nullptr, nullptr});
    FAIL() << "no error";
  } catch (const Convert_error& error) {
    EXPECT_EQ(error.source(), "node_labels");
    EXPECT_EQ(error.line(), 4u);
    EXPECT_NE(error.detail().find("nodes"), std::string::npos) << error.what();
  }
}

TEST(TuReader, FolderNameIsThePrefixAndAMissingFileIsNamed) {
  Warnings warnings;
  const Conversion conversion = read_tu_folder(fixture("TINY"), "", {}, warnings.sink());
  EXPECT_EQ(conversion.graphs.size(), 4u);
  murex::test::Scratch_dir scratch;
  scratch.write("X_A.txt", "1, 2\n");
  try {
    read_tu_folder(scratch.path(), "X", {}, warnings.sink());
    FAIL() << "no error";
  } catch (const Convert_error& error) {
    EXPECT_EQ(error.source(), (scratch.path() / "X_graph_indicator.txt").string());
  }
}

// ---------------------------------------------------------------- label names

TEST(LabelNames, ReadmeSectionsAreSeparatedAndTextIsIgnored) {
  // The shape of the TU readmes: headings, indented "number name" lines, prose.
  const std::string readme =
      "Node labels:\t\t[chem]\n\nEdge labels:\t\t[valence]\n\n"
      "Node labels were converted to integer values using this map:\n\nComponent 0:\n\t0\tC  \n\t1\tO\n\n"
      "Edge labels were converted to integer values using this map:\n\nComponent 0:\n\t0\t1\n\t1\t2\n\n"
      "Class labels were converted to integer values using this map:\n\n\t0\tmutagen\n\t1\tnonmutagen\n"
      "#####\nedge_gt.txt\n0: \t\tEdges outside motifs.\n";
  std::istringstream a(readme), b(readme), c(readme);
  const auto node = Label_names::read(a, "readme", Label_names::Section::node);
  const auto edge = Label_names::read(b, "readme", Label_names::Section::edge);
  const auto graph_class = Label_names::read(c, "readme", Label_names::Section::graph_class);
  EXPECT_EQ(node.name_of("0"), "C");
  EXPECT_EQ(node.name_of("1"), "O");
  EXPECT_EQ(node.name_of("2"), std::nullopt);
  EXPECT_EQ(edge.name_of("1"), "2");
  EXPECT_EQ(graph_class.name_of("1"), "nonmutagen");
  EXPECT_EQ(graph_class.name_of("x"), std::nullopt);
}

TEST(LabelNames, PlainFileKeepsTheRestOfTheLineAsName) {
  std::istringstream in("0 C\n\n-1 not active \n");
  const auto names = Label_names::read(in, "plain", Label_names::Section::node);
  EXPECT_EQ(names.name_of("-1"), "not active");
  EXPECT_EQ(names.name_of("+0"), "C");
}

struct Names_error_case {
  const char* name;
  const char* text;
  std::size_t line;
};

class LabelNamesErrors : public ::testing::TestWithParam<Names_error_case> {};

INSTANTIATE_TEST_SUITE_P(Cases, LabelNamesErrors,
                         ::testing::Values(Names_error_case{"plain_line_without_name", "0 C\n1\n", 2},
                                           Names_error_case{"plain_line_of_text", "0 C\nC zero\n", 2},
                                           Names_error_case{"number_twice", "0 C\n1 N\n0 O\n", 3},
                                           Names_error_case{"readme_without_the_section",
                                                            "Edge labels:\n0 single\n", 0},
                                           Names_error_case{"empty", "", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(LabelNamesErrors, NameTheLine) {
  std::istringstream in(GetParam().text);
  try {
    Label_names::read(in, "names", Label_names::Section::node);
    FAIL() << "no error";
  } catch (const Convert_error& error) {
    EXPECT_EQ(error.source(), "names");
    EXPECT_EQ(error.line(), GetParam().line) << error.what();
  }
}

// ---------------------------------------------------------------------- gSpan

std::vector<Converted_graph> gspan(const std::string& text, Warnings* warnings = nullptr) {
  std::istringstream in(text);
  Warnings ignored;
  return read_gspan(in, "g", {}, (warnings != nullptr ? *warnings : ignored).sink());
}

TEST(GspanReader, ReadsGraphsUpToTheEndMarker) {
  const auto graphs = gspan("t # 7\nv 0 a\nv 1 b\ne 0 1 x\n\nt # 3\nv 5 c\nv 2 d\ne 2 5\nt # -1\nv 0 ignored\n");
  ASSERT_EQ(graphs.size(), 2u);
  EXPECT_EQ(shape(graphs[0]), "a b | 1-2:x");
  EXPECT_EQ(shape(graphs[1]), "c d | 2-1:-");
  EXPECT_EQ(graphs[1].source_id, "3");
  EXPECT_EQ(graphs[1].source_index, 2u);
}

TEST(GspanReader, EdgeMayNameANodeGivenLater) {
  const auto graphs = gspan("t # 0\nv 0 a\ne 0 1 x\nv 1 b\n");
  EXPECT_EQ(shape(graphs[0]), "a b | 1-2:x");
}

struct Gspan_error_case {
  const char* name;
  const char* text;
  std::size_t line;
  const char* words;
};

class GspanReaderErrors : public ::testing::TestWithParam<Gspan_error_case> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, GspanReaderErrors,
    ::testing::Values(Gspan_error_case{"unknown_line", "t # 0\nv 0 a\nx 1 2\n", 3, "does not parse"},
                      Gspan_error_case{"node_before_graph", "v 0 a\n", 1, "before the first"},
                      Gspan_error_case{"edge_to_unknown_node", "t # 0\nv 0 a\ne 0 4 x\nt # 1\nv 0 a\n", 3,
                                       "unknown node 4"},
                      Gspan_error_case{"edge_into_previous_graph", "t # 0\nv 0 a\nv 1 a\nt # 1\nv 0 a\ne 0 1 x\n", 6,
                                       "unknown node 1"},
                      Gspan_error_case{"node_twice", "t # 0\nv 0 a\nv 0 b\n", 3, "twice"},
                      Gspan_error_case{"node_without_label", "t # 0\nv 0\n", 2, "expected"},
                      Gspan_error_case{"graph_line_without_hash", "t 0\n", 1, "expected"},
                      Gspan_error_case{"no_graph", "\n", 0, "no graphs"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(GspanReaderErrors, NameTheLine) {
  try {
    gspan(GetParam().text);
    FAIL() << "no error";
  } catch (const Convert_error& error) {
    EXPECT_EQ(error.source(), "g");
    EXPECT_EQ(error.line(), GetParam().line) << error.what();
    EXPECT_NE(error.detail().find(GetParam().words), std::string::npos) << error.what();
  }
}

const char* const three_graphs = "t # 10\nv 0 a\nt # 11\nv 0 a\nt # 12\nv 0 a\n";

std::vector<std::string> classes_of(const std::string& class_text) {
  auto graphs = gspan(three_graphs);
  std::istringstream in(class_text);
  assign_gspan_classes(graphs, in, "classes", {});
  std::vector<std::string> values;
  for (const auto& graph : graphs) values.push_back(graph.class_value);
  return values;
}

TEST(GspanClasses, OnePerLineOrByGraphId) {
  EXPECT_EQ(classes_of("x\ny\nx\n\n"), (std::vector<std::string>{"x", "y", "x"}));
  EXPECT_EQ(classes_of("y\t12\nx\t10\ny\t11\n"), (std::vector<std::string>{"x", "y", "y"}));
}

struct Class_error_case {
  const char* name;
  const char* text;
  std::size_t line;
  const char* words;
};

class GspanClassErrors : public ::testing::TestWithParam<Class_error_case> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, GspanClassErrors,
    ::testing::Values(Class_error_case{"fewer_lines", "x\ny\n", 3, "2 class lines for 3 graphs"},
                      Class_error_case{"more_lines", "x\ny\nx\ny\n", 4, "more class lines"},
                      Class_error_case{"blank_line_inside", "x\n\ny\nx\n", 2, "empty line"},
                      Class_error_case{"three_columns", "x 10 1\n", 1, "expected"},
                      Class_error_case{"forms_mixed", "x\t10\ny\n", 2, "expected"},
                      Class_error_case{"unknown_graph_id", "x\t10\ny\t99\n", 2, "unknown graph id 99"},
                      Class_error_case{"graph_id_twice", "x\t10\ny\t10\n", 2, "already has a class"},
                      Class_error_case{"graph_without_class", "x\t10\ny\t12\n", 0, "graph 11"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(GspanClassErrors, NameTheLine) {
  try {
    classes_of(GetParam().text);
    FAIL() << "no error";
  } catch (const Convert_error& error) {
    EXPECT_EQ(error.source(), "classes");
    EXPECT_EQ(error.line(), GetParam().line) << error.what();
    EXPECT_NE(error.detail().find(GetParam().words), std::string::npos) << error.what();
  }
}

TEST(GspanClasses, ClassWithoutNameIsAnErrorAtItsLine) {
  auto graphs = gspan(three_graphs);
  std::istringstream names_text("0 inactive\n1 active\n");
  const auto names = Label_names::read(names_text, "names", Label_names::Section::graph_class);
  std::istringstream in("0\n1\n2\n");
  try {
    assign_gspan_classes(graphs, in, "classes", {nullptr, nullptr, &names});
    FAIL() << "no error";
  } catch (const Convert_error& error) {
    EXPECT_EQ(error.line(), 3u);
    EXPECT_NE(error.detail().find("class 2 has no name"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace murex::convert::test
