#pragma once
// The graph mapping written by murex-convert (graph_map.tsv): for each graph
// of each class file, where it came from. Tab-separated, the first line
// exactly "class_file\tgraph_number\tsource_index\tsource_id".

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace murex::report {

struct Graph_source {
  std::int64_t index = 0;  // 1-based position in the source
  std::string id;          // the graph's identity in the source
};

struct Graph_map {
  // Class file names in the order they first appear.
  std::vector<std::string> class_files;
  // class file -> graph number -> source
  std::map<std::string, std::map<std::int64_t, Graph_source>> graphs;
};

// Throws Report_error naming `file` and the line on a malformed or repeated row.
Graph_map parse_graph_map(const std::string& text, const std::string& file);

Graph_map read_graph_map(const std::filesystem::path& path);

}  // namespace murex::report
