#include "report/graph_count.h"

#include "report/text_lines.h"

namespace murex::report {

std::size_t count_graphs(const std::string& text) {
  std::size_t graphs = 1;
  bool ended = false;  // the current graph was ended by a blank line
  for (const std::string& line : split_lines(text)) {
    if (line.empty()) {
      ended = true;
    } else if (ended) {
      ++graphs;
      ended = false;
    }
  }
  return graphs;
}

std::size_t count_graphs_in_file(const std::filesystem::path& path) { return count_graphs(read_whole_file(path)); }

}  // namespace murex::report
