#include "convert/gspan_reader.h"

#include <map>
#include <optional>

#include "convert/text_lines.h"
#include "convert/tu_reader.h"

namespace murex::convert {
namespace {

std::string named(const Label_names* names, const std::string& value, const Text_lines& lines, const char* what) {
  if (names == nullptr) return value;
  auto name = names->name_of(value);
  if (!name) lines.fail(std::string(what) + " " + value + " has no name in " + names->source());
  return *name;
}

struct Pending_edge {
  std::string a;
  std::string b;
  std::string label;
  std::size_t line;
};

class Gspan_parser {
 public:
  Gspan_parser(std::istream& in, const std::string& source, const Label_name_set& names)
      : lines_(in, source), names_(names) {}

  std::vector<Converted_graph> parse(std::size_t& loops) {
    while (lines_.next()) {
      const auto tokens = blank_separated(lines_.line());
      if (tokens.empty()) continue;
      if (tokens[0] == "t") {
        if (tokens.size() < 3 || tokens[1] != "#") lines_.fail("expected \"t # id\", found \"" + lines_.line() + "\"");
        finish(loops);
        if (tokens[2] == "-1") break;
        graphs_.emplace_back();
        graphs_.back().source_index = graphs_.size();
        graphs_.back().source_id = tokens[2];
        node_of_.clear();
        continue;
      }
      if (tokens[0] == "v") {
        if (tokens.size() != 3) lines_.fail("expected \"v id label\", found \"" + lines_.line() + "\"");
        auto& graph = current();
        if (!node_of_.emplace(tokens[1], graph.nodes.size()).second) lines_.fail("node " + tokens[1] + " given twice");
        graph.nodes.push_back(named(names_.node, tokens[2], lines_, "node label"));
        continue;
      }
      if (tokens[0] == "e") {
        if (tokens.size() != 3 && tokens.size() != 4) {
          lines_.fail("expected \"e a b label\", found \"" + lines_.line() + "\"");
        }
        current();
        const std::string label =
            tokens.size() == 4 ? named(names_.edge, tokens[3], lines_, "edge label") : std::string(unlabelled_link);
        pending_.push_back({tokens[1], tokens[2], label, lines_.number()});
        continue;
      }
      lines_.fail("line does not parse: \"" + lines_.line() + "\"");
    }
    finish(loops);
    return std::move(graphs_);
  }

 private:
  Converted_graph& current() {
    if (graphs_.empty()) lines_.fail("node or edge before the first \"t #\" line");
    return graphs_.back();
  }

  // Links may name nodes given later in the graph, so they are resolved at its end.
  void finish(std::size_t& loops) {
    for (const auto& edge : pending_) {
      const auto a = node_of_.find(edge.a);
      const auto b = node_of_.find(edge.b);
      if (a == node_of_.end() || b == node_of_.end()) {
        throw Convert_error(lines_.source(), edge.line,
                            "edge to unknown node " + (a == node_of_.end() ? edge.a : edge.b) + " of graph " +
                                graphs_.back().source_id);
      }
      if (a->second == b->second) {
        ++loops;
        continue;
      }
      graphs_.back().links.push_back({a->second, b->second, edge.label});
    }
    pending_.clear();
  }

  Text_lines lines_;
  const Label_name_set& names_;
  std::vector<Converted_graph> graphs_;
  std::map<std::string, std::size_t> node_of_;
  std::vector<Pending_edge> pending_;
};

}  // namespace

std::vector<Converted_graph> read_gspan(std::istream& in, const std::string& source, const Label_name_set& names,
                                        const Warning_sink& warn) {
  std::size_t loops = 0;
  auto graphs = Gspan_parser(in, source, names).parse(loops);
  if (in.bad()) throw Convert_error(source, 0, "read error");
  if (graphs.empty()) throw Convert_error(source, 0, "no graphs (no \"t # id\" line)");
  if (loops != 0) warn(source + ": " + std::to_string(loops) + " self-loop edge(s) dropped (a link needs two nodes)");
  return graphs;
}

void assign_gspan_classes(std::vector<Converted_graph>& graphs, std::istream& in, const std::string& source,
                          const Label_name_set& names) {
  Text_lines lines(in, source);
  std::optional<bool> by_id;  // known from the first line
  std::size_t position = 0;
  std::size_t first_blank = 0;
  std::map<std::string, std::size_t> graph_with_id;
  std::map<std::string, std::size_t> class_line_of;  // graph id -> class-file line
  std::string repeated_id;  // a "t #" id used by two graphs, which cannot be named by id
  for (std::size_t g = 0; g < graphs.size(); ++g) {
    if (!graph_with_id.emplace(graphs[g].source_id, g).second && repeated_id.empty()) repeated_id = graphs[g].source_id;
  }
  std::vector<bool> assigned(graphs.size(), false);

  while (lines.next()) {
    const auto tokens = blank_separated(lines.line());
    if (tokens.empty()) {
      if (first_blank == 0) first_blank = lines.number();
      continue;
    }
    if (first_blank != 0) throw Convert_error(source, first_blank, "empty line (every line must hold a class)");
    if (tokens.size() > 2 || (by_id && *by_id != (tokens.size() == 2))) {
      lines.fail(std::string("expected ") + (by_id && *by_id ? "\"class<TAB>graph id\"" : "one class") +
                 ", found \"" + lines.line() + "\"");
    }
    by_id = tokens.size() == 2;
    if (*by_id && !repeated_id.empty()) lines.fail("graph id " + repeated_id + " names several graphs");
    const std::string value = named(names.graph_class, tokens[0], lines, "class");
    if (!*by_id) {
      if (position == graphs.size()) {
        lines.fail("more class lines than the " + std::to_string(graphs.size()) + " graphs");
      }
      graphs[position].class_value = value;
      assigned[position++] = true;
      continue;
    }
    const auto found = graph_with_id.find(tokens[1]);
    if (found == graph_with_id.end()) lines.fail("unknown graph id " + tokens[1]);
    if (!class_line_of.emplace(tokens[1], lines.number()).second) {
      lines.fail("graph id " + tokens[1] + " already has a class (line " + std::to_string(class_line_of[tokens[1]]) + ")");
    }
    graphs[found->second].class_value = value;
    assigned[found->second] = true;
  }
  if (in.bad()) throw Convert_error(source, 0, "read error");
  for (std::size_t g = 0; g < graphs.size(); ++g) {
    if (assigned[g]) continue;
    if (by_id.value_or(false)) {
      throw Convert_error(source, 0, "graph " + graphs[g].source_id + " (graph " + std::to_string(g + 1) +
                                         " of the file) has no class line");
    }
    throw Convert_error(source, lines.number() + 1,
                        "missing class line: " + std::to_string(position) + " class lines for " +
                            std::to_string(graphs.size()) + " graphs");
  }
}

}  // namespace murex::convert
