#include "graph/pair.h"

#include <algorithm>

#include "graph/chunk.h"
#include "graph/link.h"
#include "graph/node.h"
#include "graph/unit.h"

namespace murex {
namespace {

int sign_of(std::int64_t difference) { return difference < 0 ? -1 : (difference > 0 ? 1 : 0); }

std::int32_t end_size(const Node_label* label) {
  const Chunk* chunk = label->get_chunk();
  return chunk != nullptr ? chunk->get_node_count() : 1;
}

}  // namespace

std::unique_ptr<Pair_link> make_pair_link(const Link& link, std::uint8_t direction, Search_context* context) {
  auto pair_link = std::make_unique<Pair_link>(context);
  pair_link->set_direction(direction);
  pair_link->set_from_attachment(static_cast<std::uint32_t>(link.get_from_attachment()));
  pair_link->set_to_attachment(static_cast<std::uint32_t>(link.get_to_attachment()));
  pair_link->set_label(link.get_label());
  return pair_link;
}

void Pair_link::copy_remapped(const Pair_link& source, const Link_label_map& map) {
  direction_ = source.direction_;
  from_attachment_ = source.from_attachment_;
  to_attachment_ = source.to_attachment_;
  label_ = map.image(source.label_);
}

void Pair_link::print(std::ostream& out) const {
  const char* from_end = direction_ == 1 ? "Node.1(" : "Node.2(";
  const char* to_end = direction_ == 1 ? "Node.2(" : "Node.1(";
  out << from_end << from_attachment_ << ")-" << label_->get_name() << "->" << to_end << to_attachment_ << ')';
}

int compare_pair_links(const Pair_link& a, const Pair_link& b) {
  if (a.get_direction() != b.get_direction()) return a.get_direction() == 1 ? -1 : 1;
  if (a.get_from_attachment() != b.get_from_attachment())
    return a.get_from_attachment() < b.get_from_attachment() ? -1 : 1;
  if (a.get_to_attachment() != b.get_to_attachment())
    return a.get_to_attachment() < b.get_to_attachment() ? -1 : 1;
  return sign_of(std::int64_t{a.get_label()->get_number()} - b.get_label()->get_number());
}

bool Pair_link_set::insert(std::unique_ptr<Pair_link> link) {
  const auto at = std::lower_bound(links_.begin(), links_.end(), link, [](const auto& x, const auto& y) {
    return compare_pair_links(*x, *y) < 0;
  });
  if (at != links_.end() && compare_pair_links(**at, *link) == 0) return false;
  links_.insert(at, std::move(link));
  return true;
}

void Pair_link_set::fill_from_unit(MyCl::Unit& unit, Search_context* context) {
  unit.reset_links();
  while (Link* link = unit.next_link()) {
    insert(make_pair_link(*link, link->get_from() == unit.get_node1() ? 1 : 0, context));
  }
}

std::int32_t Pair::size() const {
  const std::int32_t first = end_size(node1_label_);
  return self_ == 1 ? first : first + end_size(node2_label_);
}

namespace {

const Pair_link& link_of(const Pair_link& link) { return link; }
const Pair_link& link_of(const std::unique_ptr<Pair_link>& link) { return *link; }

// The pattern order: end labels, then the links in pair-link order, then the
// self flag. `A` is a pair or a unit's pattern read in place.
template <class A>
int compare_pattern_with_pair(const A& a, const Pair& b) {
  if (int c = sign_of(std::int64_t{a.get_node1_label()->get_number()} - b.get_node1_label()->get_number())) return c;
  if (int c = sign_of(std::int64_t{a.get_node2_label()->get_number()} - b.get_node2_label()->get_number())) return c;
  const auto la = a.links();
  const auto lb = b.links();
  if (la.size() != lb.size()) return la.size() < lb.size() ? -1 : 1;
  for (std::size_t k = 0; k < la.size(); ++k) {
    if (int c = compare_pair_links(link_of(la[k]), *lb[k])) return c;
  }
  if (a.is_self() != b.is_self()) return a.is_self() == 1 ? -1 : 1;
  return 0;
}

}  // namespace

int compare_patterns(const Pair& a, const Pair& b) { return compare_pattern_with_pair(a, b); }

void Unit_pattern::read(MyCl::Unit& unit) {
  links_.clear();
  unit.reset_links();
  if (unit.holds_one_link()) {
    const Link* link = unit.next_link();
    node1_label_ = link->get_from()->get_label();
    node2_label_ = link->get_to()->get_label();
    self_ = link->get_from() == link->get_to() ? 1 : 0;
    Pair_link& pair_link = links_.emplace_back(nullptr);
    pair_link.set_direction(1);
    pair_link.set_from_attachment(static_cast<std::uint32_t>(link->get_from_attachment()));
    pair_link.set_to_attachment(static_cast<std::uint32_t>(link->get_to_attachment()));
    pair_link.set_label(link->get_label());
    return;
  }
  const Node* node1 = unit.get_node1();
  node1_label_ = node1->get_label();
  node2_label_ = unit.get_node2()->get_label();
  self_ = node1 == unit.get_node2() ? 1 : 0;
  while (const Link* link = unit.next_link()) {
    Pair_link made(nullptr);
    made.set_direction(link->get_from() == node1 ? 1 : 0);
    made.set_from_attachment(static_cast<std::uint32_t>(link->get_from_attachment()));
    made.set_to_attachment(static_cast<std::uint32_t>(link->get_to_attachment()));
    made.set_label(link->get_label());
    // Insertion in pair-link order; an equal link is dropped (as Pair_link_set does).
    std::size_t at = links_.size();
    while (at > 0 && compare_pair_links(made, links_[at - 1]) < 0) --at;
    if (at > 0 && compare_pair_links(made, links_[at - 1]) == 0) continue;
    links_.insert(links_.begin() + static_cast<std::ptrdiff_t>(at), made);
  }
}

int compare_patterns(const Unit_pattern& a, const Pair& b) { return compare_pattern_with_pair(a, b); }

void print_pair_pattern(std::ostream& out, const Pair& pair) {
  out << pair.get_node1_label()->get_name() << ' ' << pair.get_node2_label()->get_name() << ' ';
  for (const auto& link : pair.links()) {
    link->print(out);
    out << ' ' << static_cast<int>(pair.is_self()) << ' ';
  }
}

// --- Pair_for_ig -----------------------------------------------------------

Pair_for_ig::Pair_for_ig(MyCl::Unit& unit, Search_context* context) : With_link_set(context) {
  node1_label_ = unit.get_node1()->get_label();
  node2_label_ = unit.get_node2()->get_label();
  pair_links_.fill_from_unit(unit, context);
  self_ = unit.get_node1() == unit.get_node2() ? 1 : 0;
}

Pair_for_ig::Pair_for_ig(Pair& source) : With_link_set(source.get_context()) {
  node1_label_ = source.get_node1_label();
  node2_label_ = source.get_node2_label();
  self_ = source.is_self();
  for (const auto& link : source.links()) pair_links_.insert(std::make_unique<Pair_link>(*link));
}

void Pair_for_ig::clone(const Pair& source, const Node_label_map& node_labels, const Link_label_map& link_labels) {
  node1_label_ = node_labels.image(source.get_node1_label());
  node2_label_ = node_labels.image(source.get_node2_label());
  for (const auto& link : source.links()) {
    auto copy = std::make_unique<Pair_link>(context_);
    copy->copy_remapped(*link, link_labels);
    pair_links_.insert(std::move(copy));
  }
  self_ = source.is_self();
}

void Pair_for_ig::print(std::ostream& out) const { print_pair_pattern(out, *this); }

// --- Pair_for_sg -----------------------------------------------------------

Pair_for_sg::Pair_for_sg(MyCl::Unit& unit, Search_context* context) : With_one_link(context) {
  unit.reset_links();
  const Link* link = unit.next_link();
  node1_label_ = link->get_from()->get_label();
  node2_label_ = link->get_to()->get_label();
  pair_link_ = make_pair_link(*link, 1, context);
  self_ = link->get_from() == link->get_to() ? 1 : 0;
}

Pair_for_sg::Pair_for_sg(Pair& source) : With_one_link(source.get_context()) {
  node1_label_ = source.get_node1_label();
  node2_label_ = source.get_node2_label();
  self_ = source.is_self();
  const auto view = source.links();
  if (!view.empty()) pair_link_ = std::make_unique<Pair_link>(*view.front());
}

void Pair_for_sg::clone(const Pair& source, const Node_label_map& node_labels, const Link_label_map& link_labels) {
  node1_label_ = node_labels.image(source.get_node1_label());
  node2_label_ = node_labels.image(source.get_node2_label());
  const auto view = source.links();
  if (!view.empty()) {
    pair_link_ = std::make_unique<Pair_link>(context_);
    pair_link_->copy_remapped(*view.front(), link_labels);
  }
  self_ = source.is_self();
}

void Pair_for_sg::print(std::ostream& out) const { print_pair_pattern(out, *this); }

}  // namespace murex
