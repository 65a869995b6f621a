#include "graph/link.h"

#include <utility>

#include "graph/node.h"

namespace murex {

Link::Link(const Link& other)
    : from_(other.from_),
      from_attachment_(other.from_attachment_),
      to_(other.to_),
      to_attachment_(other.to_attachment_),
      label_(other.label_),
      context_(other.context_) {
  if (label_ != nullptr) label_->increase_count(1);
}

Link::~Link() {
  if (label_ != nullptr) label_->decrease_count(1);
}

void Link::set_label(Link_label* label) {
  if (label_ != nullptr) label_->decrease_count(1);
  if (label != nullptr) label->increase_count(1);
  label_ = label;
}

void Link::reverse() {
  std::swap(from_, to_);
  std::swap(from_attachment_, to_attachment_);
}

void Link::copy_remapped(const Link& source, Node* from, Node* to, const Link_label_map& map) {
  from_ = from;
  to_ = to;
  from_attachment_ = source.from_attachment_;
  to_attachment_ = source.to_attachment_;
  label_ = map.image(source.label_);
}

void Link::print(std::ostream& out) const {
  out << from_->get_number() << '(' << from_attachment_ << ")-" << label_->get_name() << "->"
      << to_->get_number() << '(' << to_attachment_ << ')';
}

}  // namespace murex
