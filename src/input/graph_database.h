#pragma once
// The graphs of one class in one search state, and the reader of a class's
// data file.
//
// Data file: one node per line ("number label N(L) N(L) ..."; the number is
// not read, nodes are numbered by their lines), a blank line between graphs
// (several in a row count as one; trailing ones add no graph). A link names
// its target node N and its link label L. Every error ends the run with a
// message naming the file and the line.

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "graph/graph.h"
#include "graph/label.h"
#include "graph/pair_binder.h"

namespace murex {

class Pair;

// Splits a line into tokens separated by runs of blanks and tabs.
class Line_scanner {
 public:
  // Reads the next line (without its line end, a CR before the LF dropped).
  // Returns false at the end of the stream.
  bool read_line(std::istream& in);
  const std::string& line() const { return line_; }
  // From `position`: 0 when it is the end of the line (token unchanged);
  // otherwise skips blanks and tabs, takes the following run of other
  // characters as the token (empty when none) and returns the position past it.
  std::size_t next(std::size_t position);
  const std::string& token() const { return token_; }

 private:
  std::string line_;
  std::string token_;
};

class Graph_database {
 public:
  explicit Graph_database(Search_context* context) : context_(context) {}
  Graph_database(const Graph_database&) = delete;
  Graph_database& operator=(const Graph_database&) = delete;

  // Reads the data file of the class and stores its graph count in the run parameters.
  void read(std::int32_t class_index);
  // Reads graphs from `in`, naming `file_name` in messages.
  void read_stream(std::istream& in, const std::string& file_name);
  void add_graph(std::unique_ptr<Data_graph> graph) { graphs_.push_back(std::move(graph)); }
  std::size_t size() const { return graphs_.size(); }
  Data_graph& graph_at(std::size_t k) const { return *graphs_[k]; }
  const std::string& file_name() const { return file_name_; }

  void count_pairs(std::int32_t class_index);
  // Chunks `pair` in every graph of this class where `pair_type` occurs.
  void rewrite(std::int32_t class_index, Pair& pair, Node_label* label, const Pair_binder& pair_type);
  void copy_from(const Graph_database& source, std::int32_t class_index, const Node_label_map& node_labels,
                 const Link_label_map& link_labels, Graph_map& graphs);
  void print(std::ostream& out) const;

 private:
  std::string file_name_;
  std::vector<std::unique_ptr<Data_graph>> graphs_;
  Search_context* context_;
};

}  // namespace murex
