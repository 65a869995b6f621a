#pragma once
// The decoded results of one murex run: every good pair with its label
// names, links, graphs and supports per class, score and rank, and the
// classes with their graph counts and (when mapped) source identities.
// Built from the parsed input files; the writers only read it.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "report/good_pair_file.h"
#include "report/graph_map.h"
#include "report/link_code.h"
#include "report/run_status.h"

namespace murex::report {

struct Class_info {
  std::string file;  // the data file as named to murex
  std::size_t graph_count = 0;
  std::map<std::int64_t, Graph_source> sources;  // by graph number; empty without a mapping
};

struct Pattern_link {
  std::size_t from = 0;  // 1-based position in the pattern
  std::size_t to = 0;
  std::int64_t label_number = 0;
  std::string label;
};

struct Class_support {
  std::vector<std::int64_t> graphs;  // graph numbers, ascending
  std::size_t count = 0;             // number of graphs
  double fraction = 0.0;             // count / graphs of the class
};

struct Pattern {
  std::size_t index = 0;  // 1-based position in good_pair.out
  std::size_t rank = 0;   // 1 = best score; ties keep good_pair.out order
  double score = 0.0;
  std::string score_text;
  std::vector<std::int64_t> node_numbers;
  std::vector<std::string> nodes;  // node label names by position
  std::vector<Pattern_link> links;
  std::vector<Class_support> classes;
  std::optional<std::string> smarts;
  std::size_t total_support() const;
};

struct Report {
  bool directed = true;
  bool induced = false;
  bool mapped = false;  // the classes carry source identities
  std::vector<Class_info> classes;
  std::vector<Pattern> patterns;  // in good_pair.out order
  // Positions in `patterns`, best score first.
  std::vector<std::size_t> ranked() const;
};

struct Report_inputs {
  Run_status status;
  std::string status_file;  // names the files in error messages
  Good_pair_file good_pairs;
  std::string good_pair_file;
  std::vector<Class_info> classes;
  bool mapped = false;
  bool dummy_order = false;  // the run used dummy labels in a directed graph (-d 3)
};

// Decodes and checks everything; throws Report_error naming the file and
// line of the first inconsistency (a label number missing from the tables, a
// code of the wrong length, a graph number beyond its class, a class count
// that disagrees with the class files).
Report build_report(Report_inputs inputs);

}  // namespace murex::report
