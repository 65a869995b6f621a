#include "convert/conversion_writer.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "convert/data_file_writer.h"
#include "convert/output_folder.h"

namespace murex::convert {
namespace {

constexpr const char* default_ini =
    "// Chunk the pair types found in at least 10% of the graphs; report every\n"
    "// pattern by its information gain between the classes.\n"
    "#CEVALFUNC frequency 0.1\n"
    "#GEVALFUNC info_gain 0.0\n";

std::string one_line(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

std::string shell_quoted(const std::string& text) {
  const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || std::string("/._+-=:,@%").find(c) != std::string::npos;
  });
  if (plain) return text;
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string class_file_name(const std::string& value) {
  std::string name = value.empty() ? "_" : value;
  for (char& c : name) {
    const bool kept = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '+' || c == '-';
    if (!kept) c = '_';
  }
  return "class_" + name + ".txt";
}

Written_conversion write_conversion(const Conversion& conversion, const std::filesystem::path& folder,
                                    const Warning_sink& warn) {
  std::map<std::string, std::size_t> class_index;
  for (const auto& value : conversion.class_order) class_index.emplace(value, class_index.size());

  // Sort the graphs into their classes, in source order.
  std::vector<std::vector<const Converted_graph*>> members(conversion.class_order.size());
  Written_conversion written;
  for (const auto& graph : conversion.graphs) {
    const auto found = class_index.find(graph.class_value);
    if (found == class_index.end()) {
      throw Convert_error(conversion.source, 0, "graph " + std::to_string(graph.source_index) + " has the unknown class \"" +
                                                    graph.class_value + "\"");
    }
    if (graph.nodes.empty()) {
      warn(conversion.source + ": graph " + std::to_string(graph.source_index) +
           (graph.source_id.empty() ? std::string() : " (" + one_line(graph.source_id) + ")") +
           " has no nodes and is left out");
      ++written.skipped;
      continue;
    }
    members[found->second].push_back(&graph);
  }

  Data_file_writer writer(conversion.source, warn);
  std::set<std::string> used_names;
  std::vector<std::string> contents;
  std::ostringstream map;
  map << "class_file\tgraph_number\tsource_index\tsource_id\n";
  for (std::size_t c = 0; c < members.size(); ++c) {
    if (members[c].empty()) {
      warn(conversion.source + ": class \"" + conversion.class_order[c] + "\" has no graph to write; no file for it");
      continue;
    }
    // Two values may reduce to the same file name: number the later ones.
    std::string name = class_file_name(conversion.class_order[c]);
    for (int k = 2; used_names.count(name) != 0; ++k) {
      name = class_file_name(conversion.class_order[c] + "_" + std::to_string(k));
    }
    used_names.insert(name);
    std::ostringstream data;
    std::size_t number = 0;
    for (const Converted_graph* graph : members[c]) {
      if (number != 0) data << '\n';
      writer.write(data, *graph);
      ++number;
      map << name << '\t' << number << '\t' << graph->source_index << '\t' << one_line(graph->source_id) << '\n';
    }
    written.classes.push_back({conversion.class_order[c], name, number});
    contents.push_back(data.str());
  }
  if (written.classes.empty()) throw Convert_error(conversion.source, 0, "no graph to write");

  Output_folder output(folder);
  for (std::size_t c = 0; c < written.classes.size(); ++c) output.stage(written.classes[c].file_name, contents[c]);
  if (!output.holds("murex.ini")) {
    output.stage("murex.ini", default_ini);
    written.wrote_ini = true;
  }
  // The mapping goes last: its presence means the class files are complete.
  output.stage("graph_map.tsv", map.str());
  output.commit();
  return written;
}

std::string murex_command(const Written_conversion& written, const std::string& folder) {
  std::string files;
  for (const auto& c : written.classes) files += (files.empty() ? "" : ",") + c.file_name;
  return "cd " + shell_quoted(folder) + " && murex -c " + std::to_string(written.classes.size()) + " -f " + files +
         " -d 0 -b 5";
}

std::string summary_line(const Written_conversion& written, const std::string& folder) {
  std::size_t total = 0;
  std::string parts;
  for (const auto& c : written.classes) {
    total += c.graphs;
    parts += (parts.empty() ? "" : ", ") + c.file_name + " " + std::to_string(c.graphs);
  }
  std::string line = std::to_string(total) + " graphs written to " + folder + ": " + parts;
  if (written.skipped != 0) line += " (" + std::to_string(written.skipped) + " without nodes left out)";
  return line;
}

}  // namespace murex::convert
