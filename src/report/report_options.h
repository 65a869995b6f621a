#pragma once
// The command line of murex-report:
//
//   murex-report RUN_DIR [-f CLASS_FILE,CLASS_FILE,...] [--map GRAPH_MAP] [-o OUT_DIR]
//                [--dot PROGRAM] [--dummy-labels] [-h]

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace murex::report {

struct Report_options {
  bool help = false;
  std::filesystem::path run_dir;
  std::vector<std::string> class_files;          // as given to murex's -f; empty: from the mapping
  std::optional<std::filesystem::path> map_file;  // default RUN_DIR/graph_map.tsv when it exists
  std::optional<std::filesystem::path> out_dir;   // default RUN_DIR/report
  std::string dot_program = "dot";
  bool dummy_labels = false;  // the run was made with -d 3 (directed, dummy labels)
};

// Throws std::invalid_argument with a one-line reason on a bad command line.
Report_options parse_report_options(const std::vector<std::string>& args);

const char* report_usage();

}  // namespace murex::report
