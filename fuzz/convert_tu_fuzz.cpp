// Feeds bytes to the TU reader and the data-file writer. The input holds the
// files as sections separated by NUL bytes: A, graph indicator, graph labels,
// node labels and, when a fifth section is present, edge labels. Bad input
// must end in a Convert_error, never in a crash, a hang or a leak.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "convert/data_file_writer.h"
#include "convert/tu_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace murex::convert;
  std::vector<std::string> sections(1);
  for (std::size_t k = 0; k < size; ++k) {
    if (data[k] == 0 && sections.size() < 5) {
      sections.emplace_back();
    } else {
      sections.back().push_back(static_cast<char>(data[k]));
    }
  }
  sections.resize(std::max<std::size_t>(sections.size(), 4));
  std::istringstream a(sections[0]), indicator(sections[1]), graph_labels(sections[2]), node_labels(sections[3]);
  std::istringstream edge_labels(sections.size() > 4 ? sections[4] : "");
  Tu_files files{{&a, "A"}, {&indicator, "indicator"}, {&graph_labels, "graph_labels"}, {&node_labels, "node_labels"},
                 std::nullopt};
  if (sections.size() > 4) files.edge_labels = Named_stream{&edge_labels, "edge_labels"};
  const Warning_sink ignore = [](const std::string&) {};
  try {
    const Conversion conversion = read_tu(files, {}, ignore);
    Data_file_writer writer("fuzz", ignore);
    std::ostringstream out;
    for (const auto& graph : conversion.graphs) {
      if (!graph.nodes.empty()) writer.write(out, graph);
    }
  } catch (const Convert_error&) {
  }
  return 0;
}
