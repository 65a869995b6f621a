#include "graph/unit.h"

#include <algorithm>
#include <utility>

#include "graph/node.h"

namespace murex::MyCl {
namespace {

using Link_set = Unit_for_ig::Link_set;

bool key_less(const Link& a, const Link& b) {
  if (a.get_from_attachment() != b.get_from_attachment())
    return a.get_from_attachment() < b.get_from_attachment();
  return a.get_to_attachment() < b.get_to_attachment();
}

bool same_key(const Link& a, const Link& b) { return !key_less(a, b) && !key_less(b, a); }

// Inserts in key order; a link whose key is present already is destroyed.
bool insert_by_key(Link_set& set, std::unique_ptr<Link> link) {
  const auto at = std::lower_bound(set.begin(), set.end(), link,
                                   [](const auto& x, const auto& y) { return key_less(*x, *y); });
  if (at != set.end() && same_key(**at, *link)) return false;
  set.insert(at, std::move(link));
  return true;
}

std::int32_t label_number(const Node* node) { return node->get_label()->get_number(); }

// Reverses every link of `from_set`, moves the links of `other` into it
// (dropping duplicate keys) and leaves `other` empty.
void reverse_and_gather(Link_set& from_set, Link_set& other) {
  for (auto& link : from_set) link->reverse();
  std::sort(from_set.begin(), from_set.end(), [](const auto& x, const auto& y) { return key_less(*x, *y); });
  for (auto& link : other) insert_by_key(from_set, std::move(link));
  other.clear();
}

}  // namespace

bool Unit_for_ig::add_link(std::unique_ptr<Link> link) {
  Link_set& set = link->get_from() == node1_ ? forward_ : backward_;
  return insert_by_key(set, std::move(link));
}

void Unit_for_ig::reset_links() {
  cursor_in_backward_ = false;
  cursor_ = 0;
}

Link* Unit_for_ig::next_link() {
  if (!cursor_in_backward_ && cursor_ == forward_.size()) {
    if (backward_.empty()) return nullptr;
    cursor_in_backward_ = true;
    cursor_ = 1;
    return backward_.front().get();
  }
  if (cursor_in_backward_ && cursor_ == backward_.size()) return nullptr;
  const Link_set& set = cursor_in_backward_ ? backward_ : forward_;
  return set[cursor_++].get();
}

bool Unit_for_ig::is_in_order() const {
  const auto l1 = label_number(node1_);
  const auto l2 = label_number(node2_);
  if (l1 != l2) return l1 < l2;
  if (forward_.size() != backward_.size()) return forward_.size() < backward_.size();
  for (std::size_t k = 0; k < forward_.size(); ++k) {
    const Link& f = *forward_[k];
    const Link& b = *backward_[k];
    if (f.get_from_attachment() != b.get_from_attachment())
      return f.get_from_attachment() < b.get_from_attachment();
    if (f.get_to_attachment() != b.get_to_attachment())
      return f.get_to_attachment() < b.get_to_attachment();
    const auto fl = f.get_label()->get_number();
    const auto bl = b.get_label()->get_number();
    if (fl != bl) return fl < bl;
  }
  return true;
}

void Unit_for_ig::ordering() {
  const bool in_order = is_in_order();
  if (!in_order && !forward_.empty()) {
    // All links end up in `backward`, running from node 2 to node 1.
    reverse_and_gather(forward_, backward_);
    std::swap(forward_, backward_);
  } else if (in_order && !backward_.empty()) {
    // All links end up in `forward`, running from node 1 to node 2.
    reverse_and_gather(backward_, forward_);
    std::swap(forward_, backward_);
  }
}

void Unit_for_ig::copy_remapped(const Unit& source, Node* node1, Node* node2, const Link_label_map& map) {
  const auto& s = static_cast<const Unit_for_ig&>(source);
  node1_ = node1;
  node2_ = node2;
  forward_.reserve(s.forward_.size());
  for (const auto& link : s.forward_) {
    auto copy = std::make_unique<Link>(context_);
    copy->copy_remapped(*link, node1, node2, map);
    forward_.push_back(std::move(copy));
  }
  backward_.reserve(s.backward_.size());
  for (const auto& link : s.backward_) {
    auto copy = std::make_unique<Link>(context_);
    copy->copy_remapped(*link, node2, node1, map);
    backward_.push_back(std::move(copy));
  }
}

void Unit_for_ig::print(std::ostream& out) const {
  for (const auto& link : forward_) {
    link->print(out);
    out << ' ';
  }
  for (const auto& link : backward_) {
    link->print(out);
    out << ' ';
  }
}

void Unit_for_ig::normalize() {
  if (!is_in_order()) {
    std::swap(node1_, node2_);
    std::swap(forward_, backward_);
  }
}

bool Unit_for_sg::add_link(std::unique_ptr<Link> link) {
  link_ = std::move(link);
  return true;
}

Link* Unit_for_sg::next_link() {
  if (visited_) return nullptr;
  visited_ = true;
  return link_.get();
}

void Unit_for_sg::ordering() {
  if (label_number(node1_) > label_number(node2_)) link_->reverse();
}

void Unit_for_sg::copy_remapped(const Unit& source, Node* node1, Node* node2, const Link_label_map& map) {
  const auto& s = static_cast<const Unit_for_sg&>(source);
  node1_ = node1;
  node2_ = node2;
  link_ = std::make_unique<Link>(context_);
  if (s.link_->get_from() == s.node1_) {
    link_->copy_remapped(*s.link_, node1, node2, map);
  } else {
    link_->copy_remapped(*s.link_, node2, node1, map);
  }
}

void Unit_for_sg::print(std::ostream& out) const {
  link_->print(out);
  out << ' ';
}

void Unit_for_sg::normalize() {
  if (link_->get_from() != node1_) std::swap(node1_, node2_);
}

}  // namespace murex::MyCl
