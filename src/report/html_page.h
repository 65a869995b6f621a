#pragma once
// report.html: one self-contained page (inline CSS, script and SVG, nothing
// fetched) listing the patterns best first with their drawings, label names,
// SMARTS, supports per class and scores, sortable in the page.
//
// The script records its state on the <html> element so that a headless
// browser's DOM dump shows it: data-ready="yes" once it ran, data-errors with
// the number of script errors (their messages go into #script-errors), and
// data-sorted with the current order. A fragment or query "sort=<key>"
// (score, support, support-<class>, pattern) picks the order on load.

#include <ostream>
#include <string>
#include <vector>

#include "report/report_model.h"

namespace murex::report {

struct Pattern_drawing {
  std::string svg;  // inline <svg> element, "" when not rendered
  std::string dot;  // the DOT text, shown when there is no SVG
};

// `drawings` has one entry per pattern, in the order of report.patterns.
void write_html_page(std::ostream& out, const Report& report, const std::vector<Pattern_drawing>& drawings);

}  // namespace murex::report
