#include "report/link_code.h"

namespace murex::report {

std::size_t code_length(std::size_t node_count, Code_layout layout) {
  return layout == Code_layout::undirected ? node_count * (node_count + 1) / 2 : node_count * node_count;
}

std::optional<std::vector<Coded_link>> decode_links(std::size_t node_count, const std::vector<std::int64_t>& code,
                                                    Code_layout layout) {
  if (code.size() != code_length(node_count, layout)) return std::nullopt;
  std::vector<Coded_link> links;
  std::size_t index = 0;
  const auto take = [&](std::size_t from, std::size_t to) {
    const std::int64_t label = code[index++];
    if (label != 0) links.push_back({from, to, label});
  };
  switch (layout) {
    case Code_layout::undirected:
      for (std::size_t k = 1; k <= node_count; ++k) {
        for (std::size_t i = 1; i <= k; ++i) take(i, k);
      }
      break;
    case Code_layout::directed_shell:
      for (std::size_t k = 1; k <= node_count; ++k) {
        for (std::size_t i = 1; i < k; ++i) take(i, k);
        for (std::size_t j = 1; j <= k; ++j) take(k, j);
      }
      break;
    case Code_layout::directed_node_order:
      for (std::size_t to = 1; to <= node_count; ++to) {
        for (std::size_t from = 1; from <= node_count; ++from) take(from, to);
      }
      break;
  }
  return links;
}

}  // namespace murex::report
