#pragma once
// One graph as a reader produced it, before it is written as murex data:
// labelled nodes, labelled undirected links between them, its class and where
// it came from.

#include <cstddef>
#include <string>
#include <vector>

namespace murex::convert {

struct Converted_link {
  std::size_t from;  // 0-based node indices into Converted_graph::nodes
  std::size_t to;
  std::string label;
};

struct Converted_graph {
  std::vector<std::string> nodes;  // node labels; node k is written on line k + 1
  std::vector<Converted_link> links;
  std::string class_value;
  std::size_t source_index = 0;  // 1-based position (or TU graph id) in the source
  std::string source_id;         // its identity in the source (gSpan id, title, TU id)
};

// The graphs read from a source, in source order, and the order of their
// classes: class_order[k] becomes murex's class k. Values absent from
// class_order are not allowed.
struct Conversion {
  std::string source;  // names the input in warnings
  std::vector<Converted_graph> graphs;
  std::vector<std::string> class_order;
};

// The distinct class values of `graphs` in ascending order: numerically when
// every value is a decimal number, otherwise byte by byte.
std::vector<std::string> ascending_class_values(const std::vector<Converted_graph>& graphs);

}  // namespace murex::convert
