// murex-report: turns a finished murex run into readable results.
#include <iostream>
#include <string>
#include <vector>

#include "report/report_program.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return murex::report::run_report_program(args, std::cout, std::cerr);
}
