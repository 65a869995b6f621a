#include "report/report_program.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "report/graph_count.h"
#include "report/graph_map.h"
#include "report/html_page.h"
#include "report/pattern_drawing.h"
#include "report/report_error.h"
#include "report/staged_output.h"
#include "report/table_writers.h"
#include "report/text_lines.h"

namespace murex::report {

namespace fs = std::filesystem;

Report load_report(const Report_options& options) {
  const fs::path& run = options.run_dir;
  if (!fs::is_directory(run)) throw Report_error(run.string(), "is not a folder");

  std::optional<Graph_map> map;
  std::string map_name;
  if (options.map_file) {
    map_name = options.map_file->string();
    map = read_graph_map(*options.map_file);
  } else if (fs::exists(run / "graph_map.tsv")) {
    map_name = (run / "graph_map.tsv").string();
    map = read_graph_map(run / "graph_map.tsv");
  }

  std::vector<std::string> class_files = options.class_files;
  if (class_files.empty()) {
    if (!map) {
      throw Report_error(run.string(), "no class files: give them with -f as to murex, or put graph_map.tsv there");
    }
    class_files = map->class_files;
  }

  Report_inputs inputs;
  inputs.mapped = map.has_value();
  inputs.dummy_order = options.dummy_labels;
  for (const std::string& name : class_files) {
    Class_info info;
    info.file = name;
    const fs::path path = fs::path(name).is_absolute() ? fs::path(name) : run / name;
    info.graph_count = count_graphs_in_file(path);
    inputs.classes.push_back(std::move(info));
  }
  if (map) {
    for (const std::string& name : map->class_files) {
      const auto found = std::find_if(inputs.classes.begin(), inputs.classes.end(),
                                      [&](const Class_info& info) { return info.file == name; });
      if (found == inputs.classes.end()) {
        throw Report_error(map_name, "names the class file " + name + ", which is not one of the run's class files");
      }
      for (const auto& [number, source] : map->graphs.at(name)) {
        if (static_cast<std::size_t>(number) > found->graph_count) {
          throw Report_error(map_name, "graph " + std::to_string(number) + " of " + name + " does not exist (" +
                                           name + " has " + std::to_string(found->graph_count) + " graphs)");
        }
      }
      found->sources = map->graphs.at(name);
    }
  }

  inputs.status_file = (run / "initial_status.out").string();
  inputs.status = read_run_status(run / "initial_status.out");
  inputs.good_pair_file = (run / "good_pair.out").string();
  inputs.good_pairs = read_good_pairs(run / "good_pair.out");
  return build_report(std::move(inputs));
}

namespace {

std::string text_of(void (*writer)(std::ostream&, const Report&), const Report& report) {
  std::ostringstream out;
  writer(out, report);
  return out.str();
}

void write_report(const Report& report, const Report_options& options, const fs::path& out_dir, std::ostream& err) {
  Staged_output output(out_dir);
  output.write("patterns.json", text_of(write_patterns_json, report));
  output.write("patterns.csv", text_of(write_patterns_csv, report));
  output.write("occurrences.csv", text_of(write_occurrences_csv, report));

  const fs::path drawings_dir = output.staged("patterns");
  fs::create_directory(drawings_dir);
  std::vector<Pattern_drawing> drawings;
  std::vector<fs::path> dot_files;
  for (const Pattern& pattern : report.patterns) {
    const std::string name = "pattern_" + std::to_string(pattern.index);
    drawings.push_back({"", pattern_dot(pattern, report.directed)});
    dot_files.push_back(drawings_dir / (name + ".dot"));
    output.write("patterns/" + name + ".dot", drawings.back().dot);
  }
  const Render_outcome rendered = render_svgs(options.dot_program, dot_files);
  if (rendered.program_missing && !dot_files.empty()) {
    err << "murex-report: warning: cannot run '" << options.dot_program
        << "' (Graphviz); the drawings stay DOT files and the page shows their text\n";
  } else if (rendered.failed != 0) {
    err << "murex-report: warning: '" << options.dot_program << "' drew no SVG for " << rendered.failed
        << " patterns; the page shows their DOT text\n";
  }
  if (!rendered.program_missing) {
    for (std::size_t k = 0; k < dot_files.size(); ++k) {
      fs::path svg = dot_files[k];
      svg.replace_extension(".svg");
      if (fs::exists(svg)) drawings[k].svg = inline_svg(read_whole_file(svg));
    }
  }

  std::ostringstream page;
  write_html_page(page, report, drawings);
  output.write("report.html", page.str());
  output.commit("report.html");
}

}  // namespace

int run_report_program(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Report_options options;
  try {
    options = parse_report_options(args);
  } catch (const std::invalid_argument& bad) {
    err << "murex-report: " << bad.what() << " (murex-report -h shows the usage)\n";
    return 1;
  }
  if (options.help) {
    out << report_usage();
    return 0;
  }
  try {
    const Report report = load_report(options);
    const fs::path out_dir = options.out_dir ? *options.out_dir : options.run_dir / "report";
    write_report(report, options, out_dir, err);
    out << "murex-report: " << report.patterns.size() << " patterns written to " << out_dir.string()
        << " (report.html, patterns.json, patterns.csv, occurrences.csv, patterns/)\n";
    return 0;
  } catch (const Report_error& error) {
    err << "murex-report: error: " << error.message() << "\n";
  } catch (const std::exception& error) {
    err << "murex-report: error: " << error.what() << "\n";
  }
  return 1;
}

}  // namespace murex::report
