#pragma once
// The order search of the real canonical labels as plainly as it can be
// written: every tied order is kept to the end, so a star of k alike leaves
// holds k! orders. The tests compare the strategies, which keep one order of
// each set of interchangeable ones, against it label for label.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "graph/graph.h"
#include "graph/unit_for_chunk.h"
#include "label/canonical_label.h"

namespace murex::label_test {
namespace plain {

// One link of the pattern: node numbers and link label number.
struct Edge {
  std::int32_t a;
  std::int32_t b;
  std::uint32_t label;
};

inline std::vector<Edge> edges_of(Graph& graph, bool stop_at_foreign_unit) {
  std::vector<Edge> edges;
  graph.reset_units();
  while (MyCl::Unit* unit = graph.next_unit()) {
    const auto* link = dynamic_cast<const MyCl::Unit_for_chunk*>(unit);
    if (link == nullptr) {
      if (stop_at_foreign_unit) break;
      continue;
    }
    edges.push_back({link->get_node1()->get_number(), link->get_node2()->get_number(),
                     static_cast<std::uint32_t>(link->get_label()->get_number())});
  }
  return edges;
}

inline std::size_t code_size(std::size_t n, bool directed) { return directed ? n * n : n * (n + 1) / 2; }

// The order search without any shortcut: every tied order is kept. Orders are kept in one
// flat buffer (N node numbers each); every step builds the next list of
// orders from the current one and swaps the buffers, so no step copies the
// whole list more than once and the search is a loop, not a recursion.
class Plain_order_search {
 public:
  Plain_order_search(Graph& graph, bool directed) : graph_(graph), directed_(directed) {}

  Canonical_label run() {
    Canonical_label result;
    n_ = static_cast<std::size_t>(graph_.get_node_count());
    if (n_ == 0) return result;
    edges_ = edges_of(graph_, false);
    std::vector<std::uint32_t> sizes = group_order(result);
    result.code() = search(sizes);
    return result;
  }

 private:
  std::uint32_t label_of(std::int32_t node) const {
    return static_cast<std::uint32_t>(graph_.node_at(node)->get_label()->get_number());
  }

  // Degrees, sequence, groups and their order. Fills the start
  // order and the node labels; returns the group sizes.
  std::vector<std::uint32_t> group_order(Canonical_label& result) {
    std::vector<std::uint32_t> degree(n_ + 1, 0);
    for (const Edge& e : edges_) {
      ++degree[static_cast<std::size_t>(e.a)];
      if (!directed_) ++degree[static_cast<std::size_t>(e.b)];
    }
    std::vector<std::int32_t> sequence(n_);
    for (std::size_t k = 0; k < n_; ++k) sequence[k] = static_cast<std::int32_t>(k + 1);
    std::stable_sort(sequence.begin(), sequence.end(), [&](std::int32_t x, std::int32_t y) {
      if (label_of(x) != label_of(y)) return label_of(x) < label_of(y);
      return degree[static_cast<std::size_t>(x)] > degree[static_cast<std::size_t>(y)];
    });
    struct Group {
      std::size_t begin;
      std::size_t size;
    };
    std::vector<Group> groups;
    for (std::size_t k = 0; k < n_; ++k) {
      const auto node = sequence[k];
      if (!groups.empty()) {
        const auto prev = sequence[k - 1];
        if (label_of(prev) == label_of(node) &&
            degree[static_cast<std::size_t>(prev)] == degree[static_cast<std::size_t>(node)]) {
          ++groups.back().size;
          continue;
        }
      }
      groups.push_back({k, 1});
    }
    std::stable_sort(groups.begin(), groups.end(), [](const Group& x, const Group& y) { return x.size < y.size; });
    start_.clear();
    std::vector<std::uint32_t> sizes;
    for (const Group& g : groups) {
      for (std::size_t k = g.begin; k < g.begin + g.size; ++k) {
        start_.push_back(sequence[k]);
        result.node_labels().push_back(graph_.node_at(sequence[k])->get_label());
      }
      sizes.push_back(static_cast<std::uint32_t>(g.size));
    }
    return sizes;
  }

  // Positions (1-based) of every node in `order`.
  void positions_of(const std::int32_t* order) {
    position_.assign(n_ + 1, 0);
    for (std::size_t k = n_; k-- > 0;) position_[static_cast<std::size_t>(order[k])] = k + 1;
  }

  // The code of the first k positions of `order`, shell order.
  void encode_prefix(const std::int32_t* order, std::size_t k, Code& code) {
    positions_of(order);
    code.assign(code_size(k, directed_), 0);
    for (const Edge& e : edges_) {
      const std::size_t p1 = position_[static_cast<std::size_t>(e.a)];
      const std::size_t p2 = position_[static_cast<std::size_t>(e.b)];
      if (p1 > k || p2 > k) continue;
      code[directed_ ? directed_shell_index(p1, p2) : undirected_shell_index(p1, p2)] = e.label;
    }
  }

  // Keeps the candidate `order` (with positions p and q exchanged) when its
  // code is at least the best of this step.
  void offer(const std::int32_t* order, std::size_t p, std::size_t q, const Code& code) {
    if (have_best_) {
      const std::int32_t c = lab_cmp(code, best_);
      if (c < 0) return;
      if (c > 0) {
        next_.clear();
        best_ = code;
      }
    } else {
      have_best_ = true;
      best_ = code;
    }
    const std::size_t at = next_.size();
    next_.insert(next_.end(), order, order + n_);
    std::swap(next_[at + p], next_[at + q]);
  }

  Code search(std::vector<std::uint32_t>& sizes) {
    orders_ = start_;
    std::size_t fixed = 0;  // P
    std::size_t group = 0;
    std::vector<std::uint32_t> table;
    std::vector<std::size_t> alive;  // candidate indexes still alive, ascending
    std::vector<std::size_t> written;
    Code shell;
    for (;;) {
      const std::size_t g = sizes[group];
      const std::size_t count = orders_.size() / n_;
      next_.clear();
      have_best_ = false;
      if (g > 1) {
        const std::size_t rows = directed_ ? 2 * fixed : fixed;
        if (table.size() < rows * g) table.resize(rows * g, 0);
        for (std::size_t o = 0; o < count; ++o) {
          const std::int32_t* order = &orders_[o * n_];
          positions_of(order);
          // The table is all zeros between orders: only the cells written are cleared again.
          written.clear();
          for (const Edge& e : edges_) {
            const std::size_t p1 = position_[static_cast<std::size_t>(e.a)];
            const std::size_t p2 = position_[static_cast<std::size_t>(e.b)];
            if (p1 > fixed + g || p2 > fixed + g) continue;
            std::size_t cell;
            if (p1 <= fixed && fixed < p2) {
              cell = (p1 - 1) * g + (p2 - fixed - 1);
            } else if (p2 <= fixed && fixed < p1) {
              const std::size_t row = directed_ ? fixed + p2 : p2;
              cell = (row - 1) * g + (p1 - fixed - 1);
            } else {
              continue;
            }
            table[cell] = e.label;
            written.push_back(cell);
          }
          // Filter on the presence of links, row by row; a row that would
          // leave no candidate is passed over.
          alive.resize(g);
          for (std::size_t j = 0; j < g; ++j) alive[j] = j;
          for (std::size_t r = 0; r < rows && alive.size() != 1; ++r) {
            const std::uint32_t* row = &table[r * g];
            std::size_t survivors = 0;
            for (const std::size_t j : alive) survivors += row[j] != 0 ? 1 : 0;
            if (survivors == 0) continue;
            std::size_t kept = 0;
            for (const std::size_t j : alive) {
              if (row[j] != 0) alive[kept++] = j;
            }
            alive.resize(kept);
          }
          shell.resize(rows + 1);
          for (const std::size_t j : alive) {
            for (std::size_t r = 0; r < rows; ++r) shell[r] = table[r * g + j];
            shell[rows] = 0;
            offer(order, fixed, fixed + j, shell);
          }
          for (const std::size_t cell : written) table[cell] = 0;
        }
        ++fixed;
        --sizes[group];
      } else {
        Code code;
        for (std::size_t o = 0; o < count; ++o) {
          const std::int32_t* order = &orders_[o * n_];
          encode_prefix(order, fixed + 1, code);
          offer(order, 0, 0, code);
        }
        if (group + 1 == sizes.size()) return std::move(best_);
        ++fixed;
        ++group;
      }
      orders_.swap(next_);
    }
  }

  Graph& graph_;
  bool directed_;
  std::size_t n_ = 0;
  std::vector<Edge> edges_;
  std::vector<std::int32_t> start_;
  std::vector<std::int32_t> orders_;  // flat: N node numbers per order
  std::vector<std::int32_t> next_;
  std::vector<std::size_t> position_;
  Code best_;
  bool have_best_ = false;
};

}  // namespace plain

inline Canonical_label plain_real_label(Graph& graph, bool directed) {
  return plain::Plain_order_search(graph, directed).run();
}

}  // namespace murex::label_test
