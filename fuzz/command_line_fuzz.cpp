// The command line on arbitrary bytes: the input is split at NUL bytes into
// the arguments after the program name. The parsed parameters then choose the
// factory and the canonical-label strategy, as at the start of a run.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "run/command_line.h"
#include "run/factories.h"
#include "run/parameter.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  murex::fuzz::set_up_process();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words = {"murex"};
  std::string current;
  for (std::size_t k = 0; k < size; ++k) {
    if (data[k] == 0) {
      words.push_back(current);
      current.clear();
    } else {
      current.push_back(static_cast<char>(data[k]));
    }
  }
  if (!current.empty()) words.push_back(current);
  std::vector<const char*> argv;
  for (const auto& word : words) argv.push_back(word.c_str());
  argv.push_back(nullptr);
  murex::fuzz::run_one([&] {
    murex::parse_command_line(static_cast<int>(words.size()), argv.data());
    murex::install_factory_and_strategy();
    // Every class named on the command line has its file name.
    const murex::Parameter& parameter = murex::Parameter::instance();
    for (std::uint32_t i = 0; i < parameter.get_class_count() && i < 64; ++i) {
      if (parameter.get_class_file_name(i).empty()) __builtin_trap();
    }
  });
  return 0;
}
