#include "graph/unit_for_chunk.h"

#include "graph/node.h"
#include "run/fatal.h"

namespace murex::MyCl {

bool Unit_for_chunk::add_link(std::unique_ptr<Link>) { MUREX_INTERNAL_ERROR(); }

void Unit_for_chunk::reset_links() { MUREX_INTERNAL_ERROR(); }

Link* Unit_for_chunk::next_link() { MUREX_INTERNAL_ERROR(); }

void Unit_for_chunk::ordering() { placeholder_stop("Mada Jissou Siteinai Unit_for_chunk::ordering"); }

void Unit_for_chunk::normalize() { placeholder_stop("Mada Jissou Siteinai Unit_for_chunk::normalize"); }

void Unit_for_chunk::copy_remapped(const Unit& source, Node* node1, Node* node2, const Link_label_map& map) {
  node1_ = node1;
  node2_ = node2;
  label_ = map.image(static_cast<const Unit_for_chunk&>(source).label_);
}

void Unit_for_chunk::print(std::ostream& out) const {
  out << node1_->get_number() << '-' << label_->get_name() << "->" << node2_->get_number();
}

}  // namespace murex::MyCl
