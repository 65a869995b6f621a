#pragma once
// Reader of the gSpan graph format and of the class files that go with it.
//
// Graph file: "t # id" starts a graph, "v id label" adds a node, "e a b label"
// a link between two nodes of the current graph ("e a b" without a label gets
// the label "-"); blank lines are ignored and a "t # -1" line ends the file.
// Class file: either one class per line (line i is the class of the i-th graph
// of the file) or "class<TAB>graph id" lines naming graphs by their "t #" id.

#include <istream>
#include <string>
#include <vector>

#include "convert/convert_error.h"
#include "convert/converted_graph.h"
#include "convert/label_names.h"

namespace murex::convert {

// The graphs of a gSpan file in file order (source_index: position from 1,
// source_id: the "t #" id), without classes. Throws Convert_error.
std::vector<Converted_graph> read_gspan(std::istream& in, const std::string& source, const Label_name_set& names,
                                        const Warning_sink& warn);

// Sets every graph's class from a class file; names.graph_class, when set,
// renames the class values. Throws Convert_error for a line that does not
// parse, fewer or more class lines than graphs, an unknown or repeated graph
// id, or a graph that gets no class.
void assign_gspan_classes(std::vector<Converted_graph>& graphs, std::istream& in, const std::string& source,
                          const Label_name_set& names);

}  // namespace murex::convert
