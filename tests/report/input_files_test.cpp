// The readers of murex's output files, the data-file graph count and the
// graph mapping, on small inline texts.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "report/good_pair_file.h"
#include "report/graph_count.h"
#include "report/graph_map.h"
#include "report/report_error.h"
#include "report/run_status.h"

namespace murex::report {
namespace {

const std::string rule(80, '-');

std::string status_report(const std::string& kind, const std::string& node_rows, const std::string& link_rows,
                          int nodes, int links) {
  return "\n" + rule + "\nTue Jan 13 09:05:03 2004\n\n#_of_class_= 2\n" + kind +
         "\nNo_test_file\nTotal_node_number_= 0 Total_unit_number_= 0\n\nNode_label (" + std::to_string(nodes) +
         ")\n" + node_rows + "\n\nLink_label (" + std::to_string(links) + ")\n" + link_rows +
         "\n\nCanonical_label (0)\n\n\nChunk (0)\n\n" + rule + "\n";
}

TEST(Run_status, ReadsTheLastReport) {
  const std::string older = status_report("DirectedSubgraph ", " 1 Z 1\n", " 1 z 1\n", 1, 1);
  const std::string newer =
      status_report("UndirectedInduced Subgraph", " 1 C 5\n 2 a,b 2\n 3  7\n", " 1 single 4\n", 3, 1);
  const Run_status status = parse_run_status(older + newer, "initial_status.out");
  EXPECT_FALSE(status.directed);
  EXPECT_TRUE(status.induced);
  EXPECT_EQ(status.class_count, 2u);
  ASSERT_EQ(status.node_labels.size(), 3u);
  EXPECT_EQ(status.node_labels.at(1).name, "C");
  EXPECT_EQ(status.node_labels.at(1).count, 5);
  EXPECT_EQ(status.node_labels.at(2).name, "a,b");
  EXPECT_EQ(status.node_labels.at(3).name, "");  // a node line of blanks has an empty label
  EXPECT_EQ(status.node_labels.at(3).count, 7);
  ASSERT_EQ(status.link_labels.size(), 1u);
  EXPECT_EQ(status.link_labels.at(1).name, "single");

  const Run_status directed = parse_run_status(older, "f");
  EXPECT_TRUE(directed.directed);
  EXPECT_FALSE(directed.induced);
}

struct Error_case {
  const char* name;
  std::string text;
  std::size_t line;  // expected line of the error, 0 for the whole file
  std::string what;  // part of the message
};

void expect_errors(const std::vector<Error_case>& cases, const std::function<void(const std::string&)>& parse) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      parse(c.text);
      ADD_FAILURE() << "no error";
    } catch (const Report_error& error) {
      EXPECT_EQ(error.file(), "in.txt");
      EXPECT_EQ(error.line(), c.line);
      EXPECT_NE(std::string(error.what()).find(c.what), std::string::npos) << error.message();
    }
  }
}

TEST(Run_status, RejectsMalformedReports) {
  const std::string good = status_report("DirectedSubgraph ", " 1 C 1\n", " 1 s 1\n", 1, 1);
  const auto replace = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  expect_errors(
      {
          {"no report", "hello\n", 0, "no run report"},
          {"bad kind", replace("DirectedSubgraph ", "Sideways"), 6, "expected \"Directed\""},
          {"bad mode", replace("DirectedSubgraph ", "DirectedWhatever"), 6, "\"Subgraph\""},
          {"short table", replace("Node_label (1)", "Node_label (2)"), 12, "malformed label line"},
          {"row without count", replace(" 1 C 1\n", " 1 C\n"), 11, "malformed label line"},
          {"no link table", replace("Link_label (1)", "Links"), 0, "no \"Link_label (\" table"},
          {"repeated number", replace(" 1 C 1\n", " 1 C 1\n 1 D 1\n").replace(good.find("Node_label (1)"), 14,
                                                                                  "Node_label (2)"),
           12, "appears twice"},
      },
      [](const std::string& text) { parse_run_status(text, "in.txt"); });
}

TEST(Good_pair_file, ReadsEntries) {
  const std::string text =
      "Good_pairs \n1 2 \n0 1 0 \n    1 4 \n    \nevaluation= 0.5\n\n1 2 3 \n0 1 0 0 2 0 \n    \n    3 \n"
      "evaluation= -nan\n\n";
  const Good_pair_file file = parse_good_pairs(text, "good_pair.out");
  EXPECT_EQ(file.class_count, 2u);
  ASSERT_EQ(file.entries.size(), 2u);
  const Good_pair_entry& first = file.entries[0];
  EXPECT_EQ(first.line, 2u);
  EXPECT_EQ(first.node_labels, (std::vector<std::int64_t>{1, 2}));
  EXPECT_EQ(first.code, (std::vector<std::int64_t>{0, 1, 0}));
  EXPECT_EQ(first.graphs, (std::vector<std::vector<std::int64_t>>{{1, 4}, {}}));
  EXPECT_EQ(first.score, 0.5);
  EXPECT_EQ(first.score_text, "0.5");
  EXPECT_EQ(file.entries[1].line, 8u);
  EXPECT_EQ(file.entries[1].graphs, (std::vector<std::vector<std::int64_t>>{{}, {3}}));
  EXPECT_TRUE(std::isnan(file.entries[1].score));

  const Good_pair_file empty = parse_good_pairs("Good_pairs \n", "good_pair.out");
  EXPECT_TRUE(empty.entries.empty());
  EXPECT_EQ(empty.class_count, 0u);
}

TEST(Good_pair_file, RejectsMalformedEntries) {
  expect_errors(
      {
          {"no heading", "1 2 \n", 1, "Good_pairs"},
          {"letters in numbers", "Good_pairs \n1 x \n0 1 0 \n    1 \nevaluation= 1\n", 2, "bad node label numbers"},
          {"bad code", "Good_pairs \n1 2 \n0 a 0 \n    1 \nevaluation= 1\n", 3, "bad link code"},
          {"no evaluation", "Good_pairs \n1 2 \n0 1 0 \n    1 \n", 5, "evaluation= "},
          {"bad score", "Good_pairs \n1 2 \n0 1 0 \n    1 \nevaluation= high\n", 5, "not a number"},
          {"no class line", "Good_pairs \n1 2 \n0 1 0 \nevaluation= 1\n", 2, "no class"},
          {"class count changes", "Good_pairs \n1 2 \n0 1 0 \n    1 \nevaluation= 1\n\n1 2 \n0 2 0 \n    1 \n    2 \n"
                                  "evaluation= 1\n",
           7, "lists 2 classes, earlier ones 1"},
          {"cut short", "Good_pairs \n1 2 \n", 3, "before its link code"},
      },
      [](const std::string& text) { parse_good_pairs(text, "in.txt"); });
}

TEST(Graph_count, FollowsTheDataReader) {
  const std::vector<std::pair<std::string, std::size_t>> cases = {
      {"", 1},
      {"1 a\n2 b\n", 1},
      {"1 a\n2 b", 1},
      {"1 a\n\n1 b\n", 2},
      {"1 a\n\n\n\n1 b\n", 2},          // a run of blank lines separates like one
      {"1 a\n\n1 b\n\n\n", 2},          // trailing blank lines add no graph
      {"\n\n1 a\n\n\n1 b\n\n", 3},      // leading blank lines leave an empty graph 1
      {"1 a\r\n\r\n1 b\r\n", 2},        // CR before LF is dropped
      {"1 a\n \n1 b\n", 1},             // a line of blanks is a node line, not a separator
  };
  for (const auto& [text, graphs] : cases) EXPECT_EQ(count_graphs(text), graphs) << testing::PrintToString(text);
}

TEST(Graph_map, ReadsRows) {
  const Graph_map map = parse_graph_map(
      "class_file\tgraph_number\tsource_index\tsource_id\nb.txt\t1\t7\tmol seven\na.txt\t2\t3\t\nb.txt\t2\t8\tx,y\n",
      "graph_map.tsv");
  EXPECT_EQ(map.class_files, (std::vector<std::string>{"b.txt", "a.txt"}));
  EXPECT_EQ(map.graphs.at("b.txt").at(1).index, 7);
  EXPECT_EQ(map.graphs.at("b.txt").at(1).id, "mol seven");
  EXPECT_EQ(map.graphs.at("b.txt").at(2).id, "x,y");
  EXPECT_EQ(map.graphs.at("a.txt").at(2).id, "");
}

TEST(Graph_map, RejectsMalformedRows) {
  const std::string head = "class_file\tgraph_number\tsource_index\tsource_id\n";
  expect_errors(
      {
          {"no heading", "a.txt\t1\t1\tx\n", 1, "expected the heading"},
          {"three fields", head + "a.txt\t1\t1\n", 2, "expected 4 tab-separated fields"},
          {"bad graph number", head + "a.txt\t0\t1\tx\n", 2, "bad graph number"},
          {"bad source index", head + "a.txt\t1\tone\tx\n", 2, "bad source index"},
          {"repeated graph", head + "a.txt\t1\t1\tx\na.txt\t1\t2\ty\n", 3, "listed twice"},
      },
      [](const std::string& text) { parse_graph_map(text, "in.txt"); });
}

}  // namespace
}  // namespace murex::report
