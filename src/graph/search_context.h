#pragma once
// The per-branch context every element of a search state points to.
//
// It names the owning search state, collects the pair changes of the current
// chunking step (units reported destroyed or created, turned into countable
// pairs and merged by pattern), and owns the placeholder node label (number
// 0, empty name) given to nodes the rewriting removes.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "graph/label.h"
#include "pair/countable_pair.h"

namespace murex {

class Search_state;

// Working buffers of the graph rewriting, kept by the context so that their
// capacity is reused from one rewritten graph to the next. Their contents
// mean nothing between two calls.
struct Rewrite_scratch {
  Unit_pattern probe;
  // Units touching each node, by node number (entries past the graph's nodes are stale).
  std::vector<std::vector<MyCl::Unit*>> incident;
  std::vector<MyCl::Unit*> touched;
  // By node number: the touched unit first seen with that other end, and
  // whether it has absorbed a duplicate already; reset after each use.
  std::vector<std::pair<MyCl::Unit*, bool>> first_at;
};

class Search_context {
 public:
  explicit Search_context(Search_state* owner);
  ~Search_context();
  Search_context(const Search_context&) = delete;
  Search_context& operator=(const Search_context&) = delete;

  Search_state* get_owner() const { return owner_; }
  std::int32_t get_total_node_number() const { return total_node_number_; }
  std::int32_t get_total_unit_number() const { return total_unit_number_; }
  Node_label* placeholder_label() const { return placeholder_.get(); }
  Rewrite_scratch& rewrite_scratch() { return scratch_; }

  void record_created(std::int32_t class_index, Data_graph* graph, MyCl::Unit* unit);
  void record_destroyed(std::int32_t class_index, Data_graph* graph, MyCl::Unit* unit);

  void reset_created() {
    created_.sort();
    created_cursor_ = 0;
  }
  Countable_pair* next_created();
  void reset_destroyed() {
    destroyed_.sort();
    destroyed_cursor_ = 0;
  }
  Countable_pair* next_destroyed();
  // Destroys every collected countable pair.
  void clear_changes();

  std::size_t created_size() const { return created_.size(); }
  std::size_t destroyed_size() const { return destroyed_.size(); }

 private:
  // The countable pairs of one kind of change, merged by pattern: found by a
  // hash of the pattern while recorded, sorted into pattern order once when
  // they are read (the order in which the registry applies them).
  class Pair_set {
   public:
    void record(const Unit_pattern& probe, std::int32_t class_index, Data_graph* graph, MyCl::Unit* unit,
                Search_context* context);
    // Puts the pairs in pattern order (no-op when they are already).
    void sort();
    // The k-th pair in pattern order (after `sort`), null past the end.
    Countable_pair* at(std::size_t k) const { return k < order_.size() ? pairs_[order_[k]].get() : nullptr; }
    std::size_t size() const { return pairs_.size(); }
    void clear();

   private:
    void grow();

    std::vector<std::unique_ptr<Countable_pair>> pairs_;
    std::vector<std::size_t> hashes_;  // by pair, in recording order
    std::vector<std::uint32_t> order_;  // recording indexes in pattern order
    // Open addressing: 1 + index into pairs_ (by recording order), 0 for empty.
    std::vector<std::uint32_t> slots_;
    bool sorted_ = true;
  };

  static constexpr std::size_t past_end = static_cast<std::size_t>(-1);

  Search_state* owner_;
  std::int32_t total_node_number_ = 0;
  std::int32_t total_unit_number_ = 0;
  Pair_set created_;
  Pair_set destroyed_;
  std::unique_ptr<Node_label> placeholder_;
  // Positions of the next pair to read; past the end until a reset.
  std::size_t created_cursor_ = past_end;
  std::size_t destroyed_cursor_ = past_end;
  // The pattern of the unit being reported; a countable pair is made only
  // for a pattern not yet in the set.
  Unit_pattern probe_;
  Rewrite_scratch scratch_;
};

}  // namespace murex
