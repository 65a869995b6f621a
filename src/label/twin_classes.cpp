#include "label/twin_classes.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace murex {
namespace {

// How a node meets another: the other node, the label towards it and the
// label from it (both equal for undirected patterns).
using Contact = std::array<std::uint32_t, 3>;

// A node's neighbourhood, possibly closed with the node itself (see below).
struct Twin_key {
  std::array<std::uint32_t, 3> node;  // label, degree, label of the link to itself
  std::vector<Contact> contacts;      // ascending
  std::int32_t owner;
};

std::int32_t find(std::vector<std::int32_t>& parent, std::int32_t x) {
  while (parent[static_cast<std::size_t>(x)] != x) {
    auto& p = parent[static_cast<std::size_t>(x)];
    p = parent[static_cast<std::size_t>(p)];
    x = p;
  }
  return x;
}

}  // namespace

// Two nodes x and y that are not linked are twins exactly when their lists of
// contacts are equal. When they are linked by L both ways, x's list holds
// (y, L, L) and y's holds (x, L, L): adding (x, L, L) to x's list and (y, L, L)
// to y's makes them equal. So every node gets its open list and one closed
// list per label L of a link it has in both directions; nodes with an equal
// key are twins, and the classes join them transitively (a chain of
// exchanges of twins is again a map of the pattern onto itself).
std::vector<std::int32_t> twin_classes(const Pattern_links& links) {
  const std::size_t n = links.node_count();
  std::vector<Twin_key> keys;
  std::vector<Contact> contacts;
  std::vector<std::uint32_t> both_ways;
  for (std::size_t k = 1; k <= n; ++k) {
    const auto x = static_cast<std::int32_t>(k);
    contacts.clear();
    for (const Pattern_neighbour& nb : links.into(x)) {
      const auto z = static_cast<std::uint32_t>(nb.node);
      contacts.push_back(links.directed() ? Contact{z, 0, nb.label} : Contact{z, nb.label, nb.label});
    }
    for (const Pattern_neighbour& nb : links.out_of(x)) contacts.push_back({static_cast<std::uint32_t>(nb.node), nb.label, 0});
    std::sort(contacts.begin(), contacts.end());
    // Directed: one contact per other node, with both labels.
    std::size_t kept = 0;
    for (std::size_t c = 0; c < contacts.size(); ++c) {
      if (kept > 0 && contacts[kept - 1][0] == contacts[c][0]) {
        contacts[kept - 1][1] |= contacts[c][1];
        contacts[kept - 1][2] |= contacts[c][2];
      } else {
        contacts[kept++] = contacts[c];
      }
    }
    contacts.resize(kept);
    const std::array<std::uint32_t, 3> node{links.node_label(x), links.degree(x), links.self_label(x)};
    keys.push_back({node, contacts, x});
    both_ways.clear();
    for (const Contact& c : contacts) {
      if (c[1] == c[2]) both_ways.push_back(c[1]);
    }
    std::sort(both_ways.begin(), both_ways.end());
    both_ways.erase(std::unique(both_ways.begin(), both_ways.end()), both_ways.end());
    for (const std::uint32_t label : both_ways) {
      Twin_key closed{node, contacts, x};
      const Contact self{static_cast<std::uint32_t>(x), label, label};
      closed.contacts.insert(std::lower_bound(closed.contacts.begin(), closed.contacts.end(), self), self);
      keys.push_back(std::move(closed));
    }
  }
  std::sort(keys.begin(), keys.end(), [](const Twin_key& a, const Twin_key& b) {
    if (a.node != b.node) return a.node < b.node;
    return a.contacts < b.contacts;
  });
  std::vector<std::int32_t> parent(n + 1);
  std::iota(parent.begin(), parent.end(), 0);
  for (std::size_t k = 1; k < keys.size(); ++k) {
    if (keys[k].node != keys[k - 1].node || keys[k].contacts != keys[k - 1].contacts) continue;
    const std::int32_t a = find(parent, keys[k - 1].owner);
    const std::int32_t b = find(parent, keys[k].owner);
    if (a != b) parent[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
  }
  for (std::size_t k = 1; k <= n; ++k) parent[k] = find(parent, static_cast<std::int32_t>(k));
  return parent;
}

}  // namespace murex
