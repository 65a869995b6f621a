#include "label/order_search.h"

#include <algorithm>

#include "graph/graph.h"
#include "label/twin_classes.h"

namespace murex {
namespace {

std::size_t code_size(std::size_t n, bool directed) { return directed ? n * n : n * (n + 1) / 2; }

// Compares two code parts of the same length given by their non-zero entries
// (ascending indexes): the sign of the entry difference at the first index
// where they differ, as lab_cmp would give it on the full parts.
template <typename Entry>
int compare_parts(const Entry* a, std::size_t na, const Entry* b, std::size_t nb) {
  for (std::size_t k = 0;; ++k) {
    if (k == na) return k == nb ? 0 : -1;
    if (k == nb) return 1;
    if (a[k].index != b[k].index) return a[k].index < b[k].index ? 1 : -1;
    if (a[k].label != b[k].label) return a[k].label < b[k].label ? -1 : 1;
  }
}

}  // namespace

Order_search::Order_search(Graph& graph, bool directed)
    : graph_(graph), links_(graph, directed), n_(links_.node_count()) {}

Canonical_label Order_search::run() {
  Canonical_label result;
  if (n_ == 0) return result;
  twin_ = twin_classes(links_);
  seen_.assign(n_ + 1, 0);
  std::vector<std::uint32_t> sizes = group_order(result);
  orders_ = start_;
  std::size_t fixed = 0;  // positions already fixed
  std::size_t group = 0;
  for (;;) {
    const std::size_t g = sizes[group];
    const std::size_t count = orders_.size() / n_;
    next_.clear();
    have_best_ = false;
    if (g > 1) {
      several_candidates(count, fixed, g);
      --sizes[group];
    } else {
      one_candidate(count, fixed);
      if (group + 1 == sizes.size()) {
        result.code() = encode(next_.data());
        return result;
      }
      ++group;
    }
    ++fixed;
    orders_.swap(next_);
  }
}

// Degrees, sequence (label ascending, degree descending, node number), groups
// of equal label and degree, and the groups from the smallest. Fills the
// start order and the node labels; returns the group sizes.
std::vector<std::uint32_t> Order_search::group_order(Canonical_label& result) {
  std::vector<std::int32_t> sequence(n_);
  for (std::size_t k = 0; k < n_; ++k) sequence[k] = static_cast<std::int32_t>(k + 1);
  std::stable_sort(sequence.begin(), sequence.end(), [&](std::int32_t x, std::int32_t y) {
    if (links_.node_label(x) != links_.node_label(y)) return links_.node_label(x) < links_.node_label(y);
    return links_.degree(x) > links_.degree(y);
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
      if (links_.node_label(prev) == links_.node_label(node) && links_.degree(prev) == links_.degree(node)) {
        ++groups.back().size;
        continue;
      }
    }
    groups.push_back({k, 1});
  }
  std::stable_sort(groups.begin(), groups.end(), [](const Group& x, const Group& y) { return x.size < y.size; });
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

// Every order holds all N nodes, so every entry is written.
void Order_search::positions_of(const std::int32_t* order) {
  position_.resize(n_ + 1);
  for (std::size_t k = 0; k < n_; ++k) position_[static_cast<std::size_t>(order[k])] = k + 1;
}

void Order_search::append_column(std::int32_t node, std::size_t fixed, std::uint32_t base) {
  const std::size_t begin = entries_.size();
  for (const Pattern_neighbour& nb : links_.into(node)) {
    const std::size_t p = position_[static_cast<std::size_t>(nb.node)];
    if (p <= fixed) entries_.push_back({base + static_cast<std::uint32_t>(p - 1), nb.label});
  }
  for (const Pattern_neighbour& nb : links_.out_of(node)) {
    const std::size_t p = position_[static_cast<std::size_t>(nb.node)];
    if (p <= fixed) entries_.push_back({base + static_cast<std::uint32_t>(fixed + p - 1), nb.label});
  }
  std::sort(entries_.begin() + static_cast<std::ptrdiff_t>(begin), entries_.end(),
            [](const Entry& a, const Entry& b) { return a.index < b.index; });
}

// One choice per twin class among the unplaced nodes of the group, at
// positions fixed+1 .. fixed+g, in position order, with its column.
void Order_search::choices_of(const std::int32_t* order, std::size_t fixed, std::size_t g) {
  ++stamp_;
  choices_.clear();
  entries_.clear();
  for (std::size_t j = 0; j < g; ++j) {
    const std::int32_t node = order[fixed + j];
    const auto cls = static_cast<std::size_t>(twin_[static_cast<std::size_t>(node)]);
    if (seen_[cls] == stamp_) continue;
    seen_[cls] = stamp_;
    const std::size_t begin = entries_.size();
    append_column(node, fixed, 0);
    choices_.push_back({j, begin, entries_.size(), true});
  }
}

// Goes through the rows of the table in order and keeps the candidates linked
// in that row, unless none is; stops when one candidate is left. Twins have
// equal columns, so a choice stands for all of its class: once a single
// class is left no row can change anything, whether it holds one candidate
// or several. Rows without any link to a candidate are not visited.
void Order_search::filter() {
  rows_.clear();
  for (std::size_t c = 0; c < choices_.size(); ++c) {
    for (std::size_t e = choices_[c].begin; e < choices_[c].end; ++e) {
      rows_.push_back({entries_[e].index, static_cast<std::uint32_t>(c)});
    }
  }
  std::sort(rows_.begin(), rows_.end(), [](const Row_entry& a, const Row_entry& b) { return a.row < b.row; });
  alive_.resize(choices_.size());
  for (std::size_t c = 0; c < choices_.size(); ++c) alive_[c] = static_cast<std::uint32_t>(c);
  if (in_row_.size() < choices_.size()) in_row_.resize(choices_.size(), 0);
  for (std::size_t r = 0; r < rows_.size() && alive_.size() != 1;) {
    std::size_t end = r;
    std::size_t survivors = 0;
    ++row_stamp_;
    for (; end < rows_.size() && rows_[end].row == rows_[r].row; ++end) {
      if (choices_[rows_[end].choice].alive) ++survivors;
      in_row_[rows_[end].choice] = row_stamp_;
    }
    r = end;
    if (survivors == 0 || survivors == alive_.size()) continue;
    std::size_t kept = 0;
    for (const std::uint32_t c : alive_) {
      if (in_row_[c] == row_stamp_) {
        alive_[kept++] = c;
      } else {
        choices_[c].alive = false;
      }
    }
    alive_.resize(kept);
  }
}

// Keeps the candidate `order` (with positions p and q exchanged) when its key
// is at least the best of this step.
void Order_search::offer(const std::int32_t* order, std::size_t p, std::size_t q, const Entry* key,
                         std::size_t size) {
  if (have_best_) {
    const int c = compare_parts(key, size, best_.data(), best_.size());
    if (c < 0) return;
    if (c > 0) {
      next_.clear();
      best_.assign(key, key + size);
    }
  } else {
    have_best_ = true;
    best_.assign(key, key + size);
  }
  const std::size_t at = next_.size();
  next_.insert(next_.end(), order, order + n_);
  std::swap(next_[at + p], next_[at + q]);
}

// Candidate j's shell is its column: the links from the fixed positions to it,
// then (directed) those from it to the fixed positions, then its own entry,
// which is 0 here.
void Order_search::several_candidates(std::size_t count, std::size_t fixed, std::size_t g) {
  for (std::size_t o = 0; o < count; ++o) {
    const std::int32_t* order = &orders_[o * n_];
    positions_of(order);
    choices_of(order, fixed, g);
    filter();
    for (const std::uint32_t c : alive_) {
      const Choice& choice = choices_[c];
      offer(order, fixed, fixed + choice.offset, entries_.data() + choice.begin, choice.end - choice.begin);
    }
  }
}

// The key is the code of the first fixed+1 positions reduced to what can
// differ between the kept orders: the entries of the fixed positions with
// themselves (indexes 0 .. fixed-1), then the whole new shell.
void Order_search::one_candidate(std::size_t count, std::size_t fixed) {
  const std::size_t rows = links_.directed() ? 2 * fixed : fixed;
  for (std::size_t o = 0; o < count; ++o) {
    const std::int32_t* order = &orders_[o * n_];
    positions_of(order);
    entries_.clear();
    for (std::size_t k = 0; k < fixed; ++k) {
      const std::uint32_t self = links_.self_label(order[k]);
      if (self != 0) entries_.push_back({static_cast<std::uint32_t>(k), self});
    }
    const std::int32_t node = order[fixed];
    append_column(node, fixed, static_cast<std::uint32_t>(fixed));
    const std::uint32_t self = links_.self_label(node);
    if (self != 0) entries_.push_back({static_cast<std::uint32_t>(fixed + rows), self});
    offer(order, 0, 0, entries_.data(), entries_.size());
  }
}

// The whole code of an order, shell order.
Code Order_search::encode(const std::int32_t* order) {
  positions_of(order);
  Code code(code_size(n_, links_.directed()), 0);
  for (const Pattern_unit& u : links_.units()) {
    const std::size_t p1 = position_[static_cast<std::size_t>(u.from)];
    const std::size_t p2 = position_[static_cast<std::size_t>(u.to)];
    code[links_.directed() ? directed_shell_index(p1, p2) : undirected_shell_index(p1, p2)] = u.label;
  }
  return code;
}

}  // namespace murex
