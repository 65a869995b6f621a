#pragma once
// A numbered node of one graph with its node label (not owned).
//
// `set_label` of a data node keeps the label counts: the old label loses one,
// the new one gains one. A chunk's inner node (`Node_for_chunk`) stores its
// label without counting. Destroying a node never touches its label.

#include <cstdint>
#include <ostream>

#include "graph/label.h"
#include "graph/small_object_pool.h"

namespace murex {

class Node {
 public:
  MUREX_POOLED_ALLOCATION

  explicit Node(Search_context* context) : context_(context) {}
  virtual ~Node() = default;
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  void set_number(std::int32_t number) { number_ = number; }
  std::int32_t get_number() const { return number_; }
  virtual void set_label(Node_label* label);
  Node_label* get_label() const { return label_; }
  Search_context* get_context() const { return context_; }

  // "number name".
  void print(std::ostream& out) const;

 protected:
  std::int32_t number_ = 0;
  Node_label* label_ = nullptr;
  Search_context* context_;
};

class Node_for_chunk final : public Node {
 public:
  Node_for_chunk(std::int32_t number, Node_label* label, Search_context* context) : Node(context) {
    number_ = number;
    label_ = label;
  }
  void set_label(Node_label* label) override { label_ = label; }
};

}  // namespace murex
