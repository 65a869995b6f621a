#pragma once
// Canonical-label strategies: turn a chunk graph (nodes 1..N without gaps,
// every node labelled, every unit a Unit_for_chunk) into its Canonical_label.
//
// The real strategies search for a node order and give isomorphic patterns
// equal labels whatever their numbering; the dummy strategies take the node
// numbering as the order. One strategy is installed per run, owned by
// Canonical_label_strategy_holder. Strategies only read the graph (the unit
// iteration moves its cursor) and never print.

#include <memory>

#include "label/canonical_label.h"

namespace murex {

class Graph;

class Canonical_label_strategy {
 public:
  virtual ~Canonical_label_strategy() = default;
  virtual Canonical_label make_canonical_label(Graph& graph) const = 0;
};

class Canonical_label_strategy_for_directed final : public Canonical_label_strategy {
 public:
  Canonical_label make_canonical_label(Graph& graph) const override;
};

class Canonical_label_strategy_for_undirected final : public Canonical_label_strategy {
 public:
  Canonical_label make_canonical_label(Graph& graph) const override;
};

class Dummy_canonical_label_strategy_for_directed final : public Canonical_label_strategy {
 public:
  Canonical_label make_canonical_label(Graph& graph) const override;
};

class Dummy_canonical_label_strategy_for_undirected final : public Canonical_label_strategy {
 public:
  Canonical_label make_canonical_label(Graph& graph) const override;
};

// Process-wide holder of the run's strategy; set once.
class Canonical_label_strategy_holder {
 public:
  static Canonical_label_strategy_holder& instance();
  static void release();

  // A second set is an internal error.
  void set(std::unique_ptr<Canonical_label_strategy> strategy);
  const Canonical_label_strategy* get() const { return strategy_.get(); }
  Canonical_label make_canonical_label(Graph& graph) const { return strategy_->make_canonical_label(graph); }

 private:
  std::unique_ptr<Canonical_label_strategy> strategy_;
};

}  // namespace murex
