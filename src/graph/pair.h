#pragma once
// Pairs: the pattern of two connected nodes.
//
// `Pair` is the interface shared by the pair records (`Pair_for_ig`,
// `Pair_for_sg`: the pure pattern, kept by pair types) and the countable
// pairs of a chunking step (pair/countable_pair.h). A pair has the labels of
// its two ends, its links as `Pair_link` records seen from the ends, and a
// self flag (both ends are one node). Labels are borrowed; pair links owned.
//
// Induced-subgraph pairs hold every link between the ends, in pair-link
// order (direction 1 first, then from_attachment, to_attachment, label
// number), one per key; subgraph pairs hold exactly one link.

#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <vector>

#include "graph/label.h"
#include "graph/small_object_pool.h"

namespace murex {

namespace MyCl {
class Unit;
}

class Pair_link {
 public:
  MUREX_POOLED_ALLOCATION

  explicit Pair_link(Search_context* context) : context_(context) {}
  Pair_link(const Pair_link&) = default;
  Pair_link& operator=(const Pair_link&) = default;

  std::uint8_t get_direction() const { return direction_; }
  void set_direction(std::uint8_t d) { direction_ = d; }
  std::uint32_t get_from_attachment() const { return from_attachment_; }
  void set_from_attachment(std::uint32_t a) { from_attachment_ = a; }
  std::uint32_t get_to_attachment() const { return to_attachment_; }
  void set_to_attachment(std::uint32_t a) { to_attachment_ = a; }
  Link_label* get_label() const { return label_; }
  void set_label(Link_label* label) { label_ = label; }

  void copy_remapped(const Pair_link& source, const Link_label_map& map);
  // "Node.1(a)-label->Node.2(b)" or, for direction 0, from Node.2 to Node.1.
  void print(std::ostream& out) const;

 private:
  std::uint8_t direction_ = 1;  // 1: from end 1 to end 2; 0: from end 2 to end 1
  std::uint32_t from_attachment_ = 1;
  std::uint32_t to_attachment_ = 1;
  Link_label* label_ = nullptr;
  Search_context* context_;
};

class Link;

// The pair link of a data link, seen from the pair's ends.
std::unique_ptr<Pair_link> make_pair_link(const Link& link, std::uint8_t direction, Search_context* context);

// The pair-link order. Negative, zero or positive.
int compare_pair_links(const Pair_link& a, const Pair_link& b);

// Owned pair links kept in pair-link order, at most one per key.
class Pair_link_set {
 public:
  // Inserts in order; returns false (and drops the link) for a key present already.
  bool insert(std::unique_ptr<Pair_link> link);
  std::span<const std::unique_ptr<Pair_link>> view() const { return links_; }
  std::size_t size() const { return links_.size(); }
  // The links of `unit` seen from its node 1 (direction 1: from node 1).
  void fill_from_unit(MyCl::Unit& unit, Search_context* context);

 private:
  std::vector<std::unique_ptr<Pair_link>> links_;
};

class Pair {
 public:
  MUREX_POOLED_ALLOCATION

  explicit Pair(Search_context* context) : context_(context) {}
  virtual ~Pair() = default;
  Pair(const Pair&) = delete;
  Pair& operator=(const Pair&) = delete;

  virtual void reset_pair_links() = 0;
  virtual Pair_link* next_pair_link() = 0;
  // Makes this empty pair a copy of `source` in another search state.
  virtual void clone(const Pair& source, const Node_label_map& node_labels,
                     const Link_label_map& link_labels) = 0;
  virtual void print(std::ostream& out) const = 0;
  virtual bool less(const Pair& other) const = 0;
  virtual bool equal(const Pair& other) const = 0;
  // The pair links in pair-link order, read without disturbing an iteration.
  virtual std::span<const std::unique_ptr<Pair_link>> links() const = 0;

  Node_label* get_node1_label() const { return node1_label_; }
  Node_label* get_node2_label() const { return node2_label_; }
  std::uint8_t is_self() const { return self_; }
  Search_context* get_context() const { return context_; }
  // Inner nodes of the pattern: end 1's size plus end 2's (unless self).
  std::int32_t size() const;

 protected:
  Node_label* node1_label_ = nullptr;
  Node_label* node2_label_ = nullptr;
  std::uint8_t self_ = 0;
  Search_context* context_;
};

// The pattern order shared by every pair kind: end labels, number of links,
// links side by side, then self pairs first. Negative, zero or positive.
int compare_patterns(const Pair& a, const Pair& b);

// The link storage and iteration of the induced-subgraph pair kinds: every
// link between the ends, in pair-link order.
template <class Base>
class With_link_set : public Base {
 public:
  using Base::Base;
  void reset_pair_links() override { cursor_ = 0; }
  Pair_link* next_pair_link() override {
    const auto view = pair_links_.view();
    return cursor_ < view.size() ? view[cursor_++].get() : nullptr;
  }
  bool less(const Pair& other) const override { return compare_patterns(*this, other) < 0; }
  bool equal(const Pair& other) const override { return compare_patterns(*this, other) == 0; }
  std::span<const std::unique_ptr<Pair_link>> links() const override { return pair_links_.view(); }

 protected:
  Pair_link_set pair_links_;

 private:
  std::size_t cursor_ = 0;
};

// The link storage and iteration of the subgraph pair kinds: exactly one link.
template <class Base>
class With_one_link : public Base {
 public:
  using Base::Base;
  void reset_pair_links() override { visited_ = false; }
  Pair_link* next_pair_link() override {
    if (visited_) return nullptr;
    visited_ = true;
    return pair_link_.get();
  }
  bool less(const Pair& other) const override { return compare_patterns(*this, other) < 0; }
  bool equal(const Pair& other) const override { return compare_patterns(*this, other) == 0; }
  std::span<const std::unique_ptr<Pair_link>> links() const override {
    if (!pair_link_) return {};
    return {&pair_link_, 1};
  }

 protected:
  std::unique_ptr<Pair_link> pair_link_;

 private:
  bool visited_ = false;
};

class Pair_for_ig final : public With_link_set<Pair> {
 public:
  explicit Pair_for_ig(Search_context* context) : With_link_set(context) {}
  Pair_for_ig(MyCl::Unit& unit, Search_context* context);
  explicit Pair_for_ig(Pair& source);

  void clone(const Pair& source, const Node_label_map& node_labels, const Link_label_map& link_labels) override;
  void print(std::ostream& out) const override;
};

class Pair_for_sg final : public With_one_link<Pair> {
 public:
  explicit Pair_for_sg(Search_context* context) : With_one_link(context) {}
  Pair_for_sg(MyCl::Unit& unit, Search_context* context);
  explicit Pair_for_sg(Pair& source);

  void clone(const Pair& source, const Node_label_map& node_labels, const Link_label_map& link_labels) override;
  void print(std::ostream& out) const override;
};

// Writes "name1 name2 " and then every link followed by " self ".
void print_pair_pattern(std::ostream& out, const Pair& pair);

// The pattern a unit shows, exactly as a pair record or a countable pair made
// from the unit would hold it, read without allocating anything once its link
// buffer has grown: it lets the hot paths compare a unit with the pairs they
// hold and build a pair object only for a pattern not seen before.
class Unit_pattern {
 public:
  // Reads the unit: a subgraph unit (one link) shows its link's `from` node
  // as end 1; an induced-subgraph unit its node 1.
  void read(MyCl::Unit& unit);

  Node_label* get_node1_label() const { return node1_label_; }
  Node_label* get_node2_label() const { return node2_label_; }
  std::uint8_t is_self() const { return self_; }
  // The pair links in pair-link order, one per key.
  std::span<const Pair_link> links() const { return links_; }

 private:
  Node_label* node1_label_ = nullptr;
  Node_label* node2_label_ = nullptr;
  std::uint8_t self_ = 0;
  std::vector<Pair_link> links_;
};

// The pattern order of compare_patterns between a unit's pattern and a pair.
int compare_patterns(const Unit_pattern& a, const Pair& b);

}  // namespace murex
