#pragma once
// The machine-readable outputs: patterns.json, patterns.csv and
// occurrences.csv. Positions in links are 1-based, as in the pattern's
// canonical order; graph numbers are murex's (1-based within each class).

#include <ostream>

#include "report/report_model.h"

namespace murex::report {

void write_patterns_json(std::ostream& out, const Report& report);

// One row per pattern (good_pair.out order). Nodes and links are joined by
// blanks (label names never hold blanks): links read "from>to:label" in
// directed runs and "from-to:label" in undirected ones.
void write_patterns_csv(std::ostream& out, const Report& report);

// One row per graph of every class, one 0/1 column per pattern.
void write_occurrences_csv(std::ostream& out, const Report& report);

}  // namespace murex::report
