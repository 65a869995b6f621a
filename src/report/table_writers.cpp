#include "report/table_writers.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "report/text_escape.h"

namespace murex::report {
namespace {

std::string link_text(const Pattern_link& link, bool directed) {
  return std::to_string(link.from) + (directed ? ">" : "-") + std::to_string(link.to) + ":" + link.label;
}

template <class T, class F>
std::string joined(const std::vector<T>& items, const std::string& separator, F text) {
  std::string out;
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k != 0) out += separator;
    out += text(items[k]);
  }
  return out;
}

void write_row(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (k != 0) out << ',';
    out << csv_field(fields[k]);
  }
  out << "\r\n";
}

std::string source_id(const Class_info& info, std::int64_t graph) {
  const auto found = info.sources.find(graph);
  return found == info.sources.end() ? std::string() : found->second.id;
}

}  // namespace

void write_patterns_json(std::ostream& out, const Report& report) {
  out << "{\n  \"graph_kind\": {\"directed\": " << (report.directed ? "true" : "false")
      << ", \"induced_subgraph\": " << (report.induced ? "true" : "false") << "},\n";
  out << "  \"classes\": [";
  for (std::size_t c = 0; c < report.classes.size(); ++c) {
    const Class_info& info = report.classes[c];
    out << (c == 0 ? "\n" : ",\n") << "    {\"class\": " << c << ", \"file\": " << json_string(info.file)
        << ", \"graphs\": " << info.graph_count << "}";
  }
  out << "\n  ],\n  \"patterns\": [";
  for (std::size_t p = 0; p < report.patterns.size(); ++p) {
    const Pattern& pattern = report.patterns[p];
    out << (p == 0 ? "\n" : ",\n") << "    {\n";
    out << "      \"pattern\": " << pattern.index << ",\n";
    out << "      \"rank\": " << pattern.rank << ",\n";
    out << "      \"score\": " << json_number_text(pattern.score_text) << ",\n";
    out << "      \"nodes\": [" << joined(pattern.nodes, ", ", json_string) << "],\n";
    out << "      \"node_label_numbers\": ["
        << joined(pattern.node_numbers, ", ", [](std::int64_t n) { return std::to_string(n); }) << "],\n";
    out << "      \"links\": [" << joined(pattern.links, ", ", [](const Pattern_link& link) {
      return "{\"from\": " + std::to_string(link.from) + ", \"to\": " + std::to_string(link.to) +
             ", \"label\": " + json_string(link.label) + ", \"label_number\": " + std::to_string(link.label_number) +
             "}";
    }) << "],\n";
    out << "      \"smarts\": " << (pattern.smarts ? json_string(*pattern.smarts) : "null") << ",\n";
    out << "      \"total_support\": " << pattern.total_support() << ",\n";
    out << "      \"classes\": [";
    for (std::size_t c = 0; c < pattern.classes.size(); ++c) {
      const Class_support& support = pattern.classes[c];
      out << (c == 0 ? "\n" : ",\n") << "        {\"class\": " << c << ", \"support\": " << support.count
          << ", \"fraction\": " << json_number(support.fraction) << ", \"graphs\": ["
          << joined(support.graphs, ", ", [](std::int64_t g) { return std::to_string(g); }) << "]";
      if (report.mapped) {
        out << ", \"sources\": [" << joined(support.graphs, ", ", [&](std::int64_t g) {
          return json_string(source_id(report.classes[c], g));
        }) << "]";
      }
      out << "}";
    }
    out << "\n      ]\n    }";
  }
  out << "\n  ]\n}\n";
}

void write_patterns_csv(std::ostream& out, const Report& report) {
  std::vector<std::string> header = {"pattern", "rank", "score", "node_count", "nodes", "links", "smarts",
                                     "total_support"};
  for (std::size_t c = 0; c < report.classes.size(); ++c) {
    const std::string n = std::to_string(c);
    header.insert(header.end(), {"support_" + n, "fraction_" + n, "graphs_" + n});
    if (report.mapped) header.push_back("sources_" + n);
  }
  write_row(out, header);
  for (const Pattern& pattern : report.patterns) {
    std::vector<std::string> row = {
        std::to_string(pattern.index),
        std::to_string(pattern.rank),
        pattern.score_text,
        std::to_string(pattern.nodes.size()),
        joined(pattern.nodes, " ", [](const std::string& s) { return s; }),
        joined(pattern.links, " ", [&](const Pattern_link& link) { return link_text(link, report.directed); }),
        pattern.smarts.value_or(""),
        std::to_string(pattern.total_support())};
    for (std::size_t c = 0; c < pattern.classes.size(); ++c) {
      const Class_support& support = pattern.classes[c];
      row.push_back(std::to_string(support.count));
      row.push_back(json_number(support.fraction));
      row.push_back(joined(support.graphs, " ", [](std::int64_t g) { return std::to_string(g); }));
      if (report.mapped) {
        row.push_back(joined(support.graphs, "; ", [&](std::int64_t g) { return source_id(report.classes[c], g); }));
      }
    }
    write_row(out, row);
  }
}

void write_occurrences_csv(std::ostream& out, const Report& report) {
  std::vector<std::string> header = {"class", "class_file", "graph_number"};
  if (report.mapped) header.insert(header.end(), {"source_index", "source_id"});
  for (const Pattern& pattern : report.patterns) header.push_back("pattern_" + std::to_string(pattern.index));
  write_row(out, header);
  for (std::size_t c = 0; c < report.classes.size(); ++c) {
    const Class_info& info = report.classes[c];
    std::vector<std::set<std::int64_t>> present;
    for (const Pattern& pattern : report.patterns) {
      present.emplace_back(pattern.classes[c].graphs.begin(), pattern.classes[c].graphs.end());
    }
    for (std::int64_t g = 1; g <= static_cast<std::int64_t>(info.graph_count); ++g) {
      std::vector<std::string> row = {std::to_string(c), info.file, std::to_string(g)};
      if (report.mapped) {
        const auto found = info.sources.find(g);
        row.push_back(found == info.sources.end() ? std::string() : std::to_string(found->second.index));
        row.push_back(found == info.sources.end() ? std::string() : found->second.id);
      }
      for (const auto& graphs : present) row.push_back(graphs.count(g) != 0 ? "1" : "0");
      write_row(out, row);
    }
  }
}

}  // namespace murex::report
