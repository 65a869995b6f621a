// murex-report on run folders made by the real murex from the fixtures.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>

#include "report_test_support.h"

namespace murex::report::test {
namespace {

namespace fs = std::filesystem;
using murex::test::read_file;
using murex::test::Scratch_dir;

const std::vector<std::string> chem_args = {"-c", "2", "-d", "0", "-s", "1", "-b", "1", "-f", "active.txt,inactive.txt"};
const std::vector<std::string> directed_args = {"-c", "2", "-d", "1", "-s", "1", "-b", "1", "-f", "one.txt,two.txt"};

std::string expected(const std::string& name) {
  return read_file(fs::path(MUREX_REPORT_FIXTURES) / "expected" / name);
}

std::size_t count_of(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

void expect_valid_json(const std::string& text) {
  std::size_t where = 0;
  EXPECT_TRUE(is_valid_json(text, where)) << "invalid JSON at byte " << where << ": "
                                          << text.substr(where > 40 ? where - 40 : 0, 80);
}

// The undirected chemistry run: class files and source identities come from graph_map.tsv.
TEST(Report_program, ChemistryRunWithMapping) {
  Scratch_dir scratch;
  make_run(scratch, "chem", chem_args);
  const auto result = run_report(scratch.path(), {"."});
  ASSERT_EQ(result.status, 0) << result.err;
  if (fs::exists("/usr/bin/dot")) {
    EXPECT_EQ(result.err, "");  // otherwise one warning about the drawings
  }
  const fs::path out = scratch.path() / "report";

  // Every pattern, checked by hand against the data files: names, links,
  // graphs per class with their sources, supports, fractions and SMARTS.
  EXPECT_EQ(read_file(out / "patterns.csv"),
            "pattern,rank,score,node_count,nodes,links,smarts,total_support,support_0,fraction_0,graphs_0,sources_0,"
            "support_1,fraction_1,graphs_1,sources_1\r\n"
            "1,3,0.25,2,C C,1-2:single,[#6]-[#6],1,0,0,,,1,0.5,1,ethane\r\n"
            "2,1,0.5,2,C N,1-2:single,[#6]-[#7],2,2,1,1 2,\"nitromethane, \"\"NM\"\"; formamide\",0,0,,\r\n"
            "3,2,0.5,2,C O,1-2:double,[#6]=[#8],2,1,0.5,2,formamide,1,0.5,2,formaldehyde <HCHO>\r\n"
            "4,4,0.25,2,N O,1-2:single,[#7]-[#8],1,1,0.5,1,\"nitromethane, \"\"NM\"\"\",0,0,,\r\n"
            "5,5,0.25,2,N O,1-2:double,[#7]=[#8],1,1,0.5,1,\"nitromethane, \"\"NM\"\"\",0,0,,\r\n"
            "6,6,0.25,3,C N O,1-2:single 2-3:single,[#6]-[#7]-[#8],1,1,0.5,1,\"nitromethane, \"\"NM\"\"\",0,0,,\r\n"
            "7,7,0.25,3,C N O,1-2:single 2-3:double,[#6]-[#7]=[#8],1,1,0.5,1,\"nitromethane, \"\"NM\"\"\",0,0,,\r\n"
            "8,8,0.25,3,C N O,1-2:single 1-3:double,[#6](-[#7])=[#8],1,1,0.5,2,formamide,0,0,,\r\n");
  EXPECT_EQ(read_file(out / "occurrences.csv"),
            "class,class_file,graph_number,source_index,source_id,pattern_1,pattern_2,pattern_3,pattern_4,pattern_5,"
            "pattern_6,pattern_7,pattern_8\r\n"
            "0,active.txt,1,1,\"nitromethane, \"\"NM\"\"\",0,1,0,1,1,1,1,0\r\n"
            "0,active.txt,2,3,formamide,0,1,1,0,0,0,0,1\r\n"
            "1,inactive.txt,1,2,ethane,1,0,0,0,0,0,0,0\r\n"
            "1,inactive.txt,2,4,formaldehyde <HCHO>,0,0,1,0,0,0,0,0\r\n");

  const std::string json = read_file(out / "patterns.json");
  expect_valid_json(json);
  EXPECT_NE(json.find("{\"class\": 0, \"support\": 2, \"fraction\": 1, \"graphs\": [1, 2], "
                      "\"sources\": [\"nitromethane, \\\"NM\\\"\", \"formamide\"]}"),
            std::string::npos);
  EXPECT_NE(json.find("\"smarts\": \"[#6](-[#7])=[#8]\""), std::string::npos);
  EXPECT_NE(json.find("{\"class\": 1, \"file\": \"inactive.txt\", \"graphs\": 2}"), std::string::npos);

  for (int k = 1; k <= 8; ++k) EXPECT_TRUE(fs::exists(out / "patterns" / ("pattern_" + std::to_string(k) + ".dot")));
  EXPECT_FALSE(fs::exists(out / "patterns" / "pattern_9.dot"));
  // Nothing of the staging folder is left behind.
  for (const auto& entry : fs::directory_iterator(out)) {
    EXPECT_NE(entry.path().filename().string().rfind(".murex-report", 0), 0u) << entry.path();
  }
}

// Naming the class files gives the same results as reading them from the mapping.
TEST(Report_program, ClassFilesFromTheCommandLine) {
  Scratch_dir scratch;
  make_run(scratch, "chem", chem_args);
  ASSERT_EQ(run_report(scratch.path(), {".", "-o", "by-map"}).status, 0);
  fs::remove(scratch.path() / "graph_map.tsv");
  const auto result = run_report(scratch.path(), {".", "-f", "active.txt,inactive.txt", "-o", "by-f"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string csv = read_file(scratch.path() / "by-f" / "patterns.csv");
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
            "pattern,rank,score,node_count,nodes,links,smarts,total_support,support_0,fraction_0,graphs_0,"
            "support_1,fraction_1,graphs_1");
  const auto rows = parse_csv(csv);
  const auto mapped_rows = parse_csv(read_file(scratch.path() / "by-map" / "patterns.csv"));
  ASSERT_EQ(rows.size(), mapped_rows.size());
  for (std::size_t r = 1; r < rows.size(); ++r) {
    // The same pattern columns, only without the sources.
    EXPECT_EQ(std::vector<std::string>(rows[r].begin(), rows[r].begin() + 11),
              std::vector<std::string>(mapped_rows[r].begin(), mapped_rows[r].begin() + 11));
  }
}

// A directed run: links keep their direction, both directions of a pair are
// two links, and label names with commas, quotes and markup survive every format.
TEST(Report_program, DirectedRun) {
  Scratch_dir scratch;
  make_run(scratch, "directed", directed_args);
  const auto result = run_report(scratch.path(), {".", "-f", "one.txt,two.txt"});
  ASSERT_EQ(result.status, 0) << result.err;
  const fs::path out = scratch.path() / "report";
  const std::string json = read_file(out / "patterns.json");
  expect_valid_json(json);
  EXPECT_EQ(json, expected("directed_patterns.json"));
  EXPECT_EQ(read_file(out / "patterns.csv"), expected("directed_patterns.csv"));
  const auto rows = parse_csv(read_file(out / "patterns.csv"));
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[7][4], "a,b a,b c&d");
  EXPECT_EQ(rows[7][5], "1>2:<x> 1>3:\"q\"");

  const std::string dot = read_file(out / "patterns" / "pattern_7.dot");
  EXPECT_NE(dot.find("digraph pattern_7 {"), std::string::npos);
  EXPECT_NE(dot.find("n1 -> n3 [id=\"p7_e2\", label=\"\\\"q\\\"\"];"), std::string::npos);
  EXPECT_NE(dot.find("n1 [id=\"p7_n1\", label=\"a,b\""), std::string::npos);

  const std::string html = read_file(out / "report.html");
  EXPECT_NE(html.find("<span class=\"link-label\">&lt;x&gt;</span>"), std::string::npos);
  EXPECT_NE(html.find("<span class=\"node-label\">c&amp;d</span>"), std::string::npos);
  EXPECT_EQ(html.find("<x>"), std::string::npos);
}

// A run with dummy labels (-d 3) lays the code out by node numbers.
TEST(Report_program, DirectedRunWithDummyLabels) {
  Scratch_dir scratch;
  make_run(scratch, "directed", {"-c", "2", "-d", "3", "-s", "1", "-b", "1", "-f", "one.txt,two.txt"});
  const auto result = run_report(scratch.path(), {".", "-f", "one.txt,two.txt", "--dummy-labels"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto rows = parse_csv(read_file(scratch.path() / "report" / "patterns.csv"));
  std::vector<std::string> patterns;
  for (std::size_t r = 1; r < rows.size(); ++r) patterns.push_back(rows[r][4] + " | " + rows[r][5]);
  // The same patterns as the real-label run, in murex's dummy node order.
  EXPECT_EQ(patterns, (std::vector<std::string>{
                          "a,b a,b | 1>2:<x>",
                          "a,b c&d | 1>2:\"q\"",
                          "a,b c&d | 2>1:\"q\" 1>2:\"q\"",
                          "a,b c&d | 2>1:<x> 1>2:\"q\"",
                          "c&d a,b | 1>2:\"q\"",
                          "c&d a,b | 1>2:<x>",
                          "a,b c&d a,b | 1>2:\"q\" 1>3:<x>",
                      }));
}

TEST(Report_program, DrawsSvgWithGraphviz) {
  if (!fs::exists("/usr/bin/dot") && !fs::exists("/usr/local/bin/dot")) GTEST_SKIP() << "Graphviz dot is not installed";
  Scratch_dir scratch;
  make_run(scratch, "chem", chem_args);
  const auto result = run_report(scratch.path(), {"."});
  ASSERT_EQ(result.status, 0) << result.err;
  const fs::path patterns = scratch.path() / "report" / "patterns";
  const std::string svg = read_file(patterns / "pattern_8.svg");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find(">double</text>"), std::string::npos);
  EXPECT_FALSE(fs::exists(patterns / "pattern_8.dot.svg"));
  const std::string html = read_file(scratch.path() / "report" / "report.html");
  EXPECT_EQ(count_of(html, "<svg"), 8u);
  EXPECT_EQ(html.find("<?xml"), std::string::npos);
  EXPECT_EQ(html.find("<pre class=\"dot\">"), std::string::npos);
}

TEST(Report_program, KeepsDotFilesWhenGraphvizIsMissing) {
  Scratch_dir scratch;
  make_run(scratch, "chem", chem_args);
  const auto result = run_report(scratch.path(), {".", "--dot", "/nonexistent/dot"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(count_of(result.err, "warning"), 1u) << result.err;
  EXPECT_NE(result.err.find("/nonexistent/dot"), std::string::npos);
  const fs::path patterns = scratch.path() / "report" / "patterns";
  EXPECT_TRUE(fs::exists(patterns / "pattern_1.dot"));
  EXPECT_FALSE(fs::exists(patterns / "pattern_1.svg"));
  const std::string html = read_file(scratch.path() / "report" / "report.html");
  EXPECT_EQ(count_of(html, "<pre class=\"dot\">"), 8u);
  EXPECT_EQ(html.find("<svg"), std::string::npos);
}

TEST(Report_program, PrintsUsage) {
  Scratch_dir scratch;
  const auto result = run_report(scratch.path(), {"-h"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind("usage: murex-report RUN_DIR", 0), 0u);
}

struct Bad_run {
  const char* name;
  std::function<void(const fs::path&)> spoil;  // changes the good run folder
  std::vector<std::string> args;
  std::string message;  // the whole error line, after "murex-report: "
};

void replace_in(const fs::path& file, const std::string& from, const std::string& to) {
  std::string text = read_file(file);
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  std::ofstream(file, std::ios::binary) << text;
}

// Every error: one line naming the file (and line), status 1, and no report
// written, while a report made earlier stays as it was.
TEST(Report_program, RejectsBadRuns) {
  const std::vector<Bad_run> cases = {
      {"missing good pairs", [](const fs::path& d) { fs::remove(d / "good_pair.out"); }, {"."},
       "error: ./good_pair.out: cannot be opened for reading"},
      {"missing status", [](const fs::path& d) { fs::remove(d / "initial_status.out"); }, {"."},
       "error: ./initial_status.out: cannot be opened for reading"},
      {"missing mapping file", [](const fs::path&) {}, {".", "-f", "active.txt,gone.txt", "--map", "none.tsv"},
       "error: none.tsv: cannot be opened for reading"},
      {"missing data file", [](const fs::path& d) { fs::remove(d / "graph_map.tsv"); }, {".", "-f", "active.txt,gone.txt"},
       "error: ./gone.txt: cannot be opened for reading"},
      {"malformed numbers", [](const fs::path& d) { replace_in(d / "good_pair.out", "1 1 \n", "1 x \n"); }, {"."},
       "error: ./good_pair.out:2: bad node label numbers \"1 x \""},
      {"node label not in the table", [](const fs::path& d) { replace_in(d / "good_pair.out", "1 1 \n", "1 9 \n"); },
       {"."}, "error: ./good_pair.out:2: node label number 9 is not in the node label table of ./initial_status.out"},
      {"link label not in the table",
       [](const fs::path& d) { replace_in(d / "good_pair.out", "0 1 0 \n", "0 7 0 \n"); }, {"."},
       "error: ./good_pair.out:3: link label number 7 is not in the link label table of ./initial_status.out"},
      {"code of the wrong length",
       [](const fs::path& d) { replace_in(d / "good_pair.out", "0 1 0 \n", "0 1 0 0 \n"); }, {"."},
       "error: ./good_pair.out:3: a link code of 4 entries does not fit 2 nodes of an undirected run (expected 3)"},
      {"graph beyond its class",
       [](const fs::path& d) { replace_in(d / "good_pair.out", "    \n    1 \n", "    \n    3 \n"); }, {"."},
       "error: ./good_pair.out:5: graph number 3 is not a graph of inactive.txt (it has 2 graphs)"},
      {"fewer class files than the run had", [](const fs::path& d) { fs::remove(d / "graph_map.tsv"); },
       {".", "-f", "active.txt"}, "error: ./initial_status.out: the run had 2 classes, but 1 class files were given"},
      {"good pairs of another class count",
       [](const fs::path& d) {
         fs::remove(d / "graph_map.tsv");
         replace_in(d / "initial_status.out", "#_of_class_= 2", "#_of_class_= 1");
       },
       {".", "-f", "active.txt"},
       "error: ./good_pair.out:2: the entries list 2 classes, but 1 class files were given"},
      {"malformed mapping",
       [](const fs::path& d) { replace_in(d / "graph_map.tsv", "\tformamide\n", "\n"); }, {"."},
       "error: ./graph_map.tsv:3: expected 4 tab-separated fields, found 3"},
      {"mapping naming a file the run lacks",
       [](const fs::path& d) { std::ofstream(d / "extra.txt") << "1 C\n"; }, {".", "-f", "extra.txt,inactive.txt"},
       "error: ./graph_map.tsv: names the class file active.txt, which is not one of the run's class files"},
      {"mapping beyond the class",
       [](const fs::path& d) { replace_in(d / "graph_map.tsv", "ethane", "ethane\ninactive.txt\t3\t9\textra"); },
       {"."}, "error: ./graph_map.tsv: graph 3 of inactive.txt does not exist (inactive.txt has 2 graphs)"},
      {"no class files at all", [](const fs::path& d) { fs::remove(d / "graph_map.tsv"); }, {"."},
       "error: .: no class files: give them with -f as to murex, or put graph_map.tsv there"},
      {"run folder missing", [](const fs::path&) {}, {"nowhere"}, "error: nowhere: is not a folder"},
      {"unknown option", [](const fs::path&) {}, {".", "--colour"},
       "unknown option --colour (murex-report -h shows the usage)"},
      {"no run folder", [](const fs::path&) {}, {}, "no run folder given (murex-report -h shows the usage)"},
      {"output folder is a file", [](const fs::path& d) { std::ofstream(d / "taken") << "x"; }, {".", "-o", "taken"},
       "error: taken: cannot create the output folder"},
  };
  Scratch_dir scratch;
  make_run(scratch, "chem", chem_args);
  ASSERT_EQ(run_report(scratch.path(), {"."}).status, 0);
  const fs::path good = scratch.path();
  const std::string earlier_html = read_file(good / "report" / "report.html");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Scratch_dir copy;
    fs::copy(good, copy.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    c.spoil(copy.path());
    const auto result = run_report(copy.path(), c.args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "murex-report: " + c.message + "\n");
    EXPECT_EQ(read_file(copy.path() / "report" / "report.html"), earlier_html);
    for (const auto& entry : fs::directory_iterator(copy.path() / "report")) {
      EXPECT_NE(entry.path().filename().string().rfind(".murex-report", 0), 0u) << entry.path();
    }
    EXPECT_FALSE(fs::exists(copy.path() / "taken" / "report.html"));
  }
}

}  // namespace
}  // namespace murex::report::test
