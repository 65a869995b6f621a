#include "graph/chunk.h"

#include "graph/pair.h"
#include "graph/unit_for_chunk.h"
#include "run/fatal.h"

namespace murex {

std::unique_ptr<Node> Chunk::create_node(std::int32_t number, Node_label* label) {
  return std::make_unique<Node_for_chunk>(number, label, context_);
}

std::unique_ptr<MyCl::Unit> Chunk::create_unit() { return std::make_unique<MyCl::Unit_for_chunk>(context_); }

void Chunk::count_pairs(std::int32_t) { MUREX_INTERNAL_ERROR(); }

void Chunk::chunk_pair(std::int32_t, Pair&, Node_label*) { MUREX_INTERNAL_ERROR(); }

void Chunk::order_units() { MUREX_INTERNAL_ERROR(); }

void Chunk::print(std::ostream& out) const {
  out << "  Chunk " << (label_ != nullptr ? label_->get_name() : std::string()) << " Evaluation_= " << evaluation_
      << '\n';
  Graph::print(out);
}

const MyCl::Unit_for_chunk* Chunk::link_at(std::size_t position) const {
  return static_cast<const MyCl::Unit_for_chunk*>(unit_slot(position));
}

void Chunk::add_end(Node_label* label, std::int32_t offset) {
  const Chunk* inner = label->get_chunk();
  if (inner == nullptr) {
    add_node(static_cast<std::uint32_t>(1 + offset), label);
    return;
  }
  for (std::int32_t k = 1; k <= inner->get_node_count(); ++k) {
    add_node(static_cast<std::uint32_t>(k + offset), inner->node_at(k)->get_label());
  }
  for (std::size_t p = 0; p < inner->unit_slots(); ++p) {
    const auto* unit = static_cast<const MyCl::Unit_for_chunk*>(inner->unit_slot(p));
    if (unit == nullptr) continue;
    auto copy = std::make_unique<MyCl::Unit_for_chunk>(context_);
    copy->set_node1(node_at(unit->get_node1()->get_number() + offset));
    copy->set_node2(node_at(unit->get_node2()->get_number() + offset));
    copy->set_label(unit->get_label());
    add_unit(std::move(copy));
  }
}

void Chunk::build_from_pair(const Pair& pair) {
  Node_label* first = pair.get_node1_label();
  add_end(first, 0);
  std::int32_t offset = 0;
  if (pair.is_self() == 0) {
    const Chunk* c1 = first->get_chunk();
    offset = c1 != nullptr ? c1->get_node_count() : 1;
    add_end(pair.get_node2_label(), offset);
  }
  for (const auto& link : pair.links()) {
    auto unit = std::make_unique<MyCl::Unit_for_chunk>(context_);
    const auto from = static_cast<std::int32_t>(link->get_from_attachment());
    const auto to = static_cast<std::int32_t>(link->get_to_attachment());
    if (link->get_direction() == 1) {
      unit->set_node1(node_at(from));
      unit->set_node2(node_at(to + offset));
    } else {
      unit->set_node1(node_at(from + offset));
      unit->set_node2(node_at(to));
    }
    unit->set_label(link->get_label());
    add_unit(std::move(unit));
  }
}

void Chunk::copy_remapped(const Chunk& source, const Node_label_map& node_labels, const Link_label_map& link_labels) {
  label_ = node_labels.image(source.label_);
  if (label_ != nullptr) label_->set_chunk(this);
  evaluation_ = source.evaluation_;
  clone_from(source, node_labels, link_labels);
}

void Chunk_list::clone_from(const Chunk_list& source, const Node_label_map& node_labels,
                            const Link_label_map& link_labels) {
  chunks_.reserve(chunks_.size() + source.chunks_.size());
  for (const auto& chunk : source.chunks_) {
    auto copy = std::make_unique<Chunk>(context_);
    copy->copy_remapped(*chunk, node_labels, link_labels);
    chunks_.push_back(std::move(copy));
  }
}

void Chunk_list::print(std::ostream& out) const {
  for (const auto& chunk : chunks_) {
    chunk->print(out);
    out << '\n';
  }
}

}  // namespace murex
