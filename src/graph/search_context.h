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

#include "graph/label.h"
#include "pair/countable_pair.h"

namespace murex {

class Search_state;

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
};

}  // namespace murex
