#pragma once
// The per-branch context every element of a search state points to.
//
// It names the owning search state, collects the pair changes of the current
// chunking step (units reported destroyed or created, turned into countable
// pairs and merged by pattern), and owns the placeholder node label (number
// 0, empty name) given to nodes the rewriting removes.

#include <cstdint>
#include <memory>
#include <set>
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

  void reset_created() { created_cursor_ = created_.begin(); }
  Countable_pair* next_created();
  void reset_destroyed() { destroyed_cursor_ = destroyed_.begin(); }
  Countable_pair* next_destroyed();
  // Destroys every collected countable pair.
  void clear_changes();

  std::size_t created_size() const { return created_.size(); }
  std::size_t destroyed_size() const { return destroyed_.size(); }

 private:
  struct By_pattern {
    using is_transparent = void;
    bool operator()(const std::unique_ptr<Countable_pair>& a, const std::unique_ptr<Countable_pair>& b) const {
      return a->less(*b);
    }
    bool operator()(const Unit_pattern& a, const std::unique_ptr<Countable_pair>& b) const {
      return compare_patterns(a, *b) < 0;
    }
    bool operator()(const std::unique_ptr<Countable_pair>& a, const Unit_pattern& b) const {
      return compare_patterns(b, *a) > 0;
    }
  };
  using Pair_set = std::set<std::unique_ptr<Countable_pair>, By_pattern>;

  void record(Pair_set& set, std::int32_t class_index, Data_graph* graph, MyCl::Unit* unit);

  Search_state* owner_;
  std::int32_t total_node_number_ = 0;
  std::int32_t total_unit_number_ = 0;
  Pair_set created_;
  Pair_set destroyed_;
  std::unique_ptr<Node_label> placeholder_;
  Pair_set::iterator created_cursor_;
  Pair_set::iterator destroyed_cursor_;
  // The pattern of the unit being reported; a countable pair is made only
  // for a pattern not yet in the set.
  Unit_pattern probe_;
  Rewrite_scratch scratch_;
};

}  // namespace murex
