#pragma once
// How the converter's fuzz targets turn bytes into reader input, shared with
// the tests that replay the saved regression inputs (tests/fuzz_regressions/
// convert_<format>/). Each function reads the input, writes every graph it
// yields as a data file into memory and returns; bad input must end in a
// Convert_error, never in a crash, a hang, a leak or any other exception.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "convert/convert_error.h"
#include "convert/converted_graph.h"
#include "convert/data_file_writer.h"
#include "convert/gspan_reader.h"
#include "convert/molecule_reader.h"
#include "convert/tu_reader.h"

namespace murex::fuzz {

inline void write_graphs(const std::vector<convert::Converted_graph>& graphs) {
  const convert::Warning_sink ignore = [](const std::string&) {};
  convert::Data_file_writer writer("fuzz", ignore);
  std::ostringstream out;
  for (const auto& graph : graphs) {
    if (!graph.nodes.empty()) writer.write(out, graph);
  }
}

// The first byte chooses the format (even: SDF, odd: SMILES), whether
// hydrogens are kept (bit 1) and whether the class comes from the field
// "activity" (bit 2); the rest is the file.
inline void feed_chem(const std::uint8_t* data, std::size_t size) {
  using namespace murex::convert;
  if (size == 0) return;
  Molecule_options options;
  options.format = (data[0] & 1) != 0 ? "smi" : "sdf";
  options.keep_hydrogens = (data[0] & 2) != 0;
  if ((data[0] & 4) != 0) options.class_field = "activity";
  std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  write_graphs(read_molecules(in, "fuzz", options, [](const std::string&) {}));
}

// The graph text, then (after a NUL byte, when present) a class file.
inline void feed_gspan(const std::uint8_t* data, std::size_t size) {
  using namespace murex::convert;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t split = text.find('\0');
  std::istringstream graphs_in(text.substr(0, split));
  auto graphs = read_gspan(graphs_in, "graphs", {}, [](const std::string&) {});
  if (split != std::string::npos) {
    std::istringstream classes_in(text.substr(split + 1));
    assign_gspan_classes(graphs, classes_in, "classes", {});
  }
  write_graphs(graphs);
}

// The files as sections separated by NUL bytes: A, graph indicator, graph
// labels, node labels and, when a fifth section is present, edge labels.
inline void feed_tu(const std::uint8_t* data, std::size_t size) {
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
  write_graphs(read_tu(files, {}, [](const std::string&) {}).graphs);
}

}  // namespace murex::fuzz
