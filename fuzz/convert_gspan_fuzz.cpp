// Feeds bytes to the gSpan reader, the class-file reader and the data-file
// writer: the graph text, then (after a NUL byte, when present) a class file.
// Bad input must end in a Convert_error, never in a crash, a hang or a leak.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "convert/data_file_writer.h"
#include "convert/gspan_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace murex::convert;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t split = text.find('\0');
  std::istringstream graphs_in(text.substr(0, split));
  const Warning_sink ignore = [](const std::string&) {};
  try {
    auto graphs = read_gspan(graphs_in, "graphs", {}, ignore);
    if (split != std::string::npos) {
      std::istringstream classes_in(text.substr(split + 1));
      assign_gspan_classes(graphs, classes_in, "classes", {});
    }
    Data_file_writer writer("fuzz", ignore);
    std::ostringstream out;
    for (const auto& graph : graphs) {
      if (!graph.nodes.empty()) writer.write(out, graph);
    }
  } catch (const Convert_error&) {
  }
  return 0;
}
