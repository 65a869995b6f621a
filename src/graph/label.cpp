#include "graph/label.h"

namespace murex {

void Label::print(std::ostream& out) const { out << number_ << ' ' << name_ << ' ' << count_; }

template <class L>
L* Label_table<L>::find_or_create(const std::string& name) {
  const auto found = by_name_.find(name);
  if (found != by_name_.end()) return found->second;
  return create(name);
}

template <class L>
L* Label_table<L>::create(const std::string& name) {
  labels_.push_back(std::make_unique<L>(static_cast<std::int32_t>(labels_.size() + 1), name, context_));
  L* label = labels_.back().get();
  by_name_.emplace(name, label);  // keeps the first entry of a repeated name
  return label;
}

template <class L>
void Label_table<L>::clone_from(const Label_table& source, Label_map<L>& map) {
  labels_.reserve(labels_.size() + source.labels_.size());
  for (const auto& entry : source.labels_) {
    auto copy = std::make_unique<L>(entry->get_number(), entry->get_name(), context_);
    if constexpr (std::is_same_v<L, Node_label>) copy->set_chunk(entry->get_chunk());
    map.add(entry.get(), copy.get());
    by_name_.emplace(copy->get_name(), copy.get());
    labels_.push_back(std::move(copy));
  }
}

template <class L>
void Label_table<L>::print(std::ostream& out) const {
  for (const auto& entry : labels_) {
    out << ' ';
    entry->print(out);
    out << '\n';
  }
  out << '\n';
}

template class Label_table<Node_label>;
template class Label_table<Link_label>;

}  // namespace murex
