#pragma once
// One directed, labelled link between two nodes, with the attachment number
// at each end: the inner node of a chunk node at which the link attaches
// (1 for a plain node). A link owns nothing; its unit owns it.
//
// The label count follows the link: `set_label`, the copy constructor and
// the destructor keep it; `copy_remapped` (used when cloning a branch) does not.

#include <cstdint>
#include <ostream>

#include "graph/label.h"
#include "graph/small_object_pool.h"

namespace murex {

class Node;

class Link {
 public:
  MUREX_POOLED_ALLOCATION

  explicit Link(Search_context* context) : context_(context) {}
  Link(const Link& other);
  Link& operator=(const Link&) = delete;
  ~Link();

  void set_from(Node* node) { from_ = node; }
  Node* get_from() const { return from_; }
  void set_to(Node* node) { to_ = node; }
  Node* get_to() const { return to_; }
  void set_from_attachment(std::int32_t a) { from_attachment_ = a; }
  std::int32_t get_from_attachment() const { return from_attachment_; }
  void set_to_attachment(std::int32_t a) { to_attachment_ = a; }
  std::int32_t get_to_attachment() const { return to_attachment_; }
  void set_label(Link_label* label);
  Link_label* get_label() const { return label_; }

  // Swaps the two ends and their attachment numbers.
  void reverse();
  // Copies `source` onto new ends, mapping its label; counts are untouched.
  void copy_remapped(const Link& source, Node* from, Node* to, const Link_label_map& map);

  // "from(att)-label->to(att)".
  void print(std::ostream& out) const;

 private:
  Node* from_ = nullptr;
  std::int32_t from_attachment_ = 1;
  Node* to_ = nullptr;
  std::int32_t to_attachment_ = 1;
  Link_label* label_ = nullptr;
  Search_context* context_;
};

}  // namespace murex
