#pragma once
// The whole of murex-report behind its command line: reads the run, builds
// the report and writes every output. Messages go to `out` (summary) and
// `err` (warnings, and the one error line that ends a failed run).

#include <ostream>
#include <string>
#include <vector>

#include "report/report_model.h"
#include "report/report_options.h"

namespace murex::report {

// Reads and checks every input named by `options`; throws Report_error.
Report load_report(const Report_options& options);

// Returns the exit status: 0 on success, 1 on any error.
int run_report_program(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace murex::report
