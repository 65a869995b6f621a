#pragma once
// Reader of the TU graph-classification format: a folder of DS_A.txt (one
// "a, b" edge per line over global 1-based node numbers, every undirected edge
// normally listed in both directions), DS_graph_indicator.txt (the graph of
// node i on line i), DS_graph_labels.txt (the class of graph i on line i),
// DS_node_labels.txt (the label of node i) and optionally DS_edge_labels.txt
// (the label of the edge on line i of DS_A.txt).
//
// Each undirected edge becomes one link: the two directions of an edge with the
// same label count as one link (an edge listed once still gives one link).
// Without edge labels every link is labelled "-". Self-loops are dropped with a
// warning. A graph's nodes are numbered in ascending global node order.

#include <filesystem>
#include <istream>
#include <optional>
#include <string>

#include "convert/convert_error.h"
#include "convert/converted_graph.h"
#include "convert/label_names.h"

namespace murex::convert {

// The link label written when the input gives links no label.
inline constexpr const char* unlabelled_link = "-";

struct Named_stream {
  std::istream* in;  // not owned
  std::string name;  // used in messages
};

struct Tu_files {
  Named_stream adjacency;
  Named_stream graph_indicator;
  Named_stream graph_labels;
  Named_stream node_labels;
  std::optional<Named_stream> edge_labels;
};

// Reads the TU files; graphs come out in graph-id order (source_index and
// source_id are the graph id). Throws Convert_error on bad input.
Conversion read_tu(const Tu_files& files, const Label_name_set& names, const Warning_sink& warn);

// Opens <folder>/<prefix>_*.txt (prefix: the folder's name when empty) and reads them.
Conversion read_tu_folder(const std::filesystem::path& folder, const std::string& prefix,
                          const Label_name_set& names, const Warning_sink& warn);

}  // namespace murex::convert
