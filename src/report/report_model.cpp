#include "report/report_model.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "report/report_error.h"
#include "report/smarts.h"

namespace murex::report {

std::size_t Pattern::total_support() const {
  std::size_t total = 0;
  for (const Class_support& support : classes) total += support.count;
  return total;
}

std::vector<std::size_t> Report::ranked() const {
  std::vector<std::size_t> order(patterns.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [this](std::size_t a, std::size_t b) { return patterns[a].rank < patterns[b].rank; });
  return order;
}

namespace {

void assign_ranks(std::vector<Pattern>& patterns) {
  std::vector<std::size_t> order(patterns.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  // Best score first; a score that is not a number goes last.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const double x = patterns[a].score;
    const double y = patterns[b].score;
    if (std::isnan(x) || std::isnan(y)) return !std::isnan(x) && std::isnan(y);
    return x > y;
  });
  for (std::size_t k = 0; k < order.size(); ++k) patterns[order[k]].rank = k + 1;
}

}  // namespace

Report build_report(Report_inputs inputs) {
  Report report;
  report.directed = inputs.status.directed;
  report.induced = inputs.status.induced;
  report.mapped = inputs.mapped;
  report.classes = std::move(inputs.classes);
  const std::size_t class_count = report.classes.size();

  if (inputs.status.class_count != class_count) {
    throw Report_error(inputs.status_file, "the run had " + std::to_string(inputs.status.class_count) +
                                               " classes, but " + std::to_string(class_count) +
                                               " class files were given");
  }
  const Good_pair_file& file = inputs.good_pairs;
  if (!file.entries.empty() && file.class_count != class_count) {
    throw Report_error(inputs.good_pair_file, file.entries.front().line,
                       "the entries list " + std::to_string(file.class_count) + " classes, but " +
                           std::to_string(class_count) + " class files were given");
  }

  const Code_layout layout = !report.directed     ? Code_layout::undirected
                             : inputs.dummy_order ? Code_layout::directed_node_order
                                                  : Code_layout::directed_shell;
  const auto& node_table = inputs.status.node_labels;
  const auto& link_table = inputs.status.link_labels;

  for (const Good_pair_entry& entry : file.entries) {
    const auto fail = [&](std::size_t line, const std::string& what) {
      throw Report_error(inputs.good_pair_file, line, what);
    };
    Pattern pattern;
    pattern.index = report.patterns.size() + 1;
    pattern.score = entry.score;
    pattern.score_text = entry.score_text;
    pattern.node_numbers = entry.node_labels;
    for (const std::int64_t number : entry.node_labels) {
      const auto found = node_table.find(number);
      if (found == node_table.end()) {
        fail(entry.line, "node label number " + std::to_string(number) + " is not in the node label table of " +
                             inputs.status_file);
      }
      pattern.nodes.push_back(found->second.name);
    }
    const auto links = decode_links(entry.node_labels.size(), entry.code, layout);
    if (!links) {
      fail(entry.line + 1, "a link code of " + std::to_string(entry.code.size()) + " entries does not fit " +
                               std::to_string(entry.node_labels.size()) + " nodes of a" +
                               (report.directed ? " directed" : "n undirected") + " run (expected " +
                               std::to_string(code_length(entry.node_labels.size(), layout)) + ")");
    }
    for (const Coded_link& link : *links) {
      const auto found = link_table.find(link.label);
      if (found == link_table.end()) {
        fail(entry.line + 1, "link label number " + std::to_string(link.label) +
                                 " is not in the link label table of " + inputs.status_file);
      }
      pattern.links.push_back({link.from, link.to, link.label, found->second.name});
    }
    for (std::size_t c = 0; c < class_count; ++c) {
      Class_support support;
      support.graphs = entry.graphs[c];
      std::sort(support.graphs.begin(), support.graphs.end());
      support.graphs.erase(std::unique(support.graphs.begin(), support.graphs.end()), support.graphs.end());
      for (const std::int64_t graph : support.graphs) {
        if (graph < 1 || static_cast<std::size_t>(graph) > report.classes[c].graph_count) {
          fail(entry.line + 2 + c, "graph number " + std::to_string(graph) + " is not a graph of " +
                                       report.classes[c].file + " (it has " +
                                       std::to_string(report.classes[c].graph_count) + " graphs)");
        }
      }
      support.count = support.graphs.size();
      const std::size_t total = report.classes[c].graph_count;
      support.fraction = total == 0 ? 0.0 : static_cast<double>(support.count) / static_cast<double>(total);
      pattern.classes.push_back(std::move(support));
    }
    std::vector<Named_link> named;
    for (const Pattern_link& link : pattern.links) named.push_back({link.from, link.to, link.label});
    pattern.smarts = chemistry_smarts(pattern.nodes, named);
    report.patterns.push_back(std::move(pattern));
  }
  assign_ranks(report.patterns);
  return report;
}

}  // namespace murex::report
