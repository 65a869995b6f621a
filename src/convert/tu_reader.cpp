#include "convert/tu_reader.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "convert/text_lines.h"

namespace murex::convert {
namespace {

struct Value {
  std::string text;
  std::size_t line;
};

// One value per line; blank lines are allowed only after the last value, as
// anywhere else they would shift every following line onto the wrong item.
std::vector<Value> read_values(const Named_stream& stream) {
  std::vector<Value> values;
  Text_lines lines(*stream.in, stream.name);
  std::size_t first_blank = 0;
  while (lines.next()) {
    std::string value = compact(lines.line());
    if (value.empty()) {
      if (first_blank == 0) first_blank = lines.number();
      continue;
    }
    if (first_blank != 0) {
      throw Convert_error(stream.name, first_blank, "empty line (every line must hold one value)");
    }
    values.push_back({std::move(value), lines.number()});
  }
  if (stream.in->bad()) throw Convert_error(stream.name, 0, "read error");
  return values;
}

std::string named(const Label_names* names, const Value& value, const std::string& source, const char* what) {
  if (names == nullptr) return value.text;
  auto name = names->name_of(value.text);
  if (!name) {
    throw Convert_error(source, value.line,
                        std::string(what) + " " + value.text + " has no name in " + names->source());
  }
  return *name;
}

std::int64_t integer_in(const Value& value, std::int64_t last, const std::string& source, const char* what) {
  const auto number = parse_integer(value.text);
  if (!number) throw Convert_error(source, value.line, std::string("expected ") + what + ", found \"" + value.text + "\"");
  if (*number < 1 || *number > last) {
    throw Convert_error(source, value.line,
                        std::string(what) + " " + value.text + " is not between 1 and " + std::to_string(last));
  }
  return *number;
}

// Every graph's links keyed by their two nodes and label, so that the two
// directions of an edge become one link; the value keeps first-seen order.
struct Edge_tally {
  std::size_t order;
  std::size_t count;
};
using Edge_key = std::tuple<std::size_t, std::size_t, std::string>;

}  // namespace

Conversion read_tu(const Tu_files& files, const Label_name_set& names, const Warning_sink& warn) {
  const std::vector<Value> graph_labels = read_values(files.graph_labels);
  const std::vector<Value> indicator = read_values(files.graph_indicator);
  const std::vector<Value> node_labels = read_values(files.node_labels);
  const auto graph_count = static_cast<std::int64_t>(graph_labels.size());
  if (graph_count == 0) throw Convert_error(files.graph_labels.name, 0, "no graphs");

  if (node_labels.size() != indicator.size()) {
    if (node_labels.size() > indicator.size()) {
      throw Convert_error(files.node_labels.name, node_labels[indicator.size()].line,
                          "more node labels than the " + std::to_string(indicator.size()) + " nodes of " +
                              files.graph_indicator.name);
    }
    throw Convert_error(files.node_labels.name, 0,
                        std::to_string(node_labels.size()) + " node labels for the " +
                            std::to_string(indicator.size()) + " nodes of " + files.graph_indicator.name);
  }

  Conversion conversion;
  conversion.source = files.adjacency.name;
  conversion.graphs.resize(graph_labels.size());
  for (std::size_t g = 0; g < graph_labels.size(); ++g) {
    auto& graph = conversion.graphs[g];
    graph.source_index = g + 1;
    graph.source_id = std::to_string(g + 1);
    graph.class_value = named(names.graph_class, graph_labels[g], files.graph_labels.name, "class");
  }

  // Node i (1-based) lives in graph_of[i - 1] as local node local_of[i - 1].
  std::vector<std::size_t> graph_of(indicator.size());
  std::vector<std::size_t> local_of(indicator.size());
  for (std::size_t i = 0; i < indicator.size(); ++i) {
    const auto g = static_cast<std::size_t>(integer_in(indicator[i], graph_count, files.graph_indicator.name, "graph id"));
    auto& graph = conversion.graphs[g - 1];
    graph_of[i] = g - 1;
    local_of[i] = graph.nodes.size();
    graph.nodes.push_back(named(names.node, node_labels[i], files.node_labels.name, "node label"));
  }

  std::vector<Value> edge_labels;
  if (files.edge_labels) edge_labels = read_values(*files.edge_labels);

  std::vector<std::map<Edge_key, Edge_tally>> tallies(conversion.graphs.size());
  std::size_t loops = 0;
  std::size_t edge_count = 0;
  const auto node_count = static_cast<std::int64_t>(indicator.size());
  Text_lines lines(*files.adjacency.in, files.adjacency.name);
  std::size_t first_blank = 0;
  while (lines.next()) {
    const std::string_view text = trimmed(lines.line());
    if (text.empty()) {
      if (first_blank == 0) first_blank = lines.number();
      continue;
    }
    if (first_blank != 0) throw Convert_error(files.adjacency.name, first_blank, "empty line (every line must hold one edge)");
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos) {
      lines.fail("expected \"a, b\", found \"" + lines.line() + "\"");
    }
    const Value a{std::string(trimmed(text.substr(0, comma))), lines.number()};
    const Value b{std::string(trimmed(text.substr(comma + 1))), lines.number()};
    const auto from = static_cast<std::size_t>(integer_in(a, node_count, files.adjacency.name, "node")) - 1;
    const auto to = static_cast<std::size_t>(integer_in(b, node_count, files.adjacency.name, "node")) - 1;
    ++edge_count;
    std::string label = unlabelled_link;
    if (files.edge_labels) {
      if (edge_count > edge_labels.size()) {
        throw Convert_error(files.edge_labels->name, 0,
                            std::to_string(edge_labels.size()) + " edge labels for more edges in " + files.adjacency.name +
                                " (line " + std::to_string(lines.number()) + ")");
      }
      label = named(names.edge, edge_labels[edge_count - 1], files.edge_labels->name, "edge label");
    }
    if (graph_of[from] != graph_of[to]) {
      lines.fail("edge between node " + a.text + " of graph " + std::to_string(graph_of[from] + 1) + " and node " +
                 b.text + " of graph " + std::to_string(graph_of[to] + 1));
    }
    if (from == to) {
      ++loops;
      continue;
    }
    const std::size_t lo = std::min(local_of[from], local_of[to]);
    const std::size_t hi = std::max(local_of[from], local_of[to]);
    auto& tally = tallies[graph_of[from]];
    auto [entry, inserted] = tally.try_emplace(Edge_key{lo, hi, std::move(label)}, Edge_tally{tally.size(), 0});
    ++entry->second.count;
  }
  if (files.adjacency.in->bad()) throw Convert_error(files.adjacency.name, 0, "read error");
  if (files.edge_labels && edge_labels.size() != edge_count) {
    throw Convert_error(files.edge_labels->name, edge_labels[edge_count].line,
                        "more edge labels than the " + std::to_string(edge_count) + " edges of " + files.adjacency.name);
  }
  if (loops != 0) {
    warn(files.adjacency.name + ": " + std::to_string(loops) + " self-loop line(s) dropped (a link needs two nodes)");
  }

  for (std::size_t g = 0; g < tallies.size(); ++g) {
    std::vector<const std::pair<const Edge_key, Edge_tally>*> in_order(tallies[g].size());
    for (const auto& entry : tallies[g]) in_order[entry.second.order] = &entry;
    for (const auto* entry : in_order) {
      const auto& [lo, hi, label] = entry->first;
      for (std::size_t copy = 0; copy < (entry->second.count + 1) / 2; ++copy) {
        conversion.graphs[g].links.push_back({lo, hi, label});
      }
    }
  }

  // Classes in ascending order of their values in the file, then named.
  std::vector<Converted_graph> raw(graph_labels.size());
  for (std::size_t g = 0; g < graph_labels.size(); ++g) raw[g].class_value = graph_labels[g].text;
  for (const auto& value : ascending_class_values(raw)) {
    const Value cell{value, 0};
    const std::string name = named(names.graph_class, cell, files.graph_labels.name, "class");
    if (std::find(conversion.class_order.begin(), conversion.class_order.end(), name) == conversion.class_order.end()) {
      conversion.class_order.push_back(name);
    }
  }
  return conversion;
}

Conversion read_tu_folder(const std::filesystem::path& folder, const std::string& prefix,
                          const Label_name_set& names, const Warning_sink& warn) {
  if (!std::filesystem::is_directory(folder)) throw Convert_error(folder.string(), 0, "not a folder");
  std::string ds = prefix;
  if (ds.empty()) ds = std::filesystem::absolute(folder).lexically_normal().filename().string();
  if (ds.empty()) ds = std::filesystem::absolute(folder).lexically_normal().parent_path().filename().string();
  const auto path_of = [&](const char* part) { return (folder / (ds + "_" + part + ".txt")).string(); };

  std::vector<std::unique_ptr<std::ifstream>> opened;
  const auto open = [&](const char* part, bool required) -> std::optional<Named_stream> {
    const std::string path = path_of(part);
    if (!required && !std::filesystem::exists(path)) return std::nullopt;
    auto stream = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*stream) throw Convert_error(path, 0, "cannot open the file");
    opened.push_back(std::move(stream));
    return Named_stream{opened.back().get(), path};
  };
  Tu_files files{*open("A", true), *open("graph_indicator", true), *open("graph_labels", true),
                 *open("node_labels", true), open("edge_labels", false)};
  return read_tu(files, names, warn);
}

}  // namespace murex::convert
