#include "run/fatal.h"

#include <cstdlib>
#include <iostream>
#include <string>

namespace murex {
namespace {

End_hook installed_hook = nullptr;

[[noreturn]] void end_after_error() { end_process(1); }

}  // namespace

End_hook set_end_hook(End_hook hook) {
  const End_hook previous = installed_hook;
  installed_hook = hook;
  return previous;
}

void end_process(int status) {
  std::cout.flush();
  std::cerr.flush();
  if (installed_hook != nullptr) installed_hook(status);
  std::_Exit(status);
}

void fatal(std::string_view message) {
  std::cout.flush();
  std::cerr << message << '\a' << '\n';
  end_after_error();
}

void fatal_without_bell(std::string_view message) {
  std::cout.flush();
  std::cerr << message << '\n';
  end_after_error();
}

void internal_error(std::string_view source_file, int line) {
  const auto slash = source_file.find_last_of("/\\");
  const std::string_view base =
      slash == std::string_view::npos ? source_file : source_file.substr(slash + 1);
  std::cout.flush();
  std::cerr << "Error: " << base << '(' << line << ')' << '\a' << '\n';
  end_after_error();
}

void placeholder_stop(std::string_view message) {
  std::cout << message << '\a' << '\n';
  end_after_error();
}

void warning(std::string_view message) {
  std::cout.flush();
  std::cerr << message << '\n';
  std::cerr.flush();
}

}  // namespace murex
