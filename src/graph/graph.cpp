#include "graph/graph.h"

#include <algorithm>

#include "graph/search_context.h"

namespace murex {

Graph::~Graph() {
  // Nodes first, then the units (each deletes its own links).
  for (auto& node : nodes_) node.reset();
  units_.clear();
}

void Graph::add_node(std::uint32_t k, Node_label* label) {
  if (k >= nodes_.size()) {
    node_count_ = static_cast<std::int32_t>(k);
    nodes_.resize(static_cast<std::size_t>(k) + 1);
  }
  auto& slot = nodes_[k];
  if (!slot) {
    slot = create_node(static_cast<std::int32_t>(k), label);
  } else if (label != nullptr && slot->get_label() == nullptr) {
    slot->set_label(label);
  }
}

void Graph::add_unit(std::unique_ptr<MyCl::Unit> unit) {
  unit->set_position(units_.size());
  units_.push_back(std::move(unit));
  ++live_units_;
}

bool Graph::add_link(std::int32_t i, std::int32_t j, Link_label* label) {
  Node* from = node_at(i);
  Node* to = node_at(j);
  auto link = std::make_unique<Link>(context_);
  link->set_from(from);
  link->set_to(to);
  link->set_label(label);

  if (units_hold_all_links()) {
    const auto lo = static_cast<std::uint64_t>(std::min(i, j));
    const auto hi = static_cast<std::uint64_t>(std::max(i, j));
    const std::uint64_t key = (lo << 32) | hi;
    const auto found = unit_between_.find(key);
    if (found != unit_between_.end()) return found->second->add_link(std::move(link));
    auto unit = create_unit();
    unit->set_node1(from);
    unit->set_node2(to);
    unit->add_link(std::move(link));
    unit_between_.emplace(key, unit.get());
    add_unit(std::move(unit));
    return true;
  }

  auto unit = create_unit();
  unit->set_node1(from);
  unit->set_node2(to);
  const bool added = unit->add_link(std::move(link));
  add_unit(std::move(unit));
  return added;
}

MyCl::Unit* Graph::next_unit() {
  while (unit_cursor_ < units_.size()) {
    MyCl::Unit* unit = units_[unit_cursor_++].get();
    if (unit != nullptr) return unit;
  }
  return nullptr;
}

void Graph::normalize_units() {
  for (auto& unit : units_) {
    if (unit) unit->normalize();
  }
  unit_between_.clear();
}

void Graph::clone_from(const Graph& source, const Node_label_map& node_labels,
                       const Link_label_map& link_labels) {
  nodes_.resize(source.nodes_.size());
  for (std::size_t k = 1; k < source.nodes_.size(); ++k) {
    const Node* original = source.nodes_[k].get();
    nodes_[k] = create_node(static_cast<std::int32_t>(k),
                            original != nullptr ? node_labels.image(original->get_label()) : nullptr);
  }
  units_.reserve(source.live_units_);
  for (const auto& original : source.units_) {
    if (!original) continue;
    auto unit = create_unit();
    unit->copy_remapped(*original, node_at(original->get_node1()->get_number()),
                        node_at(original->get_node2()->get_number()), link_labels);
    add_unit(std::move(unit));
  }
  node_count_ = source.node_count_;
}

void Graph::print(std::ostream& out) const {
  for (std::size_t k = 1; k < nodes_.size(); ++k) {
    out << k << ' ';
    if (nodes_[k]) nodes_[k]->print(out);
    out << '\n';
  }
  for (const auto& unit : units_) {
    if (!unit) continue;
    unit->print(out);
    out << '\n';
  }
}

std::unique_ptr<MyCl::Unit> Graph::take_unit(MyCl::Unit* unit) {
  auto owned = std::move(units_[unit->get_position()]);
  --live_units_;
  return owned;
}

void Graph::compact_units() {
  if (live_units_ == units_.size()) return;
  std::size_t kept = 0;
  for (auto& unit : units_) {
    if (!unit) continue;
    unit->set_position(kept);
    units_[kept++] = std::move(unit);
  }
  units_.resize(kept);
}

}  // namespace murex
