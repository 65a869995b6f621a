#include "label/pattern_links.h"

#include <algorithm>

#include "graph/graph.h"
#include "graph/unit_for_chunk.h"

namespace murex {

Pattern_links::Pattern_links(Graph& graph, bool directed) : directed_(directed) {
  const auto n = static_cast<std::size_t>(graph.get_node_count());
  node_label_.assign(n + 1, 0);
  degree_.assign(n + 1, 0);
  self_.assign(n + 1, 0);
  into_.resize(n + 1);
  out_of_.resize(n + 1);
  for (std::size_t k = 1; k <= n; ++k) {
    node_label_[k] = static_cast<std::uint32_t>(graph.node_at(static_cast<std::int32_t>(k))->get_label()->get_number());
  }
  graph.reset_units();
  while (MyCl::Unit* unit = graph.next_unit()) {
    const auto* link = dynamic_cast<const MyCl::Unit_for_chunk*>(unit);
    if (link == nullptr) continue;
    units_.push_back({link->get_node1()->get_number(), link->get_node2()->get_number(),
                      static_cast<std::uint32_t>(link->get_label()->get_number())});
  }

  // The last unit of every pair of nodes decides the recorded label: sort the
  // unit indexes by pair, keeping unit order inside a pair, and take the last.
  std::vector<std::size_t> order(units_.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  auto key = [&](std::size_t k) {
    const Pattern_unit& u = units_[k];
    if (directed_ || u.from <= u.to) return std::make_pair(u.from, u.to);
    return std::make_pair(u.to, u.from);
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return key(x) < key(y); });
  for (std::size_t k = 0; k < order.size(); ++k) {
    const Pattern_unit& u = units_[order[k]];
    ++degree_[index(u.from)];
    if (!directed_) ++degree_[index(u.to)];
    if (k + 1 < order.size() && key(order[k + 1]) == key(order[k])) continue;
    const auto [a, b] = key(order[k]);
    if (a == b) {
      self_[index(a)] = u.label;
    } else if (directed_) {
      out_of_[index(a)].push_back({b, u.label});
      into_[index(b)].push_back({a, u.label});
    } else {
      into_[index(a)].push_back({b, u.label});
      into_[index(b)].push_back({a, u.label});
    }
  }
}

}  // namespace murex
