#pragma once
// The canonical labels computed during one run, keyed by the exact pattern
// graph the labelling strategy would be shown: its node count, the label
// number of every node in order, and every link (end node numbers, label
// number) in order. The strategy reads nothing else, so a pattern presented
// alike always gets the same code and the same choice of node positions; the
// node labels of a cached answer are taken from the pattern at hand, so each
// branch gets labels from its own node-label table.
//
// Branches of a beam search meet the same new patterns one after the other;
// the cache lets each distinct pattern be labelled once per run. It is
// process-wide and released with the other process-wide objects at the end
// of a run; it forgets everything when a strategy of another kind is
// installed.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "label/canonical_label.h"

namespace murex {

class Canonical_label_strategy;
class Pair;
class Search_context;

// The pattern graph of a pair as the labelling strategy sees it: the chunk
// `Chunk::build_from_pair` lays out, written as numbers.
class Pattern_presentation {
 public:
  // Replaces the contents with the presentation of `pair`.
  void present(const Pair& pair);
  const std::vector<std::uint32_t>& key() const { return key_; }
  // The label of presented node k + 1.
  const std::vector<Node_label*>& node_labels() const { return node_labels_; }

 private:
  void add_end(Node_label* label, std::uint32_t offset);

  std::vector<std::uint32_t> key_;
  std::vector<Node_label*> node_labels_;
  std::vector<std::uint32_t> links_;  // (node1, node2, label) per link, in order
};

class Canonical_label_cache {
 public:
  static Canonical_label_cache& instance();
  static void release();

  // The label the installed strategy gives the chunk built from `pair`;
  // computed (with a temporary chunk in `context`) only for a presentation
  // not met before.
  Canonical_label label_of(const Pair& pair, Search_context* context);

  std::size_t size() const { return entries_.size(); }
  std::size_t hits() const { return hits_; }
  std::size_t misses() const { return misses_; }

 private:
  struct Key_hash {
    std::size_t operator()(const std::vector<std::uint32_t>& key) const;
  };
  struct Entry {
    // Canonical position -> presented node index (0-based) with that label.
    std::vector<std::uint32_t> positions;
    Code code;
  };

  std::unordered_map<std::vector<std::uint32_t>, Entry, Key_hash> entries_;
  std::unique_ptr<std::type_index> strategy_kind_;
  Pattern_presentation presentation_;
  std::size_t hits_ = 0;
  std::size_t misses_ = 0;
};

}  // namespace murex
