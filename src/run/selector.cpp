#include "run/selector.h"

#include "graph/pair_binder.h"

namespace murex {

bool Selector_order::operator()(const Selector_entry& a, const Selector_entry& b) const {
  const double va = a.binder->get_chunk_evaluation();
  const double vb = b.binder->get_chunk_evaluation();
  if (va > vb) return true;
  if (va < vb) return false;
  return canonical_less(*a.binder, *b.binder);
}

}  // namespace murex
