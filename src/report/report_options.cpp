#include "report/report_options.h"

#include <stdexcept>

#include "report/text_lines.h"

namespace murex::report {

const char* report_usage() {
  return "usage: murex-report RUN_DIR [-f CLASS_FILE,...] [--map GRAPH_MAP] [-o OUT_DIR] [--dot PROGRAM] "
         "[--dummy-labels]\n"
         "\n"
         "Reads a finished murex run (initial_status.out and good_pair.out in RUN_DIR, and the class\n"
         "data files) and writes report.html, patterns.json, patterns.csv, occurrences.csv and\n"
         "patterns/pattern_<k>.dot/.svg into OUT_DIR (default RUN_DIR/report).\n"
         "\n"
         "  -f FILES        the class data files as given to murex -f (relative to RUN_DIR);\n"
         "                  default: the class_file column of the graph mapping, in order\n"
         "  --map FILE      graph mapping written by murex-convert (default RUN_DIR/graph_map.tsv\n"
         "                  when it exists): adds source identities to the results\n"
         "  -o DIR          output folder\n"
         "  --dot PROGRAM   the Graphviz program that renders SVG (default dot)\n"
         "  --dummy-labels  the run used -d 3 (directed graphs, dummy canonical labels)\n"
         "  -h, --help      this text\n";
}

Report_options parse_report_options(const std::vector<std::string>& args) {
  Report_options options;
  bool have_run_dir = false;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& arg = args[k];
    const auto value = [&]() -> const std::string& {
      if (k + 1 >= args.size()) throw std::invalid_argument("option " + arg + " needs a value");
      return args[++k];
    };
    if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "-f") {
      options.class_files = split_fields(value(), ',');
      for (const std::string& file : options.class_files) {
        if (file.empty()) throw std::invalid_argument("-f: empty class file name");
      }
    } else if (arg == "--map") {
      options.map_file = value();
    } else if (arg == "-o") {
      options.out_dir = value();
    } else if (arg == "--dot") {
      options.dot_program = value();
    } else if (arg == "--dummy-labels") {
      options.dummy_labels = true;
    } else if (!arg.empty() && arg[0] == '-') {
      throw std::invalid_argument("unknown option " + arg);
    } else if (have_run_dir) {
      throw std::invalid_argument("more than one run folder: " + options.run_dir.string() + " and " + arg);
    } else {
      options.run_dir = arg;
      have_run_dir = true;
    }
  }
  if (!options.help && !have_run_dir) throw std::invalid_argument("no run folder given");
  return options;
}

}  // namespace murex::report
