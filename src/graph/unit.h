#pragma once
// Units: the bundle of links between one pair of nodes (node 1 and node 2).
// Units, not nodes, are what the pair counting enumerates.
//
//   Unit_for_ig  (induced subgraph) every link between its two nodes: the
//                links from node 1 to node 2 (`forward`) and back (`backward`),
//                each set ordered by (from_attachment, to_attachment), at most
//                one link per key.
//   Unit_for_sg  (subgraph) exactly one link.
//   Unit_for_chunk (unit_for_chunk.h) a link of a chunk pattern: a label only.
//
// A unit owns its links; its nodes are borrowed from its graph. Iteration
// follows reset_links / next_link.

#include <cstddef>
#include <memory>
#include <ostream>
#include <vector>

#include "graph/label.h"
#include "graph/small_object_pool.h"
#include "graph/link.h"

namespace murex {

class Node;

namespace MyCl {

class Unit {
 public:
  MUREX_POOLED_ALLOCATION

  explicit Unit(Search_context* context) : context_(context) {}
  virtual ~Unit() = default;
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  void set_node1(Node* node) { node1_ = node; }
  Node* get_node1() const { return node1_; }
  void set_node2(Node* node) { node2_ = node; }
  Node* get_node2() const { return node2_; }

  // Takes ownership of `link`. Returns false when the unit refused it (and destroyed it).
  virtual bool add_link(std::unique_ptr<Link> link) = 0;
  virtual void reset_links() = 0;
  virtual Link* next_link() = 0;
  // Puts the links of an undirected graph's unit into one orientation.
  virtual void ordering() = 0;
  // Makes this fresh unit a copy of `source` between the given nodes.
  virtual void copy_remapped(const Unit& source, Node* node1, Node* node2,
                             const Link_label_map& map) = 0;
  virtual void print(std::ostream& out) const = 0;
  // Chooses which end is node 1.
  virtual void normalize() = 0;
  // True for subgraph units, whose one link decides which end a pair sees first.
  virtual bool holds_one_link() const { return false; }

  Search_context* get_context() const { return context_; }

  // Position in the owning graph's unit list; kept by the graph.
  std::size_t get_position() const { return position_; }
  void set_position(std::size_t position) { position_ = position; }

 protected:
  Node* node1_ = nullptr;
  Node* node2_ = nullptr;
  Search_context* context_;

 private:
  std::size_t position_ = 0;
};

class Unit_for_ig final : public Unit {
 public:
  using Link_set = std::vector<std::unique_ptr<Link>>;  // sorted by key, unique keys

  using Unit::Unit;
  bool add_link(std::unique_ptr<Link> link) override;
  void reset_links() override;
  Link* next_link() override;
  void ordering() override;
  void copy_remapped(const Unit& source, Node* node1, Node* node2, const Link_label_map& map) override;
  void print(std::ostream& out) const override;
  void normalize() override;

  const Link_set& forward() const { return forward_; }
  const Link_set& backward() const { return backward_; }
  // True when node 1 already is the end that comes first.
  bool is_in_order() const;

 private:
  Link_set forward_;
  Link_set backward_;
  bool cursor_in_backward_ = false;
  std::size_t cursor_ = 0;
};

class Unit_for_sg final : public Unit {
 public:
  using Unit::Unit;
  bool add_link(std::unique_ptr<Link> link) override;
  void reset_links() override { visited_ = false; }
  Link* next_link() override;
  void ordering() override;
  void copy_remapped(const Unit& source, Node* node1, Node* node2, const Link_label_map& map) override;
  void print(std::ostream& out) const override;
  void normalize() override;

  bool holds_one_link() const override { return true; }

  Link* get_link() const { return link_.get(); }

 private:
  std::unique_ptr<Link> link_;
  bool visited_ = false;
};

}  // namespace MyCl
}  // namespace murex
