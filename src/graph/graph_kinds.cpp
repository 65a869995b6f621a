#include "graph/graph_kinds.h"

#include <algorithm>

#include "graph/chunk.h"
#include "graph/pair.h"
#include "graph/search_context.h"
#include "input/search_state.h"
#include "pair/pair_type_registry.h"
#include "run/murex_factory.h"

namespace murex {
namespace {

using MyCl::Unit;

// Inner nodes of a node: its label's chunk size, 1 for a plain node.
std::int32_t inner_size(const Node* node) {
  const Chunk* chunk = node->get_label()->get_chunk();
  return chunk != nullptr ? chunk->get_node_count() : 1;
}

void erase_from(std::vector<Unit*>& list, const Unit* unit) {
  const auto at = std::find(list.begin(), list.end(), unit);
  if (at != list.end()) list.erase(at);
}

// Moves the end of `link` at `absorbed` to `kept`, shifting its attachment.
void move_link_end(Link& link, const Node* absorbed, Node* kept, std::int32_t shift) {
  if (link.get_from() == absorbed) {
    link.set_from(kept);
    link.set_from_attachment(link.get_from_attachment() + shift);
  }
  if (link.get_to() == absorbed) {
    link.set_to(kept);
    link.set_to_attachment(link.get_to_attachment() + shift);
  }
}

}  // namespace

std::unique_ptr<Node> Data_graph::create_node(std::int32_t number, Node_label* label) {
  auto node = std::make_unique<Node>(context_);
  node->set_number(number);
  if (label != nullptr) node->set_label(label);
  return node;
}

void Data_graph::count_pairs(std::int32_t class_index) {
  Pair_type_registry& registry = context_->get_owner()->registry();
  for (std::size_t p = 0; p < unit_slots(); ++p) {
    if (Unit* unit = unit_slot(p)) registry.count_unit(unit, this, class_index);
  }
}

void Data_graph::order_every_unit() {
  for (std::size_t p = 0; p < unit_slots(); ++p) {
    if (Unit* unit = unit_slot(p)) unit->ordering();
  }
}

void Data_graph::build_incidence(std::vector<std::vector<Unit*>>& incident) const {
  if (incident.size() < node_slots()) incident.resize(node_slots());
  for (std::size_t k = 0; k < node_slots(); ++k) incident[k].clear();
  for (std::size_t p = 0; p < unit_slots(); ++p) {
    Unit* unit = unit_slot(p);
    if (unit == nullptr) continue;
    const auto a = static_cast<std::size_t>(unit->get_node1()->get_number());
    const auto b = static_cast<std::size_t>(unit->get_node2()->get_number());
    incident[a].push_back(unit);
    if (b != a) incident[b].push_back(unit);
  }
}

void Data_graph::rewrite_occurrences(std::int32_t class_index, Pair& pair, Node_label* label, Variant variant) {
  Rewrite_scratch& scratch = context_->rewrite_scratch();
  Unit_pattern& probe = scratch.probe;
  auto& incident = scratch.incident;
  std::vector<Unit*>& touched = scratch.touched;
  const bool induced = variant == Variant::induced_subgraph;
  const bool self = pair.is_self() == 1;
  bool indexed = false;  // the incidence is built at the first occurrence

  const std::size_t end = unit_slots();  // no unit is appended while rewriting
  for (std::size_t s = 0; s < end; ++s) {
    Unit* unit = unit_slot(s);
    if (unit == nullptr) continue;

    // The ends of the pair as this unit shows them: node 1 and node 2 of an
    // induced-subgraph unit; the nodes its link leaves and enters otherwise.
    Node* end1 = unit->get_node1();
    Node* end2 = unit->get_node2();
    if (!induced) {
      unit->reset_links();
      const Link* link = unit->next_link();
      end1 = link->get_from();
      end2 = link->get_to();
    }
    // Equal pairs have equal end labels; most units fail here, before the links are read.
    if (end1->get_label() != pair.get_node1_label() || end2->get_label() != pair.get_node2_label()) continue;
    probe.read(*unit);
    if (compare_patterns(probe, pair) != 0) continue;
    if (!indexed) {
      build_incidence(incident);
      if (scratch.first_at.size() < node_slots()) scratch.first_at.resize(node_slots(), {nullptr, false});
      indexed = true;
    }

    const auto replaced = take_unit(unit);
    context_->record_destroyed(class_index, this, unit);
    {
      const auto a = static_cast<std::size_t>(unit->get_node1()->get_number());
      const auto b = static_cast<std::size_t>(unit->get_node2()->get_number());
      erase_from(incident[a], unit);
      if (b != a) erase_from(incident[b], unit);
    }

    Node* kept = end1;
    Node* absorbed = self ? nullptr : end2;

    // Every other unit at the kept or the absorbed node, in unit-list order.
    const auto k = static_cast<std::size_t>(kept->get_number());
    touched.assign(incident[k].begin(), incident[k].end());
    if (absorbed != nullptr) {
      const auto& others = incident[static_cast<std::size_t>(absorbed->get_number())];
      touched.insert(touched.end(), others.begin(), others.end());
    }
    std::sort(touched.begin(), touched.end(),
              [](const Unit* x, const Unit* y) { return x->get_position() < y->get_position(); });
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());

    const std::int32_t shift = inner_size(kept);
    for (Unit* w : touched) {
      context_->record_destroyed(class_index, this, w);
      if (absorbed == nullptr) continue;
      const bool at1 = w->get_node1() == absorbed;
      const bool at2 = w->get_node2() == absorbed;
      if (!at1 && !at2) continue;
      if (at1) w->set_node1(kept);
      if (at2) w->set_node2(kept);
      w->reset_links();
      if (induced) {
        while (Link* link = w->next_link()) move_link_end(*link, absorbed, kept, shift);
      } else if (Link* link = w->next_link()) {
        move_link_end(*link, absorbed, kept, shift);
      }
    }

    kept->set_label(label);
    if (absorbed != nullptr) {
      absorbed->set_label(context_->placeholder_label());
      decrease_node_count();
      incident[static_cast<std::size_t>(absorbed->get_number())].clear();
    }

    if (induced) {
      for (Unit* w : touched) w->normalize();
      // Units that now join the same two nodes become one: every touched unit
      // has the kept node at one end, so they are keyed by their other end.
      // Each unit absorbs at most the first later duplicate.
      auto& first_at = scratch.first_at;
      std::size_t kept_units = 0;
      for (std::size_t t = 0; t < touched.size(); ++t) {
        Unit* w = touched[t];
        const Node* other = w->get_node1() == kept ? w->get_node2() : w->get_node1();
        auto& slot = first_at[static_cast<std::size_t>(other->get_number())];
        if (slot.first == nullptr || slot.second) {
          slot = {w, false};
          touched[kept_units++] = w;
          continue;
        }
        Unit* survivor = slot.first;
        w->reset_links();
        while (const Link* link = w->next_link()) survivor->add_link(std::make_unique<Link>(*link));
        slot.second = true;
        if (other != kept) erase_from(incident[static_cast<std::size_t>(other->get_number())], w);
        take_unit(w);  // destroys the unit and its links
      }
      touched.resize(kept_units);
      for (Unit* w : touched) {
        const Node* other = w->get_node1() == kept ? w->get_node2() : w->get_node1();
        first_at[static_cast<std::size_t>(other->get_number())] = {nullptr, false};
        context_->record_created(class_index, this, w);
      }
    } else {
      for (Unit* w : touched) {
        w->normalize();
        context_->record_created(class_index, this, w);
      }
    }
    incident[k].assign(touched.begin(), touched.end());
  }
  compact_units();
}

std::unique_ptr<MyCl::Unit> Directed_graph_for_ig::create_unit() { return std::make_unique<MyCl::Unit_for_ig>(context_); }
std::unique_ptr<MyCl::Unit> Directed_graph_for_sg::create_unit() { return std::make_unique<MyCl::Unit_for_sg>(context_); }
std::unique_ptr<MyCl::Unit> Undirected_graph_for_ig::create_unit() { return std::make_unique<MyCl::Unit_for_ig>(context_); }
std::unique_ptr<MyCl::Unit> Undirected_graph_for_sg::create_unit() { return std::make_unique<MyCl::Unit_for_sg>(context_); }

void Directed_graph_for_ig::chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) {
  rewrite_occurrences(class_index, pair, label, Variant::induced_subgraph);
}
void Directed_graph_for_sg::chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) {
  rewrite_occurrences(class_index, pair, label, Variant::subgraph);
}
void Undirected_graph_for_ig::chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) {
  rewrite_occurrences(class_index, pair, label, Variant::induced_subgraph);
}
void Undirected_graph_for_sg::chunk_pair(std::int32_t class_index, Pair& pair, Node_label* label) {
  rewrite_occurrences(class_index, pair, label, Variant::subgraph);
}

}  // namespace murex
