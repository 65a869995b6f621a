#pragma once
// Twins of a pattern: two nodes with the same label, degree and link to
// themselves that are linked to every other node in the same way (same
// labels, same directions), and linked to each other, if at all, the same
// way in both directions. Exchanging two twins maps the pattern onto itself,
// and so does exchanging any two members of one class below.

#include <cstdint>
#include <vector>

#include "label/pattern_links.h"

namespace murex {

// Entry k (k = 1..N; entry 0 unused): the class of node k, named by one of
// its members. Not every pair of twins need be found; every pair put in one
// class is interchangeable.
std::vector<std::int32_t> twin_classes(const Pattern_links& links);

}  // namespace murex
