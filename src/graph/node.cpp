#include "graph/node.h"

namespace murex {

void Node::set_label(Node_label* label) {
  if (label_ != nullptr) label_->decrease_count(1);
  if (label != nullptr) label->increase_count(1);
  label_ = label;
}

void Node::print(std::ostream& out) const {
  out << number_ << ' ' << (label_ != nullptr ? label_->get_name() : std::string());
}

}  // namespace murex
