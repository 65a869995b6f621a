#include "pair/countable_pair.h"

#include "graph/graph.h"
#include "graph/link.h"
#include "graph/node.h"
#include "graph/unit.h"
#include "run/fatal.h"

namespace murex {

void Countable_pair::append_occurrences(const Countable_pair& other) {
  occurrences_.insert(occurrences_.end(), other.occurrences_.begin(), other.occurrences_.end());
}

void Countable_pair::print_occurrences(std::ostream& out) const {
  for (const Occurrence& o : occurrences_) out << o.class_index << '(' << o.graph->get_graph_number() << ") ";
}

Countable_pair_for_ig::Countable_pair_for_ig(MyCl::Unit& unit, Data_graph* graph, std::int32_t class_index,
                                             Search_context* context)
    : With_link_set(graph, class_index, context) {
  node1_label_ = unit.get_node1()->get_label();
  node2_label_ = unit.get_node2()->get_label();
  pair_links_.fill_from_unit(unit, context);
  self_ = unit.get_node1() == unit.get_node2() ? 1 : 0;
}

void Countable_pair_for_ig::clone(const Pair&, const Node_label_map&, const Link_label_map&) {
  placeholder_stop("Mada Countable_pair_for_ig::clone. ha jissou site masen.");
}

void Countable_pair_for_ig::print(std::ostream& out) const {
  print_pair_pattern(out, *this);
  print_occurrences(out);
}

Countable_pair_for_sg::Countable_pair_for_sg(MyCl::Unit& unit, Data_graph* graph, std::int32_t class_index,
                                             Search_context* context)
    : With_one_link(graph, class_index, context) {
  unit.reset_links();
  const Link* link = unit.next_link();
  node1_label_ = link->get_from()->get_label();
  node2_label_ = link->get_to()->get_label();
  self_ = link->get_from() == link->get_to() ? 1 : 0;
  pair_link_ = make_pair_link(*link, 1, context);
}

void Countable_pair_for_sg::clone(const Pair&, const Node_label_map&, const Link_label_map&) {
  placeholder_stop("Mada Countable_pair_for_sg::clone. ha jissou site masen.");
}

void Countable_pair_for_sg::print(std::ostream& out) const {
  print_pair_pattern(out, *this);
  print_occurrences(out);
}

}  // namespace murex
