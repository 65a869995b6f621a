#include "convert/data_file_writer.h"

#include <vector>

namespace murex::convert {

std::string Data_file_writer::writable(const std::string& label, bool link) {
  auto& seen = link ? link_seen_ : node_seen_;
  const auto found = seen.find(label);
  if (found != seen.end()) return found->second;
  std::string out = label.empty() ? "_" : label;
  for (char& c : out) {
    const bool breaks_line = c == ' ' || c == '\t' || c == '\r' || c == '\n';
    const bool breaks_link = link && (c == '(' || c == ')' || c == ',');
    if (breaks_line || breaks_link) c = '_';
  }
  if (out != label) {
    warn_(source_ + ": " + (link ? "link" : "node") + " label \"" + label + "\" written as \"" + out + "\"" +
          (link ? " (link labels cannot hold blanks, tabs, line ends, parentheses or commas)"
                : " (node labels cannot be empty or hold blanks, tabs or line ends)"));
  }
  seen.emplace(label, out);
  return out;
}

void Data_file_writer::write(std::ostream& out, const Converted_graph& graph) {
  std::vector<std::vector<const Converted_link*>> links_of(graph.nodes.size());
  for (const auto& link : graph.links) links_of[link.from].push_back(&link);
  for (std::size_t k = 0; k < graph.nodes.size(); ++k) {
    out << k + 1 << ' ' << node_label(graph.nodes[k]);
    for (const Converted_link* link : links_of[k]) out << ' ' << link->to + 1 << '(' << link_label(link->label) << ')';
    out << '\n';
  }
}

}  // namespace murex::convert
