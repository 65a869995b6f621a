#pragma once
// Writes graphs in murex's data-file format: one line per node,
// "<number> <label> <target>(<link label>) ...", nodes numbered by their line
// within the graph from 1, each link on the line of its first node, a blank
// line between graphs.
//
// murex splits a node line at blanks and tabs and a link token at its first
// "(" and the next ")", and drops a CR before a line end, so labels are made
// writable here: blanks, tabs, CRs and line feeds become "_" in every label,
// and "(" , ")" and "," (the separator of efrl.ini) become "_" in link labels;
// an empty label becomes "_". Each label changed is reported once.

#include <map>
#include <ostream>
#include <string>

#include "convert/convert_error.h"
#include "convert/converted_graph.h"

namespace murex::convert {

class Data_file_writer {
 public:
  // `source` names the input in warnings.
  Data_file_writer(std::string source, Warning_sink warn) : source_(std::move(source)), warn_(std::move(warn)) {}

  // Writes the graph's node lines (no blank line before or after). The graph
  // must have at least one node: murex cannot read an empty graph back.
  void write(std::ostream& out, const Converted_graph& graph);

  std::string node_label(const std::string& label) { return writable(label, false); }
  std::string link_label(const std::string& label) { return writable(label, true); }

 private:
  std::string writable(const std::string& label, bool link);

  std::string source_;
  Warning_sink warn_;
  std::map<std::string, std::string> node_seen_;
  std::map<std::string, std::string> link_seen_;
};

}  // namespace murex::convert
