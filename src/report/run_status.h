#pragma once
// What murex's initial status report (initial_status.out) tells about a run:
// the graph kind and the node-label and link-label tables. murex appends one
// report per run; the last one in the file describes the run whose
// good_pair.out sits beside it.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace murex::report {

struct Label_entry {
  std::string name;
  long long count = 0;  // how often the label occurs in the data
};

struct Run_status {
  bool directed = true;
  bool induced = false;  // induced-subgraph mode (every link between two nodes is one unit)
  std::size_t class_count = 0;
  std::map<std::int64_t, Label_entry> node_labels;  // by label number
  std::map<std::int64_t, Label_entry> link_labels;
};

// Parses the last report of `text`; `file` names the file in error messages.
// Throws Report_error (file and line) when the report is missing or malformed.
Run_status parse_run_status(const std::string& text, const std::string& file);

Run_status read_run_status(const std::filesystem::path& path);

}  // namespace murex::report
