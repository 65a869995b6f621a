// murex-convert: turns TU, gSpan and molecule datasets into murex data files.
// The library does the work and throws; this file prints and sets the exit status.

#include <iostream>
#include <string>
#include <vector>

#include "convert/converter.h"

int main(int argc, char** argv) {
  using namespace murex::convert;
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    const Convert_options options = Convert_options::parse(args);
    if (options.kind == Convert_options::Kind::help) {
      std::cout << convert_usage();
      return 0;
    }
    const Written_conversion written =
        run_conversion(options, [](const std::string& message) { std::cerr << "murex-convert: warning: " << message << '\n'; });
    std::cout << "murex-convert: " << summary_line(written, options.output) << '\n';
    std::cout << murex_command(written, options.output) << '\n';
    return 0;
  } catch (const Usage_error& error) {
    std::cerr << "murex-convert: " << error.what() << " (murex-convert -h for help)\n";
  } catch (const Convert_error& error) {
    std::cerr << "murex-convert: error: " << error.what() << '\n';
  } catch (const std::exception& error) {
    std::cerr << "murex-convert: error: " << error.what() << '\n';
  }
  return 1;
}
