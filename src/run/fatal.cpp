#include "run/fatal.h"

#include <cstdlib>
#include <iostream>
#include <string>

namespace murex {
namespace {

[[noreturn]] void end_process() {
  std::cout.flush();
  std::cerr.flush();
  std::_Exit(1);
}

}  // namespace

void fatal(std::string_view message) {
  std::cout.flush();
  std::cerr << message << '\a' << '\n';
  end_process();
}

void fatal_without_bell(std::string_view message) {
  std::cout.flush();
  std::cerr << message << '\n';
  end_process();
}

void internal_error(std::string_view source_file, int line) {
  const auto slash = source_file.find_last_of("/\\");
  const std::string_view base =
      slash == std::string_view::npos ? source_file : source_file.substr(slash + 1);
  std::cout.flush();
  std::cerr << "Error: " << base << '(' << line << ')' << '\a' << '\n';
  end_process();
}

void placeholder_stop(std::string_view message) {
  std::cout << message << '\a' << '\n';
  end_process();
}

void warning(std::string_view message) {
  std::cout.flush();
  std::cerr << message << '\n';
  std::cerr.flush();
}

}  // namespace murex
