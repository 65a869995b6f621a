#include "eval/good_pair_list.h"

#include "eval/good_pair_evaluation.h"
#include "graph/pair_binder.h"

namespace murex {
namespace {
std::unique_ptr<Good_pair_list>& slot() {
  static std::unique_ptr<Good_pair_list> list;
  return list;
}
}  // namespace

Good_pair::Good_pair(const Pair_binder& pair_type)
    : code_(pair_type.code()), graph_numbers_(pair_type.class_count()) {
  node_labels_.reserve(pair_type.node_labels().size());
  for (const Node_label* label : pair_type.node_labels()) node_labels_.push_back(label->get_number());
  for (std::size_t i = 0; i < graph_numbers_.size(); ++i) {
    auto& set = graph_numbers_[i];
    for (const auto& entry : pair_type.occurrences_of(static_cast<std::int32_t>(i))) {
      set.insert(set.end(), entry.first->get_graph_number());
    }
  }
}

void Good_pair::add_graph(std::int32_t class_index, std::int32_t graph_number) const {
  graph_numbers_[static_cast<std::size_t>(class_index)].insert(graph_number);
}

void Good_pair::merge(const Good_pair& other) const {
  for (std::size_t i = 0; i < graph_numbers_.size() && i < other.graph_numbers_.size(); ++i) {
    graph_numbers_[i].insert(other.graph_numbers_[i].begin(), other.graph_numbers_[i].end());
  }
}

void Good_pair::print(std::ostream& out) const {
  for (const std::int32_t n : node_labels_) out << n << ' ';
  out << '\n';
  for (const std::uint32_t entry : code_) out << entry << ' ';
  out << '\n';
  for (const auto& set : graph_numbers_) {
    out << "    ";
    for (const std::int32_t g : set) out << g << ' ';
    out << '\n';
  }
}

namespace {

std::int32_t number_at(const Good_pair& g, std::size_t k) { return g.node_labels()[k]; }
std::int32_t number_at(const Canonical_label& c, std::size_t k) { return c.node_labels()[k]->get_number(); }

template <class A, class B>
bool key_less(const A& a, const B& b) {
  const std::size_t na = a.node_labels().size();
  const std::size_t nb = b.node_labels().size();
  if (na != nb) return na < nb;
  for (std::size_t k = 0; k < na; ++k) {
    const auto x = number_at(a, k);
    const auto y = number_at(b, k);
    if (x != y) return x < y;
  }
  const auto& ca = a.code();
  const auto& cb = b.code();
  const std::size_t n = ca.size() < cb.size() ? ca.size() : cb.size();
  for (std::size_t k = 0; k < n; ++k) {
    const auto x = static_cast<std::int32_t>(ca[k]);
    const auto y = static_cast<std::int32_t>(cb[k]);
    if (x != y) return x < y;
  }
  return ca.size() < cb.size();
}

}  // namespace

bool Good_pair_less::operator()(const Good_pair& a, const Good_pair& b) const { return key_less(a, b); }
bool Good_pair_less::operator()(const Good_pair& a, const Canonical_label& b) const { return key_less(a, b); }
bool Good_pair_less::operator()(const Canonical_label& a, const Good_pair& b) const { return key_less(a, b); }

Good_pair_list& Good_pair_list::instance() {
  auto& s = slot();
  if (!s) s = std::make_unique<Good_pair_list>();
  return *s;
}

void Good_pair_list::release() { slot().reset(); }

void Good_pair_list::record(const Pair_binder& pair_type) {
  const auto found = good_pairs_.find(static_cast<const Canonical_label&>(pair_type));
  if (found == good_pairs_.end()) {
    good_pairs_.insert(Good_pair(pair_type));
    return;
  }
  // Merge the pair type's graphs straight in, without building an entry.
  for (std::size_t i = 0; i < pair_type.class_count(); ++i) {
    for (const auto& entry : pair_type.occurrences_of(static_cast<std::int32_t>(i))) {
      found->add_graph(static_cast<std::int32_t>(i), entry.first->get_graph_number());
    }
  }
}

void Good_pair_list::record(const Pair_binder& pair_type, std::int32_t class_index, std::int32_t graph_number) {
  auto found = good_pairs_.find(static_cast<const Canonical_label&>(pair_type));
  if (found == good_pairs_.end()) {
    found = good_pairs_.insert(Good_pair(pair_type)).first;
  }
  found->add_graph(class_index, graph_number);
}

void Good_pair_list::write(std::ostream& out) const {
  out << "Good_pairs \n";
  const Good_pair_evaluation_holder& evaluation = Good_pair_evaluation_holder::instance();
  for (const Good_pair& entry : good_pairs_) {
    const double value = evaluation.evaluate(entry);
    if (!evaluation.accept(value)) continue;
    entry.print(out);
    out << "evaluation= " << value << '\n';
    out.flush();
    out << '\n';
    out.flush();
  }
}

}  // namespace murex
