#include "label/canonical_label.h"

#include "run/fatal.h"

namespace murex {

void Canonical_label::print(std::ostream& out) const {
  for (const Node_label* label : node_labels_) out << label->get_name() << ' ';
  out << '\n';
  for (const std::uint32_t entry : code_) out << entry << ' ';
  out << '\n';
}

bool canonical_less(const Canonical_label& a, const Canonical_label& b) {
  if (a.node_count() != b.node_count()) return a.node_count() < b.node_count();
  const auto& la = a.node_labels();
  const auto& lb = b.node_labels();
  for (std::size_t k = 0; k < la.size(); ++k) {
    const auto na = la[k]->get_number();
    const auto nb = lb[k]->get_number();
    if (na != nb) return na < nb;
  }
  const auto& ca = a.code();
  const auto& cb = b.code();
  const std::size_t n = ca.size() < cb.size() ? ca.size() : cb.size();
  for (std::size_t k = 0; k < n; ++k) {
    if (ca[k] != cb[k]) return ca[k] < cb[k];
  }
  return ca.size() < cb.size();
}

std::int32_t lab_cmp(const Code& a, const Code& b) {
  if (a.size() != b.size()) fatal("lab_cmp obj1.size()!=obj2.size()");
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k] != b[k]) return static_cast<std::int32_t>(a[k] - b[k]);
  }
  return 0;
}

}  // namespace murex
