#include "report/graph_map.h"

#include <algorithm>

#include "report/report_error.h"
#include "report/text_lines.h"

namespace murex::report {

Graph_map parse_graph_map(const std::string& text, const std::string& file) {
  const std::vector<std::string> lines = split_lines(text);
  if (lines.empty() || lines[0] != "class_file\tgraph_number\tsource_index\tsource_id") {
    throw Report_error(file, 1, "expected the heading \"class_file<TAB>graph_number<TAB>source_index<TAB>source_id\"");
  }
  Graph_map map;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    if (lines[k].empty()) continue;
    const std::vector<std::string> fields = split_fields(lines[k], '\t');
    if (fields.size() != 4) {
      throw Report_error(file, k + 1, "expected 4 tab-separated fields, found " + std::to_string(fields.size()));
    }
    long long number = 0;
    long long index = 0;
    if (fields[0].empty()) throw Report_error(file, k + 1, "empty class file name");
    if (!parse_integer(fields[1], number) || number <= 0) {
      throw Report_error(file, k + 1, "bad graph number \"" + fields[1] + "\"");
    }
    if (!parse_integer(fields[2], index) || index <= 0) {
      throw Report_error(file, k + 1, "bad source index \"" + fields[2] + "\"");
    }
    if (std::find(map.class_files.begin(), map.class_files.end(), fields[0]) == map.class_files.end()) {
      map.class_files.push_back(fields[0]);
    }
    if (!map.graphs[fields[0]].emplace(number, Graph_source{index, fields[3]}).second) {
      throw Report_error(file, k + 1, "graph " + fields[1] + " of " + fields[0] + " is listed twice");
    }
  }
  return map;
}

Graph_map read_graph_map(const std::filesystem::path& path) {
  return parse_graph_map(read_whole_file(path), path.string());
}

}  // namespace murex::report
