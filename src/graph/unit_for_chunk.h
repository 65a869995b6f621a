#pragma once
// The unit of a chunk pattern: one link from node 1 to node 2, kept as its
// link label alone (not owned). It holds no Link objects, so the link
// operations of a data unit are refused with an internal error, and
// `ordering` / `normalize` stop the run with their placeholder messages.

#include "graph/unit.h"

namespace murex::MyCl {

class Unit_for_chunk final : public Unit {
 public:
  using Unit::Unit;
  bool add_link(std::unique_ptr<Link> link) override;
  void reset_links() override;
  Link* next_link() override;
  void ordering() override;
  void copy_remapped(const Unit& source, Node* node1, Node* node2, const Link_label_map& map) override;
  void print(std::ostream& out) const override;
  void normalize() override;

  void set_label(Link_label* label) { label_ = label; }
  Link_label* get_label() const { return label_; }

 private:
  Link_label* label_ = nullptr;
};

}  // namespace murex::MyCl
