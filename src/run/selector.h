#pragma once
// The shared, bounded candidate list of one iteration of the beam search.
// Entries (pair type, branch) are kept best first: higher chunk evaluation
// first, ties broken by canonical-label order; the branch plays no part, so
// the same pair type with the same value counts once, for the branch that
// offered it first. Neither pointer is owned.

#include <cstddef>
#include <set>

namespace murex {

class Pair_binder;
class Search_state;

struct Selector_entry {
  Pair_binder* binder;
  Search_state* branch;
};

// Selector order: a before b when a's value is higher, or equal with a's label first.
struct Selector_order {
  bool operator()(const Selector_entry& a, const Selector_entry& b) const;
};

class Selector {
 public:
  using Entries = std::set<Selector_entry, Selector_order>;

  // Inserts unless an equivalent entry is present (the first one stays).
  void insert(const Selector_entry& entry) { entries_.insert(entry); }
  std::size_t size() const { return entries_.size(); }
  // Removes the worst entry.
  void remove_last() { entries_.erase(std::prev(entries_.end())); }
  Entries::const_iterator begin() const { return entries_.begin(); }
  Entries::const_iterator end() const { return entries_.end(); }

 private:
  Entries entries_;
};

}  // namespace murex
